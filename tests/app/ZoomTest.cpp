#include "app/NewMelodyCommand.h"
#include "tests/app/EventLoopFixture.h"
#include "view/PixelScale.h"

#include <cmath>

namespace vemo {
namespace {

class Zoom : public test::EventLoopFixture {
  protected:
    using EventLoopFixture::EventLoopFixture;
    // The command the shortcut table gives the key, as the platform would queue it.
    void press(ShortcutKey key, std::int32_t modifiers) {
        for (const test::ShortcutCall& shortcut : ui.shortcuts) {
            if (shortcut.key == key && shortcut.modifiers == modifiers) {
                command(shortcut.commandId);
                return;
            }
        }
        ADD_FAILURE() << "no shortcut";
    }
    void ctrlWheel(std::int32_t steps) {
        Event wheel{EventKind::CtrlWheel, WindowId::Main};
        wheel.control = ControlId::MainImage;
        wheel.steps = steps;
        deliver(wheel);
    }
    std::string readout() { return ui.controls[ControlId::PointerReadout].text; }
    std::int32_t gridShows() { return ui.showImageCount[ControlId::MainImage]; }
};

TEST_F(Zoom, KeysStepFromOneToFourAroundTheGridsCentre) {
    ASSERT_EQ(state.view.zoom, 1);
    state.view.horizontalScroll = 0.4;
    const ImageArea& grid = state.view.mainArea;
    ui.pointerAt = {grid.x + grid.width / 2, grid.y + grid.height / 2};
    pass();
    const std::string centre = readout();
    ASSERT_NE(centre, "");

    press(ShortcutKey::Plus, Modifier::Control);
    EXPECT_EQ(state.view.zoom, 2);
    press(ShortcutKey::Plus, Modifier::Control | Modifier::Shift);
    EXPECT_EQ(state.view.zoom, 3);
    press(ShortcutKey::Equal, Modifier::Control);
    EXPECT_EQ(state.view.zoom, 4);
    EXPECT_EQ(readout(), centre);
    const std::int32_t shows = gridShows();
    press(ShortcutKey::Equal, Modifier::Control);
    EXPECT_EQ(state.view.zoom, 4);
    EXPECT_EQ(gridShows(), shows) << "nothing to repaint past the largest zoom";

    for (std::int32_t zoom : {3, 2, 1, 1}) {
        press(ShortcutKey::Minus, Modifier::Control);
        EXPECT_EQ(state.view.zoom, zoom);
        EXPECT_EQ(readout(), centre) << "zoom " << zoom;
    }
}

TEST_F(Zoom, CtrlWheelKeepsTheCellUnderThePointerAndEditsThere) {
    constexpr std::int32_t Column = 200;
    constexpr std::int32_t Row = 50;
    state.view.horizontalScroll = 0.4;
    pass();
    pointAtCell(Column, Row);
    pass();
    const std::string under = readout();
    ASSERT_NE(under.find("col 200"), std::string::npos) << under;

    ctrlWheel(1);
    EXPECT_EQ(state.view.zoom, 2);
    EXPECT_EQ(readout(), under);
    ctrlWheel(2);
    EXPECT_EQ(state.view.zoom, 4);
    EXPECT_EQ(readout(), under);
    ctrlWheel(-1);
    EXPECT_EQ(state.view.zoom, 3);
    EXPECT_EQ(readout(), under);
    // Each shown pixel is a 3 x 3 block now, and a click still lands on that cell.
    control(WindowId::Main, ControlId::MainImage, LeftClick);
    EXPECT_TRUE(hasNote(Column, Row));
    EXPECT_EQ(noteCount(), 1);

    ctrlWheel(-5);
    EXPECT_EQ(state.view.zoom, 1);
    EXPECT_EQ(readout(), under);

    // Off the grid the wheel zooms around the grid's centre.
    ui.pointerAt = {state.view.verArea.x + 3, state.view.verArea.y + 3};
    ctrlWheel(1);
    EXPECT_EQ(state.view.zoom, 2);
}

TEST_F(Zoom, OnTheLongestMelodyTheWheelKeepsAColumnNearTheStartUnderThePointer) {
    applyNewMelody(app.editor, MaxColumnCount, 4, 4);
    pointAtCell(50, 50);
    pass();
    const std::string under = readout();
    ASSERT_NE(under.find("col 50"), std::string::npos) << under;
    for (std::int32_t zoom = 2; zoom <= MaxZoom; ++zoom) {
        ctrlWheel(1);
        ASSERT_EQ(state.view.zoom, zoom);
        EXPECT_EQ(readout(), under) << "zoom " << zoom;
    }
}

// A screen of twice the pixels: the images count screen pixels, so zoom 2 there shows cells at
// the controls' size of zoom 1 on an ordinary screen.
class ZoomOnDoubledScreen : public Zoom {
  protected:
    static constexpr std::int32_t Ratio = 2;
    ZoomOnDoubledScreen() : Zoom(Ratio) {}

    // The pointer, in the controls' own pixels, a few pixels of the melody into the cell.
    void pointAtCellOnScreen(std::int32_t column, std::int32_t row) {
        const ScrollOffsets offsets = gridScrollOffsets(state.melody, state.view);
        const Cell& cell = state.melody.grid.at(column, row);
        const std::int32_t zoom = state.view.zoom;
        ui.pointerAt = {state.view.mainArea.x + (cell.x - offsets.scrollX + 3) * zoom / Ratio,
                        state.view.mainArea.y + (cell.y - offsets.scrollY + 3) * zoom / Ratio};
    }
    std::int32_t shownWidth(ControlId controlId) { return ui.shownImages[controlId].width(); }
};

TEST_F(ZoomOnDoubledScreen, ImagesCountScreenPixelsAndThePointerFindsItsCellAtEveryZoom) {
    ASSERT_EQ(state.view.zoom, 2);
    const View& view = state.view;
    for (const auto& [id, area] : {std::pair{ControlId::MainImage, &view.mainArea},
                                   std::pair{ControlId::VerImage, &view.verArea},
                                   std::pair{ControlId::HorImage, &view.horArea}}) {
        EXPECT_EQ(shownWidth(id), Ratio * area->width) << id;
        EXPECT_EQ(ui.shownImages[id].height(), Ratio * area->height) << id;
    }

    state.view.horizontalScroll = 0.4;
    pass();
    pointAtCellOnScreen(200, 50);
    pass();
    EXPECT_NE(readout().find("col 200"), std::string::npos) << readout();
    control(WindowId::Main, ControlId::MainImage, LeftClick);
    EXPECT_TRUE(hasNote(200, 50));

    // The wheel's anchor is the same cell, and a click at zoom 3 lands on its cell too.
    ctrlWheel(1);
    ASSERT_EQ(state.view.zoom, 3);
    EXPECT_NE(readout().find("col 200"), std::string::npos) << readout();
    pointAtCellOnScreen(203, 47);
    pass();
    EXPECT_NE(readout().find("col 203"), std::string::npos) << readout();
    control(WindowId::Main, ControlId::MainImage, LeftClick);
    EXPECT_TRUE(hasNote(203, 47));
    EXPECT_EQ(noteCount(), 2);

    // Moved to an ordinary screen, the next pass paints at its scale and keeps the zoom.
    ui.devicePixelRatioValue = 1.0;
    pass();
    EXPECT_EQ(state.view.zoom, 3);
    EXPECT_EQ(shownWidth(ControlId::MainImage), view.mainArea.width);
    EXPECT_EQ(shownWidth(ControlId::HorImage), view.horArea.width);
}

TEST(StartZoom, FollowsTheScreensPixelRatioRoundedWithinOneToFour) {
    const std::pair<double, std::int32_t> ratios[] = {
        {1.0, 1}, {1.25, 1}, {1.5, 2}, {2.0, 2}, {2.75, 3},
        {4.0, 4}, {6.0, 4},  {0.5, 1}, {0.0, 1}, {std::nan(""), 1}};
    for (const auto& [ratio, zoom] : ratios)
        EXPECT_EQ(startZoom(ratio), zoom) << "ratio " << ratio;

    test::StartedEditor doubled(2.0);
    ASSERT_TRUE(doubled.started);
    EXPECT_EQ(doubled.state.view.zoom, 2);
    // The first picture is already drawn at that zoom: its pixels come in 2 x 2 blocks.
    const Image& shown = doubled.fake.ui.shownImages[ControlId::MainImage];
    for (std::int32_t y = 0; y < shown.height() - 1; y += 2)
        for (std::int32_t x = 0; x < shown.width() - 1; x += 2)
            ASSERT_TRUE(shown.pixel(x + 1, y) == shown.pixel(x, y) &&
                        shown.pixel(x, y + 1) == shown.pixel(x, y) &&
                        shown.pixel(x + 1, y + 1) == shown.pixel(x, y))
                << x << "," << y;
}

} // namespace
} // namespace vemo
