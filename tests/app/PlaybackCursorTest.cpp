#include "app/EventLoop.h"
#include "app/NewMelodyCommand.h"
#include "tests/app/EventLoopFixture.h"
#include "view/PixelScale.h"

namespace vemo {
namespace {

constexpr std::int32_t Row = 40;
constexpr std::int64_t ColumnUs = StartColumnDuration * 1000;

class PlaybackCursor : public test::EventLoopFixture {
  protected:
    void SetUp() override {
        EventLoopFixture::SetUp();
        app.fake.runtime.joinAll(); // the opening sweep
    }
    std::int32_t lineX() {
        return ui.cursorLineX.count(ControlId::MainImage) != 0
                   ? ui.cursorLineX[ControlId::MainImage]
                   : -1;
    }
    std::int32_t expectedX(std::int32_t column, double fraction) {
        const ScrollOffsets offsets = gridScrollOffsets(state.melody, state.view);
        return static_cast<std::int32_t>(state.melody.grid.at(column, 0).x +
                                         fraction * state.melody.columnWidth - offsets.scrollX);
    }
    void hear(std::int32_t column, double fraction) {
        app.fake.beeper.clockUs = static_cast<std::int64_t>((column + fraction) * ColumnUs);
        pass();
    }
    // Plays the melody, its worker held on its first event.
    void startPlaying() {
        app.fake.beeper.clockUs = 0;
        app.fake.beeper.hold();
        const std::size_t callsBefore = app.fake.beeper.calls().size();
        command(CommandId::Sing);
        // The worker has said where its first event starts once that event reaches the beeper.
        ASSERT_TRUE(app.fake.beeper.waitForCalls(callsBefore + 1));
    }
    void stopPlaying() {
        app.fake.beeper.release();
        app.fake.runtime.joinAll();
        pass();
    }
};

TEST_F(PlaybackCursor, FollowsTheHeardColumnJumpsTheViewAndStopsFollowingWhenTheUserScrolls) {
    test::setNote(state.melody, 0, Row);
    test::setNote(state.melody, 300, Row);
    startPlaying();
    hear(150, 0.0);
    EXPECT_EQ(state.view.horizontalScroll, 0.0) << "without follow playback the view stays";
    EXPECT_EQ(lineX(), -1) << "the heard column is off the view";
    command(CommandId::FollowKey);
    EXPECT_EQ(ui.settings["followPlayback"], "1") << "remembered for the next run";

    hear(10, 0.5);
    EXPECT_EQ(lineX(), expectedX(10, 0.5));
    EXPECT_EQ(ui.waitTimeouts.back(), CursorFrameMs) << "the loop wakes for the cursor";
    const int gridPasses = ui.showImageCount[ControlId::MainImage];
    hear(10, 0.75);
    EXPECT_EQ(lineX(), expectedX(10, 0.75));
    EXPECT_EQ(ui.showImageCount[ControlId::MainImage], gridPasses) << "moving it drew the grid";

    hear(150, 0.0); // far right of the view: it jumps to a quarter of its width
    EXPECT_GT(state.view.horizontalScroll, 0.0);
    EXPECT_NEAR(lineX(), state.view.mainArea.imageWidth / 4, 1);

    // A drag on the scroll bar: from now on the view stays where the user put it.
    ui.keys[Key::LeftButton] = KeyDownNow;
    ui.pointerAt = {state.view.verArea.x + 2, state.view.verArea.y + 1};
    control(WindowId::Main, ControlId::VerImage, LeftClick);
    ui.keys[Key::LeftButton] = 0;
    deliver(Event{EventKind::LeftRelease, WindowId::Main});
    const double scrolledTo = state.view.horizontalScroll;
    hear(250, 0.0);
    EXPECT_EQ(state.view.horizontalScroll, scrolledTo);
    EXPECT_EQ(lineX(), -1) << "the heard column is off the view";

    stopPlaying();
    EXPECT_EQ(lineX(), -1);
    pass();
    EXPECT_EQ(ui.waitTimeouts.back(), EventWaitMs);
}

TEST_F(PlaybackCursor, ADragKeepsTheViewStillSoItsStrokeNeverJumps) {
    ui.setButtonPressed(CommandId::FollowPlayback, true);
    command(CommandId::FollowPlayback);
    test::setNote(state.melody, 0, 60);
    test::setNote(state.melody, 300, 60);
    startPlaying();
    ui.keys[Key::LeftButton] = KeyDownNow;
    pointAtCell(5, Row);
    control(WindowId::Main, ControlId::MainImage, LeftClick);
    hear(150, 0.0); // off the view, but the button is held
    EXPECT_EQ(state.view.horizontalScroll, 0.0);
    pointAtCell(6, Row);
    deliver(Event{EventKind::PointerMove, WindowId::Main});
    hear(151, 0.0);
    EXPECT_EQ(state.view.horizontalScroll, 0.0);
    ui.keys[Key::LeftButton] = 0;
    deliver(Event{EventKind::LeftRelease, WindowId::Main});
    EXPECT_EQ(noteCount(), 4) << "the two notes of the melody and the two of the stroke";
    EXPECT_TRUE(hasNote(5, Row) && hasNote(6, Row));
    EXPECT_NE(state.melody.grid.at(5, Row).joinRight, 0);
    EXPECT_EQ(state.melody.grid.at(6, Row).joinRight, 0) << "the stroke ends where it was let go";

    // Hands off, the pass of the release catches up.
    EXPECT_GT(state.view.horizontalScroll, 0.0);
    EXPECT_NEAR(lineX(), state.view.mainArea.imageWidth / 4, 1);
    stopPlaying();
}

TEST_F(PlaybackCursor, AtFourTimesZoomOnTheLongestMelodyTheFollowedCursorStaysInView) {
    command(CommandId::FollowKey);
    applyNewMelody(app.editor, MaxColumnCount, 4, 4);
    for (std::int32_t step = 1; step < MaxZoom; ++step)
        command(CommandId::ZoomIn);
    ASSERT_EQ(state.view.zoom, MaxZoom);
    test::setNote(state.melody, 0, Row);
    test::setNote(state.melody, MaxColumnCount - 1, Row);
    startPlaying();
    for (const std::int32_t column : {3, 30, 133, 700, 3990, 4095}) {
        hear(column, 0.5);
        EXPECT_TRUE(lineX() >= 0 && lineX() < state.view.mainArea.imageWidth) << column;
    }
    stopPlaying();
}

TEST_F(PlaybackCursor, ShiftSpacePlaysFromTheColumnUnderThePointer) {
    for (const std::int32_t column : {5, 20, 30})
        test::setNote(state.melody, column, Row);
    const auto playedFrom = [&](std::int32_t pointerColumn, bool isSelectionInUse) {
        selectColumns(10, 25, isSelectionInUse);
        if (pointerColumn < 0) {
            ui.pointerAt = {-1, -1};
        } else {
            pointAtCell(pointerColumn, Row);
        }
        const std::size_t before = app.fake.beeper.calls().size();
        command(CommandId::PlayFromPointerKey);
        app.fake.runtime.joinAll();
        pass();
        const auto calls = app.fake.beeper.calls();
        return std::vector<test::RecordingBeeper::Call>(calls.begin() + before, calls.end());
    };
    EXPECT_EQ(playedFrom(20, false).size(), 11u) << "column 20, nine rests, column 30";
    EXPECT_EQ(playedFrom(20, true).size(), 1u) << "to the end of the selection";
    EXPECT_EQ(playedFrom(-1, false).size(), 26u) << "from the first visible column";
}

TEST_F(PlaybackCursor, ReadoutNamesTheNoteColumnAndTimeUnderThePointer) {
    pointAtCell(17, 50);
    pass();
    EXPECT_EQ(ui.controls[ControlId::PointerReadout].text, "A4\r\n440 Hz\r\ncol 17\r\n2.04 s");
    pointAtCell(0, 74);
    pass();
    EXPECT_EQ(ui.controls[ControlId::PointerReadout].text, "A2\r\n110 Hz\r\ncol 0\r\n0.00 s");
    ui.pointerAt = {-1, -1};
    pass();
    EXPECT_EQ(ui.controls[ControlId::PointerReadout].text, "");
}

} // namespace
} // namespace vemo
