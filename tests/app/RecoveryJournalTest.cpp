#include "app/RecoveryJournal.h"
#include "app/UndoCommands.h"
#include "tests/support/AppFixture.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vemo {
namespace {

class Recovering : public ::testing::Test {
  protected:
    // An editor that makes a change and dies without closing its journal.
    void dieAfterAChange(std::int32_t column) {
        test::StartedEditor dying;
        RecoveryJournal journal(dying.editor);
        journal.start({folder.path(), {}});
        test::setNote(dying.state.melody, column, 40);
        recordStep(dying.editor);
    }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.push_back(entry.path().extension().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    test::TempFolder folder;
};

TEST_F(Recovering, ADeadEditorsMelodyIsOfferedAndComesBackAsOneUndoStep) {
    dieAfterAChange(7);
    test::StartedEditor next;
    RecoveryJournal journal(next.editor);
    journal.start({folder.path(), {}});
    next.fake.ui.boxAnswers = {true};
    journal.offerRecovery();
    ASSERT_EQ(next.fake.ui.boxes.size(), 1u);
    EXPECT_EQ(next.fake.ui.boxes[0].title, "recover");
    EXPECT_NE(next.fake.ui.boxes[0].text.find("1 change, the last at"), std::string::npos)
        << next.fake.ui.boxes[0].text;
    EXPECT_EQ(next.state.melody.grid.noteRow(7), 40);
    EXPECT_EQ(next.fake.ui.button(CommandId::Undo)->tooltip, "undo: recover");
    // Only this editor's own journal is left, and it holds the recovered melody.
    EXPECT_EQ(files(), (std::vector<std::string>{".journal", ".lock"}));
    journal.end();
    EXPECT_TRUE(files().empty()) << "the confirmed exit leaves nothing to recover";
}

TEST_F(Recovering, ANoSetsTheJournalAsideAndASecondNoRemovesIt) {
    dieAfterAChange(3);
    // Locks aside, what is left after each "no".
    for (const std::vector<std::string>& left :
         {std::vector<std::string>{".aside"}, std::vector<std::string>{}}) {
        test::StartedEditor next;
        RecoveryJournal journal(next.editor);
        journal.start({folder.path(), {}});
        next.fake.ui.boxAnswers = {false};
        journal.offerRecovery();
        EXPECT_EQ(next.fake.ui.boxes.size(), 1u);
        EXPECT_EQ(next.state.melody.grid.noteRow(3), -1);
        journal.end();
        std::vector<std::string> now = files();
        std::erase(now, ".lock");
        EXPECT_EQ(now, left);
    }
}

TEST_F(Recovering, AnotherVersionsJournalIsSetAsideWithAMessageAndNeverAskedAgain) {
    const std::string otherVersion("vemo journal\n\x02\0\0\0", 17);
    std::ofstream(folder.file("old.journal"), std::ios::binary) << otherVersion;
    for (const std::size_t boxes : {1u, 0u}) {
        test::StartedEditor next;
        RecoveryJournal journal(next.editor);
        journal.start({folder.path(), {}});
        journal.offerRecovery();
        ASSERT_EQ(next.fake.ui.boxes.size(), boxes);
        if (boxes == 1) {
            EXPECT_NE(next.fake.ui.boxes[0].text.find("another version of vemo"),
                      std::string::npos);
        }
        journal.end();
    }
    EXPECT_TRUE(std::filesystem::exists(folder.file("old.journal.other")));
}

TEST_F(Recovering, AFolderThatCannotHoldJournalsIsToldOnceAndEditingGoesOn) {
    test::StartedEditor editor;
    RecoveryJournal journal(editor.editor);
    journal.start({"",
                   {std::make_error_code(std::errc::read_only_file_system),
                    "can't create '/state/vemo': Read-only file system"}});
    journal.afterPass();
    journal.afterPass();
    ASSERT_EQ(editor.fake.ui.boxes.size(), 1u);
    EXPECT_NE(editor.fake.ui.boxes[0].text.find("recovery is off"), std::string::npos);
    test::setNote(editor.state.melody, 2, 40);
    recordStep(editor.editor);
    EXPECT_TRUE(editor.state.history.canUndo());
}

} // namespace
} // namespace vemo
