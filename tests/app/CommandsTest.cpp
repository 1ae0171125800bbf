#include "app/CommandTable.h"
#include "app/Help.h"
#include "tests/app/EventLoopFixture.h"

#include <filesystem>

namespace vemo {
namespace {

using test::EventLoopFixture;

constexpr std::int32_t NoteRow = 40;

// ---- "sing", "shut up" and Space ----

class SingAndStop : public EventLoopFixture {
  protected:
    void SetUp() override {
        EventLoopFixture::SetUp();
        // A tone, a rest and a tone.
        test::setNote(state.melody, 0, NoteRow);
        test::setNote(state.melody, 2, NoteRow + 2);
        // The opening sweep is over before the beeper is held.
        app.fake.runtime.joinAll();
        callsBefore = app.fake.beeper.calls().size();
        threadsBefore = app.fake.runtime.threadsStarted;
        app.fake.beeper.hold();
    }
    std::size_t callsSince() { return app.fake.beeper.calls().size() - callsBefore; }
    int threadsSince() const { return app.fake.runtime.threadsStarted - threadsBefore; }
    // The event loop's next pass shows the end.
    void letTheWorkerEnd() {
        app.fake.beeper.release();
        app.fake.runtime.joinAll();
        pass();
    }
    std::size_t callsBefore = 0;
    int threadsBefore = 0;
};

TEST_F(SingAndStop, SpacePlaysThenStopsWithoutASecondWorker) {
    command(CommandId::SpaceKey);
    ASSERT_TRUE(app.fake.beeper.waitForCalls(callsBefore + 1));
    EXPECT_EQ(threadsSince(), 1);
    EXPECT_TRUE(state.playback.playbackThread.isRunning());
    EXPECT_FALSE(ui.buttonEnabled(CommandId::Sing));
    EXPECT_TRUE(ui.buttonEnabled(CommandId::ShutUp));

    command(CommandId::SpaceKey);
    EXPECT_EQ(state.playback.stopRequested.load(), 1);
    EXPECT_EQ(threadsSince(), 1);
    letTheWorkerEnd();
    EXPECT_EQ(callsSince(), 1u) << "the stop cuts the sounding tone and starts nothing after";
    EXPECT_TRUE(ui.buttonEnabled(CommandId::Sing));
    EXPECT_FALSE(ui.buttonEnabled(CommandId::ShutUp));

    // Nothing plays now, so Space starts the melody again, from a cleared stop flag.
    command(CommandId::SpaceKey);
    EXPECT_EQ(threadsSince(), 2);
    EXPECT_EQ(state.playback.stopRequested.load(), 0);
    letTheWorkerEnd();
    EXPECT_EQ(callsSince(), 1u + 3u);
}

TEST_F(SingAndStop, ShutUpStopsAfterTheCurrentTone) {
    command(CommandId::Sing);
    ASSERT_TRUE(app.fake.beeper.waitForCalls(callsBefore + 1));
    EXPECT_EQ(threadsSince(), 1);
    command(CommandId::ShutUp);
    EXPECT_EQ(state.playback.stopRequested.load(), 1);
    letTheWorkerEnd();
    EXPECT_EQ(callsSince(), 1u);
    EXPECT_EQ(threadsSince(), 1);
}

TEST_F(SingAndStop, SingPlaysTheWholeMelodyOnce) {
    app.fake.beeper.release();
    command(CommandId::Sing);
    app.fake.runtime.joinAll();
    const auto calls = app.fake.beeper.calls();
    ASSERT_EQ(callsSince(), 3u);
    EXPECT_FALSE(calls[callsBefore].isRest);
    EXPECT_TRUE(calls[callsBefore + 1].isRest);
    EXPECT_FALSE(calls[callsBefore + 2].isRest);
}

// ---- The two toolbar toggles and their keys ----

using Toggles = EventLoopFixture;

// The toolbar flips a toggle's pressed state itself before it reports the click.
void clickToggle(test::FakeUi& ui, CommandId commandId) {
    ui.setButtonPressed(commandId, !ui.isButtonPressed(commandId));
}

TEST_F(Toggles, RepeatKeyAndToolbarToggleNeverDisagree) {
    struct Step {
        bool byKey;
        bool expectedOn;
    };
    const std::vector<Step> steps = {{true, true},  {true, false},  {false, true}, {true, false},
                                     {false, true}, {false, false}, {true, true}};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].byKey) {
            command(CommandId::RepeatKey);
        } else {
            clickToggle(ui, CommandId::ToggleRepeat);
            command(CommandId::ToggleRepeat);
        }
        EXPECT_EQ(ui.isButtonPressed(CommandId::ToggleRepeat), steps[i].expectedOn) << i;
        EXPECT_EQ(state.playback.repeatOn.load(), steps[i].expectedOn ? 1 : 0) << i;
    }
}

TEST_F(Toggles, SelectionKeyAndToolbarToggleNeverDisagreeAndRedrawTheGrid) {
    const Image released = ui.shownImages[ControlId::MainImage];
    int shown = ui.showImageCount[ControlId::MainImage];
    struct Step {
        bool byKey;
        bool expectedOn;
    };
    const std::vector<Step> steps = {{true, true},  {true, false}, {false, true},
                                     {true, false}, {false, true}, {false, false}};
    Image inUse;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].byKey) {
            command(CommandId::SelectionKey);
        } else {
            clickToggle(ui, CommandId::ToggleSelection);
            command(CommandId::ToggleSelection);
        }
        EXPECT_EQ(ui.isButtonPressed(CommandId::ToggleSelection), steps[i].expectedOn) << i;
        EXPECT_EQ(state.selection.selectionActive, steps[i].expectedOn ? 1 : 0) << i;
        EXPECT_GT(ui.showImageCount[ControlId::MainImage], shown) << i;
        shown = ui.showImageCount[ControlId::MainImage];
        const Image& now = ui.shownImages[ControlId::MainImage];
        if (!steps[i].expectedOn) {
            EXPECT_TRUE(now == released) << i;
        } else {
            if (inUse.width() == 0) inUse = now;
            EXPECT_TRUE(now == inUse) << i;
        }
    }
    // The selection spans the whole melody, so the grid looks different while it is in use.
    EXPECT_FALSE(inUse == released);
}

// ---- Copy, paste and delete need the selection ----

class SelectionCommands : public EventLoopFixture {
  protected:
    void SetUp() override {
        EventLoopFixture::SetUp();
        test::setNote(state.melody, 3, NoteRow);
        test::setNote(state.melody, 4, NoteRow + 1);
    }
    // Columns 3 to 5 on the clipboard, then columns 9 to 11 selected for a paste.
    void copyAndSelectTarget(bool targetInUse) {
        selectColumns(3, 5, true);
        command(CommandId::Copy);
        selectColumns(9, 11, targetInUse);
    }
};

TEST_F(SelectionCommands, CopyAndDeleteDoNothingWhileTheSelectionIsOff) {
    selectColumns(3, 4, false);
    const Clipboard& clipboard = state.clipboard;
    const CellGrid clipboardBefore = clipboard.clipboardGrid;
    const std::int32_t firstBefore = clipboard.clipboardFirst;
    const std::int32_t lastBefore = clipboard.clipboardLast;
    command(CommandId::Copy);
    command(CommandId::DeleteKey);
    EXPECT_TRUE(clipboard.clipboardGrid == clipboardBefore);
    EXPECT_EQ(clipboard.clipboardFirst, firstBefore);
    EXPECT_EQ(clipboard.clipboardLast, lastBefore);
    EXPECT_EQ(noteCount(), 2);

    selectColumns(3, 4, true);
    command(CommandId::Copy);
    EXPECT_EQ(clipboard.clipboardFirst, 3);
    EXPECT_EQ(clipboard.clipboardLast, 4);
    const int shown = ui.showImageCount[ControlId::MainImage];
    command(CommandId::DeleteKey);
    EXPECT_EQ(noteCount(), 0);
    EXPECT_GT(ui.showImageCount[ControlId::MainImage], shown);
}

TEST_F(SelectionCommands, PasteWithTheSelectionOffShowsNoMenu) {
    copyAndSelectTarget(false);
    ui.menuChoices.push_back(CommandId::PasteNotesOnly);
    command(CommandId::Paste);
    pass();
    EXPECT_TRUE(ui.shownMenus.empty());
    EXPECT_EQ(state.shell.pasteMode, 0);
    EXPECT_EQ(noteCount(), 2);
}

TEST_F(SelectionCommands, CancelInThePasteMenuChangesNothing) {
    copyAndSelectTarget(true);
    const CellGrid grid = state.melody.grid;
    const ColumnMarks marks = state.melody.marks;
    ui.menuChoices.push_back(CommandId::MenuCancel);
    command(CommandId::Paste);
    EXPECT_EQ(ui.shownMenus, (std::vector<MenuId>{MenuId::Paste}));
    pass();
    EXPECT_TRUE(state.melody.grid == grid);
    EXPECT_EQ(state.melody.marks, marks);
    EXPECT_EQ(state.shell.pasteMode, 0);
    EXPECT_EQ(state.selection.selectionFirst, 9);
    EXPECT_EQ(state.selection.selectionLast, 11);
}

TEST_F(SelectionCommands, PasteMenuIsNotShownWhileAPasteIsPending) {
    copyAndSelectTarget(true);
    state.shell.pasteMode = PasteNotes;
    command(CommandId::Paste);
    EXPECT_TRUE(ui.shownMenus.empty());
    // The pending paste itself still happens at the end of that pass.
    EXPECT_EQ(state.shell.pasteMode, 0);
    EXPECT_TRUE(hasNote(9, NoteRow));
}

struct PasteChoice {
    CommandId commandId;
    bool pastesNotes;
    bool pastesLayout;
};

class PasteChoices : public SelectionCommands, public ::testing::WithParamInterface<PasteChoice> {};

TEST_P(PasteChoices, PasteHappensInThePassThatReceivesTheChoice) {
    const PasteChoice choice = GetParam();
    copyAndSelectTarget(true);
    ASSERT_EQ(state.melody.marks[4], MarkSmallStart);
    ASSERT_EQ(state.melody.marks[10], 0);
    ui.menuChoices.push_back(choice.commandId);
    command(CommandId::Paste);
    // Switching the selection off right after must not stop the paste chosen before it.
    ui.events.push_back(commandEvent(WindowId::Main, CommandId::SelectionKey));
    pass();
    EXPECT_EQ(ui.events.size(), 1u) << "only the choice was handled";
    EXPECT_EQ(state.shell.pasteMode, 0);
    EXPECT_EQ(hasNote(9, NoteRow), choice.pastesNotes);
    EXPECT_EQ(hasNote(10, NoteRow + 1), choice.pastesNotes);
    EXPECT_EQ(state.melody.marks[10], choice.pastesLayout ? MarkSmallStart : 0);
    EXPECT_TRUE(hasNote(3, NoteRow)) << "the source stays";
    pass();
    EXPECT_EQ(state.selection.selectionActive, 0);
}

INSTANTIATE_TEST_SUITE_P(EachItem, PasteChoices,
                         ::testing::Values(PasteChoice{CommandId::PasteNotesOnly, true, false},
                                           PasteChoice{CommandId::PasteLayoutOnly, false, true},
                                           PasteChoice{CommandId::PasteNotesAndLayout, true, true}),
                         [](const ::testing::TestParamInfo<PasteChoice>& choice) {
                             return "Command" + std::to_string(idNumber(choice.param.commandId));
                         });

// ---- The "new vemo.." dialog ----

using NewMelodyDialog = EventLoopFixture;

TEST_F(NewMelodyDialog, NewShowsTheDialogWithTheValuesLastEntered) {
    command(CommandId::New);
    EXPECT_TRUE(ui.isWindowVisible(WindowId::NewMelody));
    EXPECT_EQ(ui.spinValue(ControlId::WidthSpin), 512);
    ui.setSpinValue(ControlId::WidthSpin, 64);
    control(WindowId::NewMelody, ControlId::Cancel);
    command(CommandId::New);
    EXPECT_TRUE(ui.isWindowVisible(WindowId::NewMelody));
    EXPECT_EQ(ui.spinValue(ControlId::WidthSpin), 64);
}

TEST_F(NewMelodyDialog, ApplyWithUnchangedValuesEmptiesTheMelody) {
    test::setNote(state.melody, 0, NoteRow);
    test::setNote(state.melody, 300, NoteRow + 1);
    selectColumns(10, 20, true);
    command(CommandId::New);
    std::map<ControlId, int> shown = ui.showImageCount;
    control(WindowId::NewMelody, ControlId::Apply);
    EXPECT_EQ(noteCount(), 0);
    EXPECT_EQ(state.melody.lastColumn, 511);
    EXPECT_FALSE(ui.isWindowVisible(WindowId::NewMelody));
    EXPECT_EQ(state.selection.selectionActive, 0);
    EXPECT_FALSE(ui.isButtonPressed(CommandId::ToggleSelection));
    EXPECT_EQ(state.selection.selectionLast, 511);
    for (ControlId id : {ControlId::VerImage, ControlId::HorImage, ControlId::MainImage})
        EXPECT_GT(ui.showImageCount[id], shown[id]) << "control " << id;
}

TEST_F(NewMelodyDialog, ApplyTakesTheThreeSpinValues) {
    command(CommandId::New);
    ui.setSpinValue(ControlId::WidthSpin, 64);
    ui.setSpinValue(ControlId::SmallBlockSpin, 2);
    ui.setSpinValue(ControlId::LargeBlockSpin, 3);
    control(WindowId::NewMelody, ControlId::Apply);
    EXPECT_EQ(state.melody.lastColumn, 63);
    EXPECT_EQ(state.melody.smallBlock, 2);
    EXPECT_EQ(state.melody.largeBlock, 3);
    EXPECT_EQ(state.melody.grid.columnCount(), 64);
    EXPECT_EQ(state.melody.marks.size(), 64u);
}

TEST_F(NewMelodyDialog, CancelAndCloseHideItAndChangeNothing) {
    test::setNote(state.melody, 12, NoteRow);
    const CellGrid grid = state.melody.grid;
    for (const bool byClose : {false, true}) {
        command(CommandId::New);
        ui.setSpinValue(ControlId::WidthSpin, 40);
        ui.setSpinValue(ControlId::SmallBlockSpin, 1);
        if (byClose)
            close(WindowId::NewMelody);
        else
            control(WindowId::NewMelody, ControlId::Cancel);
        EXPECT_FALSE(ui.isWindowVisible(WindowId::NewMelody)) << byClose;
        EXPECT_TRUE(state.melody.grid == grid) << byClose;
        EXPECT_EQ(state.melody.lastColumn, 511) << byClose;
        EXPECT_EQ(state.melody.smallBlock, 4) << byClose;
        EXPECT_TRUE(ui.boxes.empty()) << byClose;
        EXPECT_EQ(state.shell.quitRequested, 0);
    }
}

// ---- Help ----

class Help : public EventLoopFixture {
  protected:
    const std::string folder = "/home/user/melodies/";
    const std::string page = folder + "vemo - help.html";
    std::string firstBoxText(const std::string& d) const {
        return "can't open html-help \r\n" + d +
               "vemo - help.html\r\n\r\ndo you want watch the folder?";
    }
};

TEST_F(Help, OpensThePageAndAsksNothingWhenTheShellCan) {
    openHelp(app.fake.ui, folder);
    EXPECT_EQ(ui.shellOpened, (std::vector<std::string>{page}));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(Help, AnsweringNoAfterAFailureStops) {
    ui.shellAnswers = {false};
    ui.boxAnswers = {false};
    openHelp(app.fake.ui, folder);
    EXPECT_EQ(ui.shellOpened, (std::vector<std::string>{page}));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, "error");
    EXPECT_TRUE(ui.boxes[0].yesNo);
    EXPECT_EQ(ui.boxes[0].text, firstBoxText(folder));
}

TEST_F(Help, AnsweringYesOpensTheFolder) {
    ui.shellAnswers = {false, true};
    ui.boxAnswers = {true};
    openHelp(app.fake.ui, folder);
    EXPECT_EQ(ui.shellOpened, (std::vector<std::string>{page, folder}));
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(Help, FolderThatCannotBeOpenedIsNamedInASecondBox) {
    ui.shellAnswers = {false, false};
    ui.boxAnswers = {true};
    openHelp(app.fake.ui, folder);
    EXPECT_EQ(ui.shellOpened, (std::vector<std::string>{page, folder}));
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].title, "error");
    EXPECT_FALSE(ui.boxes[1].yesNo);
    EXPECT_EQ(ui.boxes[1].text, "can't open folder\r\n\r\n" + folder);
}

TEST_F(Help, FolderWithoutATrailingSeparatorGetsOne) {
    openHelp(app.fake.ui, "/home/user/melodies");
    EXPECT_EQ(ui.shellOpened, (std::vector<std::string>{page}));
}

// Runs a test in another working directory and goes back afterwards.
class WorkingDirectoryChange {
  public:
    explicit WorkingDirectoryChange(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingDirectoryChange() { std::filesystem::current_path(previous_); }
    WorkingDirectoryChange(const WorkingDirectoryChange&) = delete;
    WorkingDirectoryChange& operator=(const WorkingDirectoryChange&) = delete;

  private:
    std::filesystem::path previous_;
};

TEST_F(Help, F1LooksInTheFolderTheProcessWorksInAtThatMoment) {
    const std::filesystem::path there = std::filesystem::temp_directory_path() / "vemo-help-lookup";
    std::filesystem::create_directories(there);
    const std::string d = std::filesystem::canonical(there).string() + "/";
    ui.shellAnswers = {false};
    ui.boxAnswers = {false};
    {
        WorkingDirectoryChange change(there);
        command(CommandId::Help);
    }
    std::filesystem::remove(there);
    ASSERT_EQ(ui.shellOpened.size(), 1u);
    EXPECT_EQ(ui.shellOpened[0], d + "vemo - help.html");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, firstBoxText(d));
    EXPECT_NE(app.process.workingDirectory + "/", d) << "not the folder of the start-up";
}

} // namespace
} // namespace vemo
