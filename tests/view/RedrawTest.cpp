#include "view/Redraw.h"

#include "platform/Ids.h"
#include "tests/support/FakePlatform.h"
#include "tests/view/ViewFixture.h"
#include "view/GridPass.h"
#include "view/PixelScale.h"

#include <gtest/gtest.h>

#include <random>

namespace vemo {
namespace {

using test::makeBitmaps;
using test::prepareState;

class Redraw : public ::testing::Test, protected test::ViewHarness {
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
        return test::paintedGrid(copy, bitmaps);
    }
};

TEST_F(Redraw, NoFlagsDrawNothing) {
    state.view.horizontalScroll = 0.004;
    redraw(editor, 0);
    EXPECT_TRUE(fake.ui.shownImages.empty());
    EXPECT_TRUE(fake.runtime.sleeps.empty());
    EXPECT_TRUE(images.main.empty());
    EXPECT_EQ(state.view.horizontalScroll, 0.004);
}

TEST_F(Redraw, AllThreeImagesAreShownInTheirControlsAndTheGridPauses) {
    state.view.horizontalScroll = 0.3;
    state.view.verticalScroll = 0.5;
    redraw(editor, RedrawVer | RedrawHor | RedrawMain);
    EXPECT_EQ(fake.ui.showImageCount[ControlId::VerImage], 1);
    EXPECT_EQ(fake.ui.showImageCount[ControlId::HorImage], 1);
    EXPECT_EQ(fake.ui.showImageCount[ControlId::MainImage], 1);
    EXPECT_EQ(fake.ui.shownImages[ControlId::VerImage], images.ver);
    EXPECT_EQ(fake.ui.shownImages[ControlId::HorImage], images.hor);
    EXPECT_EQ(images.ver.width(), 500) << "each image has its area's size";
    EXPECT_EQ(images.hor.height(), 300);
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], gridFor(0.3, 0.5));
    EXPECT_EQ(fake.runtime.sleeps, std::vector<std::int32_t>{GridPauseMs});
}

TEST_F(Redraw, ScrollBarsAloneDoNotPause) {
    redraw(editor, RedrawVer | RedrawHor);
    EXPECT_EQ(fake.ui.showImageCount.count(ControlId::MainImage), 0u);
    EXPECT_EQ(fake.ui.showImageCount[ControlId::VerImage], 1);
    EXPECT_TRUE(fake.runtime.sleeps.empty());
}

TEST_F(Redraw, MarkersDrawnAtTheEndsLeaveTheViewWhereItWas) {
    state.view.horizontalScroll = 0.996; // 498 on the 500-pixel bar: drawn at the end
    state.view.verticalScroll = 0.004;   // 1 on the 300-pixel bar: drawn at the top
    redraw(editor, RedrawVer | RedrawHor | RedrawMain);
    EXPECT_EQ(state.view.horizontalScroll, 0.996);
    EXPECT_EQ(state.view.verticalScroll, 0.004);
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], gridFor(0.996, 0.004));
}

TEST_F(Redraw, GridAloneLeavesTheFractionsUnsnapped) {
    state.view.horizontalScroll = 0.004;
    redraw(editor, RedrawMain);
    EXPECT_EQ(state.view.horizontalScroll, 0.004);
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], gridFor(0.004, 0.0));
    EXPECT_NE(gridFor(0.004, 0.0), gridFor(0.0, 0.0));
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
    // The same melody and view, drawn at the zoom into images of the given sizes.
    const auto draw = [&](test::ViewHarness& drawn, std::int32_t zoom, double horizontalScroll,
                          double verticalScroll, std::int32_t width, std::int32_t height,
                          std::int32_t thickness) {
        EditorState& state = drawn.state;
        prepareState(state, 512, width, height);
        std::mt19937 random(15);
        test::fillRandom(state.melody, random);
        state.selection = {1, 12, 20, 0, 0};
        updateSelectionEdges(state.melody, state.selection);
        test::setImageSize(state.view.verArea, width, thickness);
        test::setImageSize(state.view.horArea, thickness, height);
        state.view.zoom = zoom;
        state.view.horizontalScroll = horizontalScroll;
        state.view.verticalScroll = verticalScroll;
        redraw(drawn.editor, RedrawVer | RedrawHor | RedrawMain);
    };
    // Near the ends the markers are drawn at the ends; 0.02 shows the selection.
    const double positions[][2] = {{0.004, 0.996}, {0.02, 0.5}, {0.37, 0.81}, {0.996, 0.004}};
    for (std::int32_t zoom = MinZoom; zoom <= MaxZoom; ++zoom) {
        for (const auto& position : positions) {
            SCOPED_TRACE("zoom " + std::to_string(zoom) + " at " + std::to_string(position[0]));
            test::ViewHarness zoomed;
            draw(zoomed, zoom, position[0], position[1], Width, Height, BarThickness);
            test::ViewHarness plain;
            draw(plain, 1, position[0], position[1], unzoomedLength(Width, zoom),
                 unzoomedLength(Height, zoom), unzoomedLength(BarThickness, zoom));
            const ViewImages& a = zoomed.images;
            const ViewImages& b = plain.images;
            EXPECT_EQ(a.main, scaledUp(b.main, zoom, Width, Height));
            EXPECT_EQ(a.ver, scaledUp(b.ver, zoom, Width, BarThickness));
            EXPECT_EQ(a.hor, scaledUp(b.hor, zoom, BarThickness, Height));
            EXPECT_EQ(zoomed.state.view.horizontalScroll, plain.state.view.horizontalScroll);
            EXPECT_EQ(zoomed.state.view.verticalScroll, plain.state.view.verticalScroll);
        }
    }
}

} // namespace
} // namespace vemo
