#include "app/Startup.h"
#include "app/FileCommands.h"
#include "app/Layout.h"
#include "platform/Ids.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vemo {
namespace {

using Call = test::RecordingBeeper::Call;

class StartupTest : public ::testing::Test {
  protected:
    std::int32_t run(std::vector<std::string> arguments = {}) {
        ProgramContext context = process.context(std::move(arguments));
        const std::int32_t exitCode = runProgram(fake.platform, context);
        fake.runtime.joinAll();
        return exitCode;
    }
    void answerCloseWith(bool answer) {
        fake.ui.events.push_back(Event{EventKind::Close, WindowId::Main});
        fake.ui.boxAnswers.push_back(answer);
    }
    bool anyWindowShown() {
        for (const auto& [id, window] : fake.ui.windows)
            if (window.visible) return true;
        return false;
    }
    test::FakePlatform fake;
    test::FakeProcess process;
};

TEST_F(StartupTest, MissingBitmapShowsOneErrorBoxAndNoWindow) {
    fake.ui.addAllDataFiles();
    fake.ui.imageFiles.erase("Data/img02_L.bmp");
    EXPECT_EQ(run(), ExitFailure);
    ASSERT_EQ(fake.ui.boxes.size(), 1u);
    EXPECT_EQ(fake.ui.boxes[0].title, "error");
    EXPECT_EQ(fake.ui.boxes[0].text, "can't load Data\\img02_L.bmp");
    EXPECT_FALSE(fake.ui.boxes[0].yesNo);
    EXPECT_TRUE(fake.ui.windows.empty());
    EXPECT_TRUE(fake.beeper.calls().empty());
}

TEST_F(StartupTest, MissingLastIconShowsItsNameAndNoWindow) {
    fake.ui.addAllDataFiles();
    fake.ui.imageFiles.erase("Data/selec.ico");
    EXPECT_EQ(run(), ExitFailure);
    ASSERT_EQ(fake.ui.boxes.size(), 1u);
    EXPECT_EQ(fake.ui.boxes[0].text, "can't load Data\\selec.ico");
    EXPECT_FALSE(anyWindowShown());
}

TEST_F(StartupTest, TheElevenDescribedIconsStartTheEditorAndLaterOnesHaveBuiltInPictures) {
    fake.ui.addAllDataFiles();
    for (const char* name : {"undo", "redo", "export", "follow", "vemo"})
        fake.ui.imageFiles.erase(std::string("Data/") + name + ".ico");
    answerCloseWith(true);
    EXPECT_EQ(run(), ExitNormal);
    ASSERT_EQ(fake.ui.boxes.size(), 1u) << "only the exit question";
    for (const CommandId id :
         {CommandId::Undo, CommandId::Redo, CommandId::Export, CommandId::FollowPlayback}) {
        const std::vector<Pixel>& pixels = fake.ui.button(id)->icon.pixels();
        EXPECT_EQ(pixels.size(), 16u * 16u) << id;
        EXPECT_NE(std::count(pixels.begin(), pixels.end(), Pixel{0}), 16 * 16) << id << " blank";
    }
    EXPECT_NE(fake.ui.button(CommandId::Undo)->icon, fake.ui.button(CommandId::Redo)->icon);
}

TEST_F(StartupTest, FailingCreationsNameWhatFailed) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"window:0", "can't open main-window"},   {"toolbar", "can't create toolbar"},
        {"controls:0", "can't create gadgets"},   {"menu:36", "can't create popup-menu 1"},
        {"menu:40", "can't create popup-menu 2"}, {"window:24", "can't open code-window"},
        {"controls:24", "can't create gadgets"},  {"window:27", "can't open new-window"},
        {"controls:27", "can't create gadgets"}};
    for (const auto& [failure, message] : cases) {
        test::FakePlatform platform;
        platform.ui.addAllDataFiles();
        platform.ui.failCreations = {failure};
        ProgramContext context = process.context();
        EXPECT_EQ(runProgram(platform.platform, context), ExitFailure) << failure;
        ASSERT_EQ(platform.ui.boxes.size(), 1u) << failure;
        EXPECT_EQ(platform.ui.boxes[0].title, "error");
        EXPECT_EQ(platform.ui.boxes[0].text, message);
        EXPECT_FALSE(platform.ui.isWindowVisible(WindowId::Main)) << failure;
    }
}

TEST_F(StartupTest, ConfirmedCloseEndsAfterBothSweeps) {
    fake.ui.addAllDataFiles();
    answerCloseWith(false);
    answerCloseWith(true);
    EXPECT_EQ(run(), ExitNormal);
    ASSERT_EQ(fake.ui.boxes.size(), 2u);
    for (const auto& box : fake.ui.boxes) {
        EXPECT_EQ(box.title, "please confirm");
        EXPECT_EQ(box.text, "exit program?");
        EXPECT_TRUE(box.yesNo);
    }
    const auto calls = fake.beeper.calls();
    ASSERT_EQ(calls.size(), 26u);
    const std::vector<std::int32_t> closing = {810, 755, 700, 645, 590, 535, 480,
                                               425, 370, 315, 260, 205, 150};
    for (std::int32_t step = 0; step < 13; ++step) {
        EXPECT_EQ(calls[step], (Call{750 + 100 * step, 10, false}));
        EXPECT_EQ(calls[13 + step], (Call{closing[step], 8, false}));
    }
}

TEST_F(StartupTest, EndRequestEndsAtOnceWithoutQuestionOrClosingSweep) {
    fake.ui.addAllDataFiles();
    fake.ui.events.push_back(Event{EventKind::EndRequest, WindowId::Main});
    EXPECT_EQ(run(), ExitNormal);
    EXPECT_TRUE(fake.ui.boxes.empty());
    EXPECT_EQ(fake.beeper.calls().size(), 13u) << "the opening sweep only";
}

TEST_F(StartupTest, WindowUnfoldsFromZeroAndFoldsToTheMinimum) {
    fake.ui.addAllDataFiles();
    answerCloseWith(true);
    run();
    const auto& placements = fake.ui.placements;
    // Opening: 800 x 0, then 13 sweep steps, then the working size.
    ASSERT_GE(placements.size(), 15u);
    EXPECT_EQ(placements[0], "0 100 100 800 0");
    EXPECT_EQ(placements[1], "0 100 400 800 0");
    EXPECT_EQ(placements[2], "0 100 375 800 50");
    EXPECT_EQ(placements[13], "0 100 100 800 600");
    EXPECT_EQ(placements[14], "0 100 100 800 600");
    // Closing: the layout holds the last two steps and the final placement at 100 pixels.
    EXPECT_EQ(placements[placements.size() - 3], "0 100 375 800 50");
    EXPECT_EQ(placements.back(), "0 100 400 800 0");
    EXPECT_EQ(fake.ui.clientSize(WindowId::Main).height, MinClientHeight);
    EXPECT_EQ(fake.ui.windows[WindowId::Main].minimumHeight, 0) << "the sweep folds below it";
}

TEST_F(StartupTest, StartedEditorShowsTheEmptyMelody) {
    test::StartedEditor editor;
    ASSERT_TRUE(editor.started);
    test::FakeUi& ui = editor.fake.ui;
    EXPECT_EQ(ui.windowPosition(WindowId::Main).x, 100);
    EXPECT_EQ(ui.windowPosition(WindowId::Main).y, 100);
    EXPECT_EQ(ui.clientSize(WindowId::Main).width, 800);
    EXPECT_EQ(ui.clientSize(WindowId::Main).height, 600);
    EXPECT_TRUE(ui.isWindowVisible(WindowId::Main));
    EXPECT_FALSE(ui.isWindowVisible(WindowId::Code));
    EXPECT_FALSE(ui.isWindowVisible(WindowId::NewMelody));
    EXPECT_EQ(ui.windowTitle(WindowId::Main), "       vemo - F1:help - untitled");
    EXPECT_EQ(editor.state.melody.lastColumn, 511);
    EXPECT_EQ(editor.state.melody.lastRow, 95);
    EXPECT_EQ(editor.state.melody.columnWidth, 12);
    EXPECT_EQ(editor.state.melody.rowHeight, 8);
    EXPECT_EQ(editor.state.shell.fileName, "/opt/vemo/");
    EXPECT_EQ(ui.shownImages.count(ControlId::MainImage), 1u);
    EXPECT_TRUE(ui.programIconSet);
    // The window manager keeps the user's resizes at the minimum the layout would enforce.
    EXPECT_EQ(ui.windows[WindowId::Main].minimumWidth, MinClientWidth);
    EXPECT_EQ(ui.windows[WindowId::Main].minimumHeight, MinClientHeight);
}

TEST_F(StartupTest, ControlsToolbarMenusAndShortcutsInCreationOrder) {
    test::StartedEditor editor;
    test::FakeUi& ui = editor.fake.ui;
    EXPECT_EQ(ui.windowOrder,
              (std::vector<WindowId>{WindowId::Main, WindowId::Code, WindowId::NewMelody}));
    std::vector<std::int32_t> commands;
    for (const auto& b : ui.buttons)
        commands.push_back(idNumber(b.commandId));
    EXPECT_EQ(commands, (std::vector<std::int32_t>{13, 6, 14, 15, 7, 9, 10, 11, 12, 8, 17, 18, 16,
                                                   45, 46, 54, 55, 57}));
    // Nothing to undo or redo yet.
    for (std::int32_t disabled : {6, 7, 8, 10, 45, 46})
        EXPECT_FALSE(ui.button(CommandId{disabled})->enabled);
    EXPECT_TRUE(ui.button(CommandId::ToggleRepeat)->isToggle);
    EXPECT_TRUE(ui.button(CommandId::ToggleSelection)->isToggle);
    EXPECT_FALSE(ui.button(CommandId::ToggleSelection)->pressed);
    EXPECT_TRUE(ui.button(CommandId::FollowPlayback)->isToggle);
    EXPECT_FALSE(ui.button(CommandId::FollowPlayback)->pressed);
    EXPECT_EQ(ui.button(CommandId::ToggleSelection)->tooltip, "toggle selection usage");
    EXPECT_EQ(idNumbers(ui.controlOrder), (std::vector<std::int32_t>{3, 2, 4, 1, 60, 62, 26, 25, 30,
                                                                     31, 32, 33, 34, 35, 29, 28}));
    EXPECT_EQ(ui.spinValue(ControlId::DurationSpin), 120);
    EXPECT_EQ(ui.spinValue(ControlId::WidthSpin), 512);
    EXPECT_EQ(ui.spinValue(ControlId::SmallBlockSpin), 4);
    EXPECT_EQ(ui.spinValue(ControlId::LargeBlockSpin), 4);
    EXPECT_EQ(ui.controls[ControlId::DurationSpin].rect.y, editor.state.view.mainArea.y);
    EXPECT_EQ(ui.controls[ControlId::CodeEditor].rect.height, 600 - 26);
    EXPECT_EQ(ui.controls[ControlId::Apply].rect.x, 20);
    EXPECT_EQ(ui.controls[ControlId::Cancel].rect.x, 85);
    EXPECT_EQ(ui.menus[MenuId::Column].size(), 4u);
    EXPECT_EQ(ui.menus[MenuId::Paste][4].text, "paste notes and layout");
    ASSERT_EQ(ui.shortcuts.size(), 24u);
    EXPECT_EQ(ui.shortcuts[6].modifiers, Modifier::Control);
    EXPECT_EQ(ui.shortcuts[6].commandId, CommandId::Copy);
    EXPECT_EQ(ui.shortcuts[12].modifiers, Modifier::Control | Modifier::Shift);
    EXPECT_EQ(ui.shortcuts[12].commandId, CommandId::Redo);
    // Centred over the 800 x 600 main window at (100, 100).
    EXPECT_EQ(ui.windows[WindowId::NewMelody].x, 425);
    EXPECT_EQ(ui.windows[WindowId::NewMelody].y, 335);
}

TEST_F(StartupTest, FileDialogsStartInTheWorkingDirectoryWithTheLastFolderOneClickAway) {
    fake.ui.addAllDataFiles();
    test::TempFolder folder;
    fake.ui.settings["lastFolder"] = folder.path().string();
    EditorState state;
    Resources resources;
    ProgramContext context = process.context();
    ASSERT_TRUE(startUp(state, resources, fake.platform, context));
    EXPECT_EQ(state.shell.loadPath, "/opt/vemo/");
    EXPECT_EQ(state.shell.fileName, "/opt/vemo/");

    ViewImages images;
    EditorContext editor{state, resources.bitmaps, images, fake.platform};
    const test::TempFolder other;
    fake.ui.saveAnswers.push_back(other.file("tune"));
    saveMelody(editor);
    ASSERT_EQ(fake.ui.saveDialogs.size(), 1u);
    EXPECT_EQ(fake.ui.saveDialogs[0].defaultPath, "/opt/vemo/");
    EXPECT_EQ(fake.ui.saveDialogs[0].recentFolder, folder.path().string());
    EXPECT_EQ(fake.ui.settings["lastFolder"], other.path().string());
    loadMelody(editor);
    ASSERT_EQ(fake.ui.openDialogs.size(), 1u);
    EXPECT_EQ(fake.ui.openDialogs[0].defaultPath, "/opt/vemo/");
    EXPECT_EQ(fake.ui.openDialogs[0].recentFolder, other.path().string());

    // A folder that is gone is not offered.
    fake.ui.settings["lastFolder"] = folder.path().string() + "/gone";
    loadMelody(editor);
    EXPECT_EQ(fake.ui.openDialogs[1].recentFolder, "");
}

TEST_F(StartupTest, WorkingDirectoryIsTheProgramFolderUnlessDevelopmentRun) {
    fake.ui.addAllDataFiles();
    {
        EditorState state;
        Resources resources;
        ProgramContext context = process.context({}, "/opt/vemo/", false);
        ASSERT_TRUE(startUp(state, resources, fake.platform, context));
        EXPECT_EQ(process.directoryChanges, (std::vector<std::string>{"/opt/vemo/"}));
    }
    test::FakePlatform other;
    other.ui.addAllDataFiles();
    test::FakeProcess development;
    EditorState state;
    Resources resources;
    ProgramContext context = development.context({}, "/src/vemo/build/bin/", true);
    ASSERT_TRUE(startUp(state, resources, other.platform, context));
    EXPECT_TRUE(development.directoryChanges.empty());
    EXPECT_EQ(state.shell.fileName, "/home/user/melodies/");
    EXPECT_EQ(state.shell.loadPath, "/home/user/melodies/");
}

TEST_F(StartupTest, RelativeFileIsFoundWhereTheProgramWasStarted) {
    fake.ui.addAllDataFiles();
    EXPECT_EQ(run({"tunes/missing.vemo", "ignored.vemo"}), ExitFailure);
    ASSERT_EQ(fake.ui.boxes.size(), 1u);
    EXPECT_EQ(fake.ui.boxes[0].text,
              "can't load \r\n\r\n'/home/user/melodies/tunes/missing.vemo'\r\nthere is no file "
              "of that name; check the name and the folder");
}

TEST_F(StartupTest, EmptyFirstParameterLoadsNothing) {
    fake.ui.addAllDataFiles();
    answerCloseWith(true);
    EXPECT_EQ(run({""}), ExitNormal);
    EXPECT_EQ(fake.ui.boxes.size(), 1u) << "only the close question";
}

TEST(Layout, SmallClientIsRaisedToTheMinimumThenLaidOut) {
    test::StartedEditor editor;
    test::FakeUi& ui = editor.fake.ui;
    ui.placeWindow(WindowId::Main, 100, 100, 150, 80);
    layoutMainWindow(editor.state.view, ui);
    const View& view = editor.state.view;
    EXPECT_EQ(ui.clientSize(WindowId::Main).width, 200);
    EXPECT_EQ(ui.clientSize(WindowId::Main).height, 100);
    EXPECT_EQ(view.horArea.x, 183);
    EXPECT_EQ(view.verArea.width, 128);
    EXPECT_EQ(view.mainArea.width, 128);
    EXPECT_EQ(view.mainArea.height, 78 - ui.toolbarHeight());
    EXPECT_EQ(view.horArea.height, 78 - ui.toolbarHeight());
    EXPECT_EQ(view.mainArea.imageWidth, 128);
    EXPECT_EQ(ui.controlRect(ControlId::HorImage).x, 183);
}

TEST(Layout, StartSizeAndUnchangedSizeKeepsTheImages) {
    test::StartedEditor editor;
    View& view = editor.state.view;
    EXPECT_EQ(view.mainArea.width, 728);
    EXPECT_EQ(view.horArea.x, 783);
    EXPECT_EQ(view.mainArea.height, 578 - editor.fake.ui.toolbarHeight());
    editor.images.main.setPixel(3, 3, rgb(1, 2, 3));
    layoutMainWindow(view, editor.fake.ui);
    fitToArea(editor.images.main, view.mainArea);
    EXPECT_EQ(editor.images.main.pixel(3, 3), rgb(1, 2, 3));
}

} // namespace
} // namespace vemo
