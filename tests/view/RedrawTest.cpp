#include "view/Redraw.h"

#include "platform/Ids.h"
#include "tests/support/FakePlatform.h"
#include "tests/view/ViewFixture.h"
#include "view/GridPass.h"

#include <gtest/gtest.h>

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

TEST_F(Redraw, BarSnapHoldsForTheGridOfTheSameCall) {
    state.view.horizontalScroll = 0.996; // 498 on the 500-pixel bar: snaps to the end
    state.view.verticalScroll = 0.004;   // 1 on the 300-pixel bar: snaps to the top
    redraw(state, bitmaps, fake.platform, RedrawVer | RedrawHor | RedrawMain);
    EXPECT_EQ(state.view.horizontalScroll, 1.0);
    EXPECT_EQ(state.view.verticalScroll, 0.0);
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], gridFor(1.0, 0.0));
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

} // namespace
} // namespace vemo
