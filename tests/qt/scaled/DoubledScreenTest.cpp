#include "tests/qt/QtTestSupport.h"
#include "tests/qt/RealEditor.h"

#include "app/EventLoop.h"
#include "app/Startup.h"
#include "platform/Beeper.h"
#include "platform/Threads.h"
#include "platform/qt/ImageWidget.h"
#include "view/GridPass.h"

#include <QCursor>
#include <QPixmap>

#include <filesystem>

namespace vemo {
namespace {

// The editor on real widgets where Qt scales every control by two (QT_SCALE_FACTOR=2).
class DoubledScreen : public ::testing::Test, protected testing_qt::RealEditor {
  protected:
    void SetUp() override {
        ASSERT_TRUE(startEditor());
        ASSERT_EQ(ui->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2";
        openMainWindow(editor);
    }
};

TEST_F(DoubledScreen, GridImageCoversItsControlPixelForScreenPixelAndClicksHitTheirCell) {
    ASSERT_EQ(state.view.zoom, 2);
    auto* grid = qobject_cast<ImageWidget*>(ui->controlWidget(ControlId::MainImage));
    ASSERT_NE(grid, nullptr);
    const QImage& shown = grid->image();
    EXPECT_EQ(shown.devicePixelRatio(), 2.0);
    EXPECT_EQ(shown.size(), grid->size() * 2);

    // The widget's own picture on the screen is the image, pixel for pixel, and the playback
    // line is one screen pixel wide where the program puts it.
    constexpr std::int32_t LineX = 101;
    ui->showCursorLine(ControlId::MainImage, LineX, 0xFFFF00FFu);
    const QImage onScreen = grid->grab().toImage().convertToFormat(shown.format());
    ASSERT_EQ(onScreen.size(), shown.size());
    for (std::int32_t x : {LineX - 1, LineX + 1, 0, shown.width() - 1})
        for (std::int32_t y = 0; y < shown.height(); y += 7)
            ASSERT_EQ(onScreen.pixel(x, y), shown.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(onScreen.pixel(LineX, 10), 0xFFFF00FFu);
    ui->showCursorLine(ControlId::MainImage, -1, 0);
    // The edit cursor's outline: two edges of one screen pixel, the column between them shown.
    ui->showColumnMark(ControlId::MainImage, LineX, 24, 0xFFFFD700u);
    const QImage marked = grid->grab().toImage().convertToFormat(shown.format());
    EXPECT_EQ(marked.pixel(LineX, 10), 0xFFFFD700u);
    EXPECT_EQ(marked.pixel(LineX + 23, 10), 0xFFFFD700u);
    EXPECT_EQ(marked.pixel(LineX + 12, 10), shown.pixel(LineX + 12, 10));
    ui->showColumnMark(ControlId::MainImage, -1, 0, 0);

    // At zoom 2 on this screen a melody pixel is one pixel of the control.
    const std::int32_t column = 30;
    const std::int32_t row = 45;
    const ScrollOffsets offsets = gridScrollOffsets(state.melody, state.view);
    const Cell& cell = state.melody.grid.at(column, row);
    const QPoint inCell(cell.x - offsets.scrollX + 3, cell.y - offsets.scrollY + 3);
    QCursor::setPos(grid->mapToGlobal(inCell));
    QTest::mouseClick(grid, Qt::LeftButton, {}, inCell);
    for (int pass = 0; pass < 4; ++pass)
        eventStep(editor);
    EXPECT_EQ(state.melody.grid.noteRow(column), row);
}

TEST_F(DoubledScreen, TheReadoutShowsItsLongestTextWhole) {
    ui->setControlText(ControlId::PointerReadout, testing_qt::LongestReadout);
    EXPECT_TRUE(testing_qt::isTextWhole(
        *qobject_cast<QLabel*>(ui->controlWidget(ControlId::PointerReadout))));
    ui->setControlText(ControlId::EntryReadout, "entry:\r\noctave 7\r\nstep 16");
    EXPECT_TRUE(testing_qt::isTextWhole(
        *qobject_cast<QLabel*>(ui->controlWidget(ControlId::EntryReadout))));
}

} // namespace
} // namespace vemo
