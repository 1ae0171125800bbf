#include "tests/app/EventLoopFixture.h"
#include "tests/support/WholeJoins.h"

#include <algorithm>
#include <array>
#include <map>
#include <numeric>

namespace vemo {
namespace {

using test::EventLoopFixture;

constexpr std::int32_t NoteRow = 40;

// ---- Checks that run on every pass, with or without an event ----

using EveryPass = EventLoopFixture;

TEST_F(EveryPass, WaitsAtMostEightyMillisecondsAndReadsThePointerOncePerPass) {
    const int readsBefore = ui.pointerReads;
    ui.pointerAt = {123, 234};
    pass();
    pass();
    command(CommandId::RepeatKey);
    EXPECT_EQ(ui.pointerReads, readsBefore + 3);
    ASSERT_EQ(ui.waitTimeouts.size(), 3u);
    for (std::int32_t timeoutMs : ui.waitTimeouts)
        EXPECT_EQ(timeoutMs, 80);
    EXPECT_EQ(state.view.pointerX, 123);
    EXPECT_EQ(state.view.pointerY, 234);
}

TEST_F(EveryPass, PointerOfThePassHoldsAfterTheEventEvenIfThePointerMoves) {
    const Point first = insideGrid();
    const Point later{first.x + 50, first.y + 30};
    ui.pointerAt = first;
    ui.keys[Key::M] = KeyDownNow;
    // The grid click's redraw pauses; the pointer moves meanwhile.
    app.fake.runtime.onSleep = [&] { ui.pointerAt = later; };
    control(WindowId::Main, ControlId::MainImage, LeftClick);
    app.fake.runtime.onSleep = nullptr;
    EXPECT_EQ(noteCount(), 1);
    EXPECT_EQ(state.view.pointerX, first.x);
    // Pan mode came on after the event and still anchors at the pass's pointer.
    EXPECT_EQ(state.view.panning, 1);
    EXPECT_EQ(state.view.panAnchorX, first.x);
    EXPECT_EQ(state.view.panAnchorY, first.y);
    pass();
    EXPECT_EQ(state.view.pointerX, later.x);
    EXPECT_EQ(state.view.pointerY, later.y);
}

TEST_F(EveryPass, PanModeFollowsTheMKeyAndTheMiddleButtonWithoutEvents) {
    ui.pointerAt = {300, 200};
    ui.keys[Key::M] = KeyDownNow;
    pass();
    EXPECT_EQ(state.view.panning, 1);
    EXPECT_EQ(state.view.panAnchorX, 300);
    EXPECT_EQ(state.view.panAnchorY, 200);
    ui.keys[Key::M] = 0;
    ui.keys[Key::MiddleButton] = KeyDownNow;
    ui.pointerAt = {310, 205};
    pass();
    EXPECT_EQ(state.view.panning, 1);
    EXPECT_EQ(state.view.panAnchorX, 300) << "a pan that goes on keeps its anchor";
    ui.keys[Key::MiddleButton] = 0;
    pass();
    EXPECT_EQ(state.view.panning, 0);
    // A key that only went down earlier is not down now.
    ui.keys[Key::M] = KeyPressedSince;
    pass();
    EXPECT_EQ(state.view.panning, 0);
}

TEST_F(EveryPass, HorizontalBarDragFollowsThePointerWithNoEvent) {
    const ImageArea& bar = state.view.verArea;
    ui.pointerAt = {bar.x + bar.width / 2, bar.y + bar.height / 2};
    ui.keys[Key::LeftButton] = KeyDownNow;
    control(WindowId::Main, ControlId::VerImage, LeftClick);
    EXPECT_EQ(state.view.hScrollDrag, 1);
    EXPECT_EQ(state.view.vScrollDrag, 0);
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, static_cast<double>(bar.width / 2) / bar.width);
    const int mainShown = ui.showImageCount[ControlId::MainImage];
    const int barShown = ui.showImageCount[ControlId::VerImage];
    // Only the coordinate along the bar matters: the pointer may leave the bar sideways.
    ui.pointerAt = {bar.x + bar.width / 4, state.view.mainArea.y + 100};
    pass();
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, static_cast<double>(bar.width / 4) / bar.width);
    EXPECT_GT(ui.showImageCount[ControlId::MainImage], mainShown);
    EXPECT_GT(ui.showImageCount[ControlId::VerImage], barShown);
}

TEST_F(EveryPass, VerticalBarDragFollowsThePointerWithNoEvent) {
    const ImageArea& bar = state.view.horArea;
    ui.pointerAt = {bar.x + 1, bar.y + bar.height / 4};
    ui.keys[Key::LeftButton] = KeyDownNow;
    control(WindowId::Main, ControlId::HorImage, LeftClick);
    EXPECT_EQ(state.view.vScrollDrag, 1);
    EXPECT_EQ(state.view.hScrollDrag, 0);
    EXPECT_DOUBLE_EQ(state.view.verticalScroll, static_cast<double>(bar.height / 4) / bar.height);
    ui.pointerAt = {bar.x - 200, bar.y + bar.height * 3 / 4};
    pass();
    EXPECT_DOUBLE_EQ(state.view.verticalScroll,
                     static_cast<double>(bar.height * 3 / 4) / bar.height);
}

TEST_F(EveryPass, RightClickOnABarStartsNoDrag) {
    const ImageArea& bar = state.view.verArea;
    ui.pointerAt = {bar.x + 10, bar.y + 1};
    const double before = state.view.horizontalScroll;
    control(WindowId::Main, ControlId::VerImage, RightClick);
    control(WindowId::Main, ControlId::HorImage, RightClick);
    EXPECT_EQ(state.view.hScrollDrag, 0);
    EXPECT_EQ(state.view.vScrollDrag, 0);
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, before);
}

TEST_F(EveryPass, PointerOutsideEndsBothDragsForGood) {
    const ImageArea& hBar = state.view.verArea;
    const ImageArea& vBar = state.view.horArea;
    ui.keys[Key::LeftButton] = KeyDownNow; // the button stays held throughout
    ui.pointerAt = {hBar.x + 5, hBar.y + 1};
    control(WindowId::Main, ControlId::VerImage, LeftClick);
    ui.pointerAt = {vBar.x + 1, vBar.y + 5};
    control(WindowId::Main, ControlId::HorImage, LeftClick);
    ASSERT_EQ(state.view.hScrollDrag, 1);
    ASSERT_EQ(state.view.vScrollDrag, 1);
    ui.pointerAt = {-1, -1};
    pass();
    EXPECT_EQ(state.view.hScrollDrag, 0);
    EXPECT_EQ(state.view.vScrollDrag, 0);
    const double horizontal = state.view.horizontalScroll;
    const double vertical = state.view.verticalScroll;
    ui.pointerAt = {hBar.x + hBar.width - 2, vBar.y + vBar.height - 2};
    pass();
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, horizontal);
    EXPECT_DOUBLE_EQ(state.view.verticalScroll, vertical);
}

TEST_F(EveryPass, LeftReleaseInTheMainWindowEndsTheDrags) {
    const ImageArea& bar = state.view.verArea;
    ui.pointerAt = {bar.x + 5, bar.y + 1};
    control(WindowId::Main, ControlId::VerImage, LeftClick);
    control(WindowId::Main, ControlId::HorImage, LeftClick);
    deliver(Event{EventKind::LeftRelease, WindowId::Main});
    EXPECT_EQ(state.view.hScrollDrag, 0);
    EXPECT_EQ(state.view.vScrollDrag, 0);
}

TEST_F(EveryPass, LostReleaseThenANarrowerMelodyKeepsEveryEditInsideTheGrid) {
    const std::int32_t row = 40;
    ui.keys[Key::LeftButton] = KeyDownNow;
    pointAtCell(50, row);
    control(WindowId::Main, ControlId::MainImage, LeftClick);
    ASSERT_EQ(state.stroke.strokeFirst, 50);
    ui.keys[Key::LeftButton] = 0; // released over a modal window: no event comes
    pass();
    EXPECT_EQ(state.stroke.strokeFirst, -1);

    ui.setSpinValue(ControlId::WidthSpin, 32);
    control(WindowId::NewMelody, ControlId::Apply);
    ui.keys[Key::LeftButton] = KeyDownNow;
    pointAtCell(5, row);
    control(WindowId::Main, ControlId::MainImage, LeftClick);
    ui.keys[Key::LeftButton] = 0;
    deliver(Event{EventKind::LeftRelease, WindowId::Main});
    EXPECT_EQ(noteCount(), 1);
    EXPECT_TRUE(hasNote(5, row));
    EXPECT_TRUE(test::onlyWholeJoins(state.melody));
}

TEST_F(EveryPass, ColumnMenuRequestedByAClickIsShownInTheSamePass) {
    ui.pointerAt = insideGrid();
    control(WindowId::Main, ControlId::MainImage, LeftClick);
    ASSERT_EQ(noteCount(), 1);
    const std::int32_t column = state.stroke.lastHitColumn;
    ASSERT_TRUE(hasNote(column, state.stroke.lastHitRow));
    ui.keys[Key::LeftControl] = KeyDownNow;
    ui.menuChoices.push_back(CommandId::MenuCancel);
    control(WindowId::Main, ControlId::MainImage, RightClick);
    EXPECT_EQ(ui.shownMenus, (std::vector<MenuId>{MenuId::Column}));
    EXPECT_EQ(state.shell.popupRequested, 0);
    EXPECT_EQ(state.shell.popupColumn, column);
    EXPECT_EQ(noteCount(), 1) << "the menu click erases nothing";
    pass(); // "cancel"
    EXPECT_EQ(noteCount(), 1);
    EXPECT_EQ(ui.shownMenus.size(), 1u) << "the request was consumed";
}

TEST_F(EveryPass, ColumnMenuInsertsAndDeletesAtTheClickedColumn) {
    ui.pointerAt = insideGrid();
    ui.keys[Key::LeftControl] = KeyDownNow;
    control(WindowId::Main, ControlId::MainImage, RightClick);
    const std::int32_t column = state.shell.popupColumn;
    ASSERT_EQ(ui.shownMenus.size(), 1u);
    ASSERT_LT(column + 2, state.melody.lastColumn);
    test::setNote(state.melody, column, NoteRow);
    test::setNote(state.melody, column + 1, NoteRow + 1);

    ui.menuChoices.push_back(CommandId::InsertColumn);
    control(WindowId::Main, ControlId::MainImage, RightClick);
    ASSERT_EQ(state.shell.popupColumn, column);
    pass();
    EXPECT_FALSE(hasNote(column, NoteRow));
    EXPECT_TRUE(hasNote(column + 1, NoteRow));
    EXPECT_TRUE(hasNote(column + 2, NoteRow + 1));

    ui.menuChoices.push_back(CommandId::DeleteColumn);
    control(WindowId::Main, ControlId::MainImage, RightClick);
    pass();
    EXPECT_TRUE(hasNote(column, NoteRow));
    EXPECT_TRUE(hasNote(column + 1, NoteRow + 1));
    EXPECT_EQ(noteCount(), 2);
}

TEST_F(EveryPass, PendingPasteWaitsForTheSelectionToBeInUse) {
    test::setNote(state.melody, 3, NoteRow);
    test::setNote(state.melody, 4, NoteRow + 1);
    selectColumns(3, 4, true);
    command(CommandId::Copy);
    selectColumns(20, 21, false);
    state.shell.pasteMode = PasteNotes;
    pass();
    pass();
    EXPECT_EQ(state.shell.pasteMode, PasteNotes);
    EXPECT_FALSE(hasNote(20, NoteRow));
    state.selection.selectionActive = 1;
    pass();
    EXPECT_EQ(state.shell.pasteMode, 0);
    EXPECT_TRUE(hasNote(20, NoteRow));
    EXPECT_TRUE(hasNote(21, NoteRow + 1));
}

// ---- The main window ----

using MainWindow = EventLoopFixture;

TEST_F(MainWindow, CloseAnsweredNoKeepsRunningYesRequestsTheEnd) {
    test::setNote(state.melody, 7, NoteRow);
    ui.boxAnswers = {false, true};
    close(WindowId::Main);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, "please confirm");
    EXPECT_EQ(ui.boxes[0].text, "exit program?");
    EXPECT_TRUE(ui.boxes[0].yesNo);
    EXPECT_EQ(state.shell.quitRequested, 0);
    EXPECT_TRUE(ui.isWindowVisible(WindowId::Main));
    EXPECT_TRUE(hasNote(7, NoteRow));
    close(WindowId::Main);
    EXPECT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(state.shell.quitRequested, 1);
}

TEST_F(MainWindow, SizeChangeLaysOutAndShowsAllThreeImagesAgain) {
    const View& view = state.view;
    const std::int32_t gridWidth = view.mainArea.width;
    const std::int32_t gridHeight = view.mainArea.height;
    const std::array<ControlId, 3> images = {ControlId::VerImage, ControlId::HorImage,
                                             ControlId::MainImage};
    std::map<ControlId, int> shown;
    for (ControlId id : images)
        shown[id] = ui.showImageCount[id];
    ui.setClientSize(WindowId::Main, 1000, 700);
    resized(WindowId::Main);
    EXPECT_EQ(view.mainArea.width, gridWidth + 200);
    EXPECT_EQ(view.mainArea.height, gridHeight + 100);
    for (const ImageArea* area : {&view.verArea, &view.horArea, &view.mainArea}) {
        EXPECT_EQ(area->imageWidth, area->width);
        EXPECT_EQ(area->imageHeight, area->height);
    }
    for (ControlId id : images) {
        EXPECT_EQ(ui.showImageCount[id], shown[id] + 1) << "control " << id;
    }
    EXPECT_EQ(ui.shownImages[ControlId::MainImage].width(), view.mainArea.width);
    EXPECT_EQ(ui.shownImages[ControlId::HorImage].height(), view.horArea.height);
    EXPECT_EQ(ui.shownImages[ControlId::VerImage].width(), view.verArea.width);
    EXPECT_EQ(ui.controlRect(ControlId::MainImage).width, view.mainArea.width);
}

TEST_F(MainWindow, DurationSpinEventOfAnyTypeSetsTheColumnDuration) {
    ui.setSpinValue(ControlId::DurationSpin, 250);
    control(WindowId::Main, ControlId::DurationSpin, LeftClick);
    EXPECT_EQ(state.melody.columnDuration, 250);
    ui.setSpinValue(ControlId::DurationSpin, 7);
    control(WindowId::Main, ControlId::DurationSpin, RightClick);
    EXPECT_EQ(state.melody.columnDuration, 7);
}

// Whatever an event could change.
struct Observed {
    CellGrid grid;
    ColumnMarks marks;
    std::int32_t lastColumn, columnDuration, selectionActive, pasteMode, quitRequested;
    std::int32_t repeatOn, stopRequested, hScrollDrag, vScrollDrag;
    double horizontalScroll, verticalScroll;
    bool repeatPressed, selectionPressed, codeShown, dialogShown;
    std::size_t boxes, menus, shellOpens, openDialogs, saveDialogs;
    int imagesShown, threadsStarted;
    std::string clipboard;
    std::int32_t codeEditorWidth, codeEditorHeight, mainWidth, mainHeight;
    friend bool operator==(const Observed&, const Observed&) = default;
};

TEST_F(MainWindow, EventsOfOtherWindowsAndUnknownKindsAreIgnored) {
    test::setNote(state.melody, 5, NoteRow);
    ui.pointerAt = insideGrid();
    const auto observe = [&] {
        const auto& counts = ui.showImageCount;
        return Observed{
            state.melody.grid,
            state.melody.marks,
            state.melody.lastColumn,
            state.melody.columnDuration,
            state.selection.selectionActive,
            state.shell.pasteMode,
            state.shell.quitRequested,
            state.playback.repeatOn.load(),
            state.playback.stopRequested.load(),
            state.view.hScrollDrag,
            state.view.vScrollDrag,
            state.view.horizontalScroll,
            state.view.verticalScroll,
            ui.isButtonPressed(CommandId::ToggleRepeat),
            ui.isButtonPressed(CommandId::ToggleSelection),
            ui.isWindowVisible(WindowId::Code),
            ui.isWindowVisible(WindowId::NewMelody),
            ui.boxes.size(),
            ui.shownMenus.size(),
            ui.shellOpened.size(),
            ui.openDialogs.size(),
            ui.saveDialogs.size(),
            std::accumulate(counts.begin(), counts.end(), 0,
                            [](int sum, const auto& entry) { return sum + entry.second; }),
            app.fake.runtime.threadsStarted,
            ui.clipboard,
            ui.controlRect(ControlId::CodeEditor).width,
            ui.controlRect(ControlId::CodeEditor).height,
            ui.clientSize(WindowId::Main).width,
            ui.clientSize(WindowId::Main).height};
    };
    ui.setClientSize(WindowId::Code, 400, 400);
    const WindowId otherWindow{99};
    const std::vector<Event> ignored = {
        Event{EventKind::Close, otherWindow},
        Event{EventKind::Size, otherWindow},
        commandEvent(otherWindow, CommandId::SelectionKey),
        controlEvent(otherWindow, ControlId::MainImage, LeftClick),
        commandEvent(WindowId::Code, CommandId::RepeatKey),
        commandEvent(WindowId::NewMelody, CommandId::Help),
        controlEvent(WindowId::Code, ControlId::Apply, LeftClick),
        controlEvent(WindowId::NewMelody, ControlId::CodeCopy, LeftClick),
        controlEvent(WindowId::Main, ControlId::Apply, LeftClick),
        controlEvent(WindowId::NewMelody, ControlId::Apply, RightClick),
        controlEvent(WindowId::Main, ControlId::WidthSpin, LeftClick),
        controlEvent(WindowId::Main, ControlId::MainImage, 2),
        Event{EventKind::Size, WindowId::NewMelody},
        Event{EventKind::PointerMove, WindowId::Code},
        Event{EventKind::LeftRelease, WindowId::NewMelody},
        commandEvent(WindowId::Main, CommandId::Spacer1),
        commandEvent(WindowId::Main, CommandId::Spacer3),
        commandEvent(WindowId::Main, SeparatorLine),
        commandEvent(WindowId::Main, CommandId{99}),
        Event{EventKind::None, WindowId::Main},
    };
    for (const Event& event : ignored) {
        const Observed before = observe();
        deliver(event);
        EXPECT_TRUE(observe() == before)
            << "kind " << static_cast<int>(event.kind) << " window " << event.window << " id "
            << event.command << " control " << event.control << " type " << event.type;
    }
}

// ---- The code window ----

using CodeWindow = EventLoopFixture;

TEST_F(CodeWindow, CloseHidesItWithoutAskingAnything) {
    ui.showWindow(WindowId::Code, false);
    close(WindowId::Code);
    EXPECT_FALSE(ui.isWindowVisible(WindowId::Code));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(state.shell.quitRequested, 0);
}

TEST_F(CodeWindow, SizeChangeKeepsCopyAlongTheTopAndTheEditorBelow) {
    for (const Size client : {Size{300, 500}, Size{40, 60}, Size{1200, 900}}) {
        ui.setClientSize(WindowId::Code, client.width, client.height);
        resized(WindowId::Code);
        const Rect editor = ui.controlRect(ControlId::CodeEditor);
        const Rect copy = ui.controlRect(ControlId::CodeCopy);
        EXPECT_EQ(editor.x, 2);
        EXPECT_EQ(editor.y, 24);
        EXPECT_EQ(editor.width, client.width - 4);
        EXPECT_EQ(editor.height, client.height - 26);
        EXPECT_EQ(copy.x, 2);
        EXPECT_EQ(copy.y, 2);
        EXPECT_EQ(copy.width, client.width - 4);
        EXPECT_EQ(copy.height, 20);
    }
}

TEST_F(CodeWindow, CopyPutsTheEditorTextOnTheClipboard) {
    test::setNote(state.melody, 2, NoteRow);
    test::setNote(state.melody, 5, NoteRow + 3);
    command(CommandId::GetCode);
    ASSERT_TRUE(ui.isWindowVisible(WindowId::Code));
    const std::string code = ui.editorText(ControlId::CodeEditor);
    ASSERT_NE(code.find("Beep_( "), std::string::npos);
    EXPECT_TRUE(ui.clipboard.empty()) << "exporting alone does not copy";
    control(WindowId::Code, ControlId::CodeCopy, LeftClick);
    EXPECT_EQ(ui.clipboard, code);
    // Text typed into the editor is copied as it stands.
    ui.appendEditorText(ControlId::CodeEditor, "Delay(5)\r\n");
    control(WindowId::Code, ControlId::CodeCopy, LeftClick);
    EXPECT_EQ(ui.clipboard, code + "Delay(5)\r\n");
}

TEST_F(CodeWindow, RightClickOnCopyChoosesTheDialectAndTheChoiceIsRemembered) {
    test::setNote(state.melody, 2, NoteRow);
    command(CommandId::GetCode);
    ui.chooseAnswers = {1, -1};
    control(WindowId::Code, ControlId::CodeCopy, RightClick);
    ASSERT_EQ(ui.chooseMenus.size(), 1u);
    // The program texts first, beep first of all; the other texts after them.
    const std::vector<std::string>& entries = ui.chooseMenus[0].entries;
    ASSERT_GE(entries.size(), 5u);
    EXPECT_EQ(
        std::vector<std::string>(entries.begin(), entries.begin() + 5),
        (std::vector<std::string>{"beep", "arduino", "arduino-table", "linux-beep", "c-array"}));
    EXPECT_EQ(ui.chooseMenus[0].checked, 0);
    const std::string arduino = ui.editorText(ControlId::CodeEditor);
    EXPECT_NE(arduino.find("tone(BUZZER_PIN, "), std::string::npos) << arduino;
    EXPECT_TRUE(ui.clipboard.empty()) << "a right click does not copy";
    EXPECT_EQ(ui.settings["codeFormat"], "arduino");

    // Dismissed, the menu changes nothing; the next one shows the current choice checked.
    control(WindowId::Code, ControlId::CodeCopy, RightClick);
    EXPECT_EQ(ui.chooseMenus[1].checked, 1);
    EXPECT_EQ(ui.editorText(ControlId::CodeEditor), arduino);
}

} // namespace
} // namespace vemo
