#include "view/ScrollBars.h"

#include "view/Colours.h"

#include <gtest/gtest.h>

#include <vector>

namespace vemo {
namespace {

const std::vector<Pixel> MarkerColours{colours::MarkerOuter, colours::MarkerInner,
                                       colours::MarkerCentre, colours::MarkerInner,
                                       colours::MarkerOuter};

// A 500-pixel bar above the grid, 12 pixels high.
class VerBar : public ::testing::Test {
  protected:
    // The colours of one pixel row of the bar from x = first to x = last.
    std::vector<Pixel> rowColours(std::int32_t first, std::int32_t last, std::int32_t y = 0) {
        std::vector<Pixel> result;
        for (std::int32_t x = first; x <= last; ++x)
            result.push_back(bar.pixel(x, y));
        return result;
    }
    // Every pixel of the bar from first to last is the background.
    void expectBackground(std::int32_t first, std::int32_t last) {
        for (std::int32_t x = first; x <= last; ++x)
            for (std::int32_t y = 0; y < 12; ++y)
                ASSERT_EQ(bar.pixel(x, y), colours::ScrollBarBackground) << x << "," << y;
    }

    View view;
    Image bar{500, 12};
};

TEST_F(VerBar, NearTheLeftEndTheMarkerIsDrawnAtTheEndAndTheViewStays) {
    view.horizontalScroll = 0.004; // marker at 2
    paintVerBar(view, bar);
    EXPECT_EQ(view.horizontalScroll, 0.004);
    // Lines at -1 .. 3; the one at -1 is outside the image.
    const std::vector<Pixel> expected(MarkerColours.begin() + 1, MarkerColours.end());
    EXPECT_EQ(rowColours(0, 3), expected);
    EXPECT_EQ(rowColours(0, 3, 11), expected);
    expectBackground(4, 499);
}

TEST_F(VerBar, NearTheRightEndTheMarkerIsDrawnAtTheEndAndTheViewStays) {
    view.horizontalScroll = 0.99; // marker at 495
    paintVerBar(view, bar);
    EXPECT_EQ(view.horizontalScroll, 0.99);
    // Lines at 496 .. 500; the one at 500 is outside the image.
    const std::vector<Pixel> expected(MarkerColours.begin(), MarkerColours.end() - 1);
    EXPECT_EQ(rowColours(496, 499), expected);
    expectBackground(0, 495);
}

TEST_F(VerBar, PanningKeepsTheFractionAndTheMarkerWhereItIs) {
    view.panning = 1;
    view.horizontalScroll = 0.004;
    paintVerBar(view, bar);
    EXPECT_EQ(view.horizontalScroll, 0.004);
    EXPECT_EQ(rowColours(0, 4), MarkerColours);
    expectBackground(5, 499);

    view.horizontalScroll = 0.99;
    paintVerBar(view, bar);
    EXPECT_EQ(view.horizontalScroll, 0.99);
    EXPECT_EQ(rowColours(493, 497), MarkerColours);
    expectBackground(0, 492);
    expectBackground(498, 499);
}

TEST_F(VerBar, SnapZoneEndsSixPixelsFromEitherEnd) {
    EXPECT_EQ(scrollMarkerPosition(500, 6.0 / 500, false), 6);
    EXPECT_EQ(scrollMarkerPosition(500, 5.0 / 500, false), 1);
    EXPECT_EQ(scrollMarkerPosition(500, 493.0 / 500, false), 493);
    EXPECT_EQ(scrollMarkerPosition(500, 494.0 / 500, false), 498);
}

TEST_F(VerBar, MarkerInTheMiddleDrawsFiveLinesOverTheFullHeight) {
    view.horizontalScroll = 0.5;
    paintVerBar(view, bar);
    EXPECT_EQ(view.horizontalScroll, 0.5);
    for (std::int32_t y = 0; y < 12; ++y)
        EXPECT_EQ(rowColours(248, 252, y), MarkerColours);
    expectBackground(0, 247);
    expectBackground(253, 499);
}

TEST(HorBar, DrawsHorizontalLinesAtTheVerticalFraction) {
    View view;
    Image bar(12, 300);
    view.verticalScroll = 0.5;
    paintHorBar(view, bar);
    for (std::int32_t x : {0, 11}) {
        std::vector<Pixel> column;
        for (std::int32_t y = 148; y <= 152; ++y)
            column.push_back(bar.pixel(x, y));
        EXPECT_EQ(column, MarkerColours);
        EXPECT_EQ(bar.pixel(x, 147), colours::ScrollBarBackground);
        EXPECT_EQ(bar.pixel(x, 153), colours::ScrollBarBackground);
    }

    view.verticalScroll = 0.98; // 294 > 300 - 7
    paintHorBar(view, bar);
    EXPECT_EQ(bar.pixel(5, 298), colours::MarkerCentre);
    EXPECT_EQ(bar.pixel(5, 296), colours::MarkerOuter);
    EXPECT_EQ(bar.pixel(5, 295), colours::ScrollBarBackground);

    view.verticalScroll = 0.01; // 3 < 6
    paintHorBar(view, bar);
    EXPECT_EQ(bar.pixel(5, 1), colours::MarkerCentre);
    EXPECT_EQ(bar.pixel(5, 0), colours::MarkerInner);
    EXPECT_EQ(bar.pixel(5, 3), colours::MarkerOuter);
    EXPECT_EQ(bar.pixel(5, 4), colours::ScrollBarBackground);
    // The bar beside the grid leaves the horizontal fraction alone.
    EXPECT_EQ(view.horizontalScroll, 0.0);
}

} // namespace
} // namespace vemo
