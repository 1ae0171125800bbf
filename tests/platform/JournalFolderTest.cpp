#include "platform/JournalFolder.h"
#include "platform/JournalFile.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vemo {
namespace {

// A journal is offered for recovery only once the editor that held its lock is gone, however it
// went, and only to one editor at a time.
TEST(JournalFolder, OnlyJournalsOfEndedEditorsAreFoundAndEachByOneEditor) {
    const test::TempFolder folder;
    const std::string running = folder.file("running.journal");
    const std::string killed = folder.file("killed.journal");
    std::ofstream(running) << "r";
    std::ofstream(killed) << "k";
    JournalLock mine(running);
    ASSERT_TRUE(mine.isHeld());
    EXPECT_FALSE(JournalLock(running).isHeld()) << "the same journal is never written twice";
    const pid_t child = ::fork();
    if (child == 0) {
        JournalLock theirs(killed);
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    std::string owner;
    std::ifstream(killed + ".lock") >> owner;
    EXPECT_EQ(owner, std::to_string(child)) << "the lock names the process that held it";

    const std::vector<FoundJournal> found = journalsIn(folder.path(), ".journal");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].path, killed);
    EXPECT_TRUE(journalsIn(folder.path(), ".journal").empty()) << "held by the first finder";
    mine.release();
    EXPECT_FALSE(std::filesystem::exists(running + ".lock"));
}

TEST(JournalFolder, LivesUnderTheStateHomeForItsUserAlone) {
    const test::TempFolder folder;
    ::setenv("XDG_STATE_HOME", folder.file("state").c_str(), 1);
    const JournalFolder opened = openJournalFolder();
    ASSERT_EQ(opened.path, folder.file("state") + "/vemo") << opened.outcome.reason;
    struct stat status {};
    ASSERT_EQ(::stat(opened.path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    JournalFile file(opened.path + "/a.journal");
    ASSERT_TRUE(file.append(std::vector<std::uint8_t>{1}));
    ASSERT_EQ(::stat((opened.path + "/a.journal").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u) << "a journal is its user's alone";
    ::unsetenv("XDG_STATE_HOME");
}

} // namespace
} // namespace vemo
