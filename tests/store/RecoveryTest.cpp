#include "store/Recovery.h"

#include "platform/JournalFolder.h"
#include "store/JournalWriter.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vemo {
namespace {

class Recover : public ::testing::Test {
  protected:
    // A journal of a melody with a note typed into each of the first `notes` columns.
    void writeJournal(const JournalHeader& header, int notes) {
        JournalFile file(journal);
        JournalWriter writer(file);
        EditorState state;
        test::resetMelody(state.melody, 32);
        state.history.setChangeListener([&](const MelodyChange& change) {
            change.isWhole ? writer.begin(header, change, 1000) : writer.add(change, 2000);
        });
        state.history.reset(state, "vemo");
        for (int column = 0; column < notes; ++column) {
            test::setNote(state.melody, column, 40 + column);
            state.history.commit(state, "vemo", "edit", 2000);
        }
    }
    test::TempFolder folder;
    std::string journal = folder.file("a.journal");
    EditorState recovered;
};

TEST_F(Recover, ATornNewMelodyComesBackWithTheChangesBeforeTheTear) {
    writeJournal({}, 3);
    std::filesystem::resize_file(journal, std::filesystem::file_size(journal) - 2);
    const Recovery recovery = recoverJournal(journal, recovered);
    ASSERT_TRUE(recovery.hasMelody);
    EXPECT_EQ(recovery.changes, 2u);
    EXPECT_EQ(recovered.melody.grid.noteRow(1), 41);
    EXPECT_EQ(recovered.melody.grid.noteRow(2), -1);
    const std::string text = recoveryText(recovery);
    EXPECT_EQ(text.rfind("a new melody, 2 changes, the last at ", 0), 0u) << text;
    EXPECT_NE(text.find("1 damaged record was left out"), std::string::npos) << text;
}

TEST_F(Recover, SaysWhenTheMelodysFileChangedSinceTheJournalBegan) {
    const std::string tune = folder.file("tune.vemo");
    std::ofstream(tune) << "first";
    const auto stamp = fileStamp(tune);
    ASSERT_TRUE(stamp);
    const JournalHeader header{JournalVersion, tune, stamp->size, stamp->modifiedNs,
                               contentHash(test::readBytes(tune))};
    writeJournal(header, 1);
    EXPECT_FALSE(recoverJournal(journal, recovered).hasFileChanged);
    std::ofstream(tune) << "second!";
    const Recovery recovery = recoverJournal(journal, recovered);
    EXPECT_TRUE(recovery.hasFileChanged);
    EXPECT_NE(recoveryText(recovery).find("the file has changed on disk"), std::string::npos);
}

} // namespace
} // namespace vemo
