#include "view/Redraw.h"

#include "platform/Ids.h"
#include "tests/support/FakePlatform.h"
#include "tests/view/ViewFixture.h"
#include "view/GridPass.h"
#include "view/Zoom.h"

#include <gtest/gtest.h>

#include <random>

namespace vemo {
namespace {

using test::makeBitmaps;
using test::prepareState;

class Redraw : public ::testing::Test {
  protected:
    void SetUp() override {
        prepareState(state, 512, 500, 300);
        test::setNote(state.melody, 0, 40);
    }

    // The grid as a pass alone paints it for the given fractions.
    Image gridFor(double horizontalScroll, double verticalScroll) {
        EditorState copy;
        prepareState(copy, 512, 500, 300);
        copy.melody = state.melody;
        copy.view.horizontalScroll = horizontalScroll;
        copy.view.verticalScroll = verticalScroll;
        paintGrid(copy, bitmaps);
        return copy.view.mainArea.image;
    }

    EditorState state;
    CellBitmaps bitmaps = makeBitmaps();
    test::FakePlatform fake;
};

TEST_F(Redraw, EditFlagsWithoutTheGridDrawNothing) {
    state.view.horizontalScroll = 0.004;
    const Image blackGrid = state.view.mainArea.image;
    for (std::int32_t flags : {EditLeft, EditRight, EditLeft | EditRight}) {
        redraw(state, bitmaps, fake.platform, flags);
        EXPECT_TRUE(fake.ui.shownImages.empty()) << flags;
        EXPECT_TRUE(fake.runtime.sleeps.empty()) << flags;
    }
    EXPECT_EQ(state.view.mainArea.image, blackGrid);
    EXPECT_EQ(state.view.horizontalScroll, 0.004);
}

TEST_F(Redraw, AllThreeImagesAreShownInTheirControlsAndTheGridPauses) {
    state.view.horizontalScroll = 0.3;
    state.view.verticalScroll = 0.5;
    redraw(state, bitmaps, fake.platform, RedrawVer | RedrawHor | RedrawMain);
    EXPECT_EQ(fake.ui.showImageCount[ControlId::VerImage], 1);
    EXPECT_EQ(fake.ui.showImageCount[ControlId::HorImage], 1);
    EXPECT_EQ(fake.ui.showImageCount[ControlId::MainImage], 1);
    EXPECT_EQ(fake.ui.shownImages[ControlId::VerImage], state.view.verArea.image);
    EXPECT_EQ(fake.ui.shownImages[ControlId::HorImage], state.view.horArea.image);
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], gridFor(0.3, 0.5));
    EXPECT_EQ(fake.runtime.sleeps, std::vector<std::int32_t>{GridPauseMs});
}

TEST_F(Redraw, ScrollBarsAloneDoNotPause) {
    redraw(state, bitmaps, fake.platform, RedrawVer | RedrawHor);
    EXPECT_EQ(fake.ui.showImageCount.count(ControlId::MainImage), 0u);
    EXPECT_EQ(fake.ui.showImageCount[ControlId::VerImage], 1);
    EXPECT_TRUE(fake.runtime.sleeps.empty());
}

TEST_F(Redraw, MarkersDrawnAtTheEndsLeaveTheViewWhereItWas) {
    state.view.horizontalScroll = 0.996; // 498 on the 500-pixel bar: drawn at the end
    state.view.verticalScroll = 0.004;   // 1 on the 300-pixel bar: drawn at the top
    redraw(state, bitmaps, fake.platform, RedrawVer | RedrawHor | RedrawMain);
    EXPECT_EQ(state.view.horizontalScroll, 0.996);
    EXPECT_EQ(state.view.verticalScroll, 0.004);
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], gridFor(0.996, 0.004));
}

TEST_F(Redraw, GridAloneLeavesTheFractionsUnsnapped) {
    state.view.horizontalScroll = 0.004;
    redraw(state, bitmaps, fake.platform, RedrawMain);
    EXPECT_EQ(state.view.horizontalScroll, 0.004);
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], gridFor(0.004, 0.0));
    EXPECT_NE(gridFor(0.004, 0.0), gridFor(0.0, 0.0));
}

TEST_F(Redraw, EditPassDrawsTheSameGridAndPausesOnce) {
    state.view.verticalScroll = 0.5;
    redraw(state, bitmaps, fake.platform, RedrawMain | EditLeft);
    redraw(state, bitmaps, fake.platform, RedrawMain | EditRight);
    EXPECT_EQ(fake.ui.showImageCount[ControlId::MainImage], 2);
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], gridFor(0.0, 0.5));
    EXPECT_EQ(fake.runtime.sleeps, (std::vector<std::int32_t>{GridPauseMs, GridPauseMs}));
}

// The image scaled up by whole pixels and cut to width x height, the plain way.
Image scaledUp(const Image& image, std::int32_t zoom, std::int32_t width, std::int32_t height) {
    Image result(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            result.setPixel(x, y, image.pixel(x / zoom, y / zoom));
    return result;
}

TEST(ZoomedRedraw, EveryZoomShowsTheZoomOnePicturesScaledPixelForPixel) {
    // Neither size is a multiple of 2, 3 or 4: the last zoomed pixels are cut off.
    constexpr std::int32_t Width = 589;
    constexpr std::int32_t Height = 311;
    constexpr std::int32_t BarThickness = 12;
    const CellBitmaps bitmaps = makeBitmaps();
    // The same melody and view, drawn at the zoom into images of the given sizes.
    const auto draw = [&](EditorState& state, std::int32_t zoom, double horizontalScroll,
                          double verticalScroll, std::int32_t width, std::int32_t height,
                          std::int32_t thickness) {
        prepareState(state, 512, width, height);
        std::mt19937 random(15);
        test::fillRandom(state.melody, random);
        state.selection = {1, 12, 20, 0, 0};
        updateSelectionEdges(state.melody, state.selection);
        state.view.verArea.image = Image(width, thickness);
        state.view.horArea.image = Image(thickness, height);
        state.view.zoom = zoom;
        state.view.horizontalScroll = horizontalScroll;
        state.view.verticalScroll = verticalScroll;
        test::FakePlatform fake;
        redraw(state, bitmaps, fake.platform, RedrawVer | RedrawHor | RedrawMain);
    };
    // Near the ends the markers are drawn at the ends; 0.02 shows the selection.
    const double positions[][2] = {{0.004, 0.996}, {0.02, 0.5}, {0.37, 0.81}, {0.996, 0.004}};
    for (std::int32_t zoom = MinZoom; zoom <= MaxZoom; ++zoom) {
        for (const auto& position : positions) {
            SCOPED_TRACE("zoom " + std::to_string(zoom) + " at " + std::to_string(position[0]));
            EditorState zoomed;
            draw(zoomed, zoom, position[0], position[1], Width, Height, BarThickness);
            EditorState plain;
            draw(plain, 1, position[0], position[1], unzoomedLength(Width, zoom),
                 unzoomedLength(Height, zoom), unzoomedLength(BarThickness, zoom));
            const View& a = zoomed.view;
            const View& b = plain.view;
            EXPECT_EQ(a.mainArea.image, scaledUp(b.mainArea.image, zoom, Width, Height));
            EXPECT_EQ(a.verArea.image, scaledUp(b.verArea.image, zoom, Width, BarThickness));
            EXPECT_EQ(a.horArea.image, scaledUp(b.horArea.image, zoom, BarThickness, Height));
            EXPECT_EQ(a.horizontalScroll, b.horizontalScroll);
            EXPECT_EQ(a.verticalScroll, b.verticalScroll);
        }
    }
}

} // namespace
} // namespace vemo
