#include "platform/Files.h"

#include "tests/support/ChildProcess.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include <sys/stat.h>

namespace vemo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes countingBytes(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 7 + 3) & 0xFF);
    return bytes;
}

bool anyTemporaryLeft(const test::TempFolder& folder) {
    const auto names = folder.entries();
    return std::any_of(names.begin(), names.end(), [](const std::string& name) {
        return name.find(".tmp") != std::string::npos;
    });
}

TEST(ReadFileBytes, ReadsWholeSmallFilesAndStopsAtTheLimit) {
    test::TempFolder folder;
    const std::string path = folder.file("melody.vemo");
    const Bytes content = countingBytes(300);
    test::writeBytes(path, content);

    EXPECT_EQ(readFileBytes(path, 1000).bytes, content);
    EXPECT_EQ(readFileBytes(path, 300).bytes, content);
    const FileBytes cut = readFileBytes(path, 17);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut.bytes, Bytes(content.begin(), content.begin() + 17));

    // Zero bytes are a file that opened, not a failure.
    const std::string empty = folder.file("empty.vemo");
    test::writeBytes(empty, {});
    const FileBytes nothing = readFileBytes(empty, 64);
    ASSERT_TRUE(nothing);
    EXPECT_TRUE(nothing.bytes.empty());
}

TEST(ReadFileBytes, MissingEmptyPathAndFolderCannotBeReadAndSayWhy) {
    test::TempFolder folder;
    const FileBytes missing = readFileBytes(folder.file("absent.vemo"), 64);
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.outcome.reason,
              "there is no file of that name; check the name and the folder");
    EXPECT_FALSE(readFileBytes("", 64));
    const FileBytes inFolder = readFileBytes(folder.path().string(), 64);
    EXPECT_FALSE(inFolder);
    EXPECT_EQ(inFolder.outcome.reason,
              "this is a folder, not a melody file; choose a file inside it");
    // A named pipe would block the reader until someone writes to it.
    const std::string pipe = folder.file("pipe.vemo");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(readFileBytes(pipe, 64).outcome.reason,
              "this is not a regular file; choose a melody file");
}

TEST(IsExistingFile, OnlyRegularFilesAndLinksToThemCount) {
    test::TempFolder folder;
    const std::string path = folder.file("here.vemo");
    EXPECT_FALSE(isExistingFile(path));
    test::writeBytes(path, {1, 2, 3});
    EXPECT_TRUE(isExistingFile(path));
    std::filesystem::create_symlink("here.vemo", folder.path() / "link.vemo");
    EXPECT_TRUE(isExistingFile(folder.file("link.vemo")));
    std::filesystem::create_directory(folder.path() / "x.vemo");
    EXPECT_FALSE(isExistingFile(folder.file("x.vemo")));
    std::filesystem::create_symlink("gone.vemo", folder.path() / "dangling.vemo");
    EXPECT_FALSE(isExistingFile(folder.file("dangling.vemo")));
}

TEST(WriteFileReplacing, CreatesAndReplacesWithExactlyTheBytes) {
    test::TempFolder folder;
    const std::string path = folder.file("tune.vemo");
    const Bytes first = countingBytes(564);
    ASSERT_TRUE(writeFileReplacing(path, first));
    EXPECT_EQ(test::readBytes(path), first);

    // A shorter replacement leaves nothing of the longer file behind it.
    const Bytes second = {9, 8, 7, 0, 0x0A, 0x0D, 5};
    ASSERT_TRUE(writeFileReplacing(path, second));
    EXPECT_EQ(test::readBytes(path), second);

    ASSERT_TRUE(writeFileReplacing(path, {}));
    EXPECT_TRUE(test::readBytes(path).empty());
    EXPECT_TRUE(std::filesystem::exists(path));

    EXPECT_EQ(folder.entries(), std::vector<std::string>{"tune.vemo"});
}

TEST(WriteFileReplacing, MissingFolderFailsAndCreatesNothing) {
    test::TempFolder folder;
    const std::string path = folder.file("not-there/tune.vemo");
    const FileOutcome outcome = writeFileReplacing(path, countingBytes(92));
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.reason, "the folder does not exist; choose an existing folder");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "not-there"));
    EXPECT_TRUE(folder.entries().empty());
}

TEST(WriteFileReplacing, FileSizeLimitFailsTheWriteKeepsTheOldFileAndLeavesNoTemporary) {
    test::TempFolder folder;
    const std::string path = folder.file("keep.vemo");
    const Bytes old = countingBytes(20);
    test::writeBytes(path, old);
    const Bytes bigger = countingBytes(4096);

    // The limit's signal kills a process by default; the program ignores it at start.
    const std::string report = test::inChildProcess([&]() -> std::string {
        std::signal(SIGXFSZ, SIG_DFL);
        ignoreFileSizeSignal();
        test::FileSizeLimit limit(40);
        if (!limit.active()) return "the limit could not be set";
        const FileOutcome replaced = writeFileReplacing(path, bigger);
        const FileOutcome created = writeFileReplacing(folder.file("fresh.vemo"), bigger);
        if (replaced || created) return "a write past the limit succeeded";
        if (replaced.error != std::errc::file_too_large) return "error " + replaced.error.message();
        return replaced.reason;
    });
    EXPECT_EQ(report, "the file would pass the file size limit of this session; raise the limit "
                      "(ulimit -f) and try again");
    EXPECT_EQ(test::readBytes(path), old);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"keep.vemo"});

    // Without the limit the same write goes through.
    EXPECT_TRUE(writeFileReplacing(path, bigger));
    EXPECT_EQ(test::readBytes(path), bigger);
}

TEST(WriteFileReplacing, WritesThroughLinksAndKeepsModeOwnerAndGroup) {
    test::TempFolder folder;
    namespace fs = std::filesystem;
    fs::create_directory(folder.path() / "real");
    const std::string real = folder.file("real/tune.vemo");
    test::writeBytes(real, countingBytes(10));
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const bool asRoot = test::canActAsOrdinaryUser();
    if (asRoot) {
        ASSERT_EQ(::chown(real.c_str(), test::NobodyUserId, test::NobodyGroupId), 0);
    }
    // A chain: an absolute link to a relative link to the file.
    fs::create_symlink("real/tune.vemo", folder.path() / "link.vemo");
    fs::create_symlink(folder.path() / "link.vemo", folder.path() / "chain.vemo");
    // A link to a file that is not there yet.
    fs::create_symlink("real/new.vemo", folder.path() / "ahead.vemo");

    const Bytes melody = countingBytes(92);
    ASSERT_TRUE(writeFileReplacing(folder.file("chain.vemo"), melody));
    ASSERT_TRUE(writeFileReplacing(folder.file("ahead.vemo"), melody));

    for (const char* link : {"link.vemo", "chain.vemo", "ahead.vemo"})
        EXPECT_TRUE(fs::is_symlink(folder.path() / link)) << link;
    EXPECT_EQ(test::readBytes(real), melody);
    EXPECT_EQ(test::readBytes(folder.file("real/new.vemo")), melody);
    struct stat info {};
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    if (asRoot) {
        EXPECT_EQ(info.st_uid, test::NobodyUserId);
        EXPECT_EQ(info.st_gid, test::NobodyGroupId);
    }
    auto names = folder.entries();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"ahead.vemo", "chain.vemo", "link.vemo", "real"}));
    names.clear();
    for (const auto& entry : fs::directory_iterator(folder.path() / "real"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"new.vemo", "tune.vemo"}));

    // A circle of links is refused, not replaced by a file.
    fs::create_symlink("round.vemo", folder.path() / "round.vemo");
    EXPECT_EQ(writeFileReplacing(folder.file("round.vemo"), melody).error,
              std::errc::too_many_symbolic_link_levels);
    EXPECT_TRUE(fs::is_symlink(folder.path() / "round.vemo"));
}

TEST(WriteFileReplacing, FilesTheUserMayNotWriteAreRefusedEvenInAWritableFolder) {
    if (!test::canActAsOrdinaryUser())
        GTEST_SKIP() << "needs root to set up files of two owners and act as uid 65534";
    namespace fs = std::filesystem;
    test::TempFolder folder;
    fs::permissions(folder.path(), fs::perms::all);
    const std::string readOnly = folder.file("own-read-only.vemo");
    const std::string rootsFile = folder.file("roots.vemo");
    const Bytes old = countingBytes(30);
    test::writeBytes(readOnly, old);
    test::writeBytes(rootsFile, old);
    fs::permissions(readOnly,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_EQ(::chown(readOnly.c_str(), test::NobodyUserId, test::NobodyGroupId), 0);
    fs::permissions(rootsFile, fs::perms::owner_read | fs::perms::owner_write |
                                   fs::perms::group_read | fs::perms::others_read);

    const std::string report = test::inChildProcess(
        [&]() -> std::string {
            std::string problems;
            for (const std::string& path : {readOnly, rootsFile}) {
                const FileOutcome outcome = writeFileReplacing(path, countingBytes(64));
                if (outcome) {
                    problems += path + " was replaced; ";
                } else if (outcome.reason != "the file is read-only for you; save under another "
                                             "name or make it writable") {
                    problems += "reason: " + outcome.reason + "; ";
                }
            }
            // The folder itself is open to the user: a new file is fine.
            if (!writeFileReplacing(folder.file("mine.vemo"), countingBytes(64)))
                problems += "a new file could not be written; ";
            return problems;
        },
        true);
    EXPECT_EQ(report, "");
    EXPECT_EQ(test::readBytes(readOnly), old);
    EXPECT_EQ(test::readBytes(rootsFile), old);
    EXPECT_EQ(folder.entries().size(), 3u) << "no temporary is left";
}

TEST(WriteFileReplacing, TargetThatIsAFolderIsLeftAlone) {
    test::TempFolder folder;
    const std::filesystem::path target = folder.path() / "taken.vemo";
    std::filesystem::create_directory(target);
    std::filesystem::path inside = target / "song.vemo";
    test::writeBytes(inside.string(), {1, 2, 3});

    const FileOutcome outcome = writeFileReplacing(target.string(), countingBytes(64));
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.reason, "there is a folder of that name; choose another name");
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(test::readBytes(inside.string()), (Bytes{1, 2, 3}));
    EXPECT_FALSE(anyTemporaryLeft(folder));
}

} // namespace
} // namespace vemo
