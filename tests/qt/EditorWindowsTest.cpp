#include "tests/qt/QtTestSupport.h"
#include "tests/qt/RealEditor.h"

#include "app/CodeWindow.h"
#include "app/EventLoop.h"
#include "app/NewMelodyCommand.h"
#include "app/PlaybackCommands.h"
#include "app/Startup.h"
#include "platform/Beeper.h"
#include "platform/Threads.h"
#include "sound/Playback.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/WholeJoins.h"
#include "view/GridPass.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>

#include <filesystem>

namespace vemo {
namespace {

// The editor's own windows built by its start-up on real widgets, with the shipped Data files.
class EditorWindowsTest : public ::testing::Test, protected testing_qt::RealEditor {
  protected:
    void SetUp() override { ASSERT_TRUE(startEditor()); }
};

TEST_F(EditorWindowsTest, TitlesKeepTheirLeadingBlanks) {
    EXPECT_EQ(ui->windowWidget(WindowId::Main)->windowTitle(),
              QStringLiteral("       vemo - F1:help"));
    EXPECT_EQ(ui->windowWidget(WindowId::Code)->windowTitle(), QStringLiteral("vemo - code"));
    EXPECT_EQ(ui->windowWidget(WindowId::NewMelody)->windowTitle(), QStringLiteral("new vemo.."));
    EXPECT_FALSE(ui->windowWidget(WindowId::Main)->isVisible());
    EXPECT_FALSE(ui->windowWidget(WindowId::NewMelody)->isVisible());
}

TEST_F(EditorWindowsTest, ToolbarStartsWithStopAndSpacersDisabledAndTogglesReleased) {
    for (CommandId id :
         {CommandId::Spacer1, CommandId::Spacer2, CommandId::Spacer3, CommandId::ShutUp})
        EXPECT_FALSE(ui->toolbarAction(id)->isEnabled()) << id;
    for (CommandId id : {CommandId::New, CommandId::Load, CommandId::Save, CommandId::Sing,
                         CommandId::GetCode, CommandId::Copy, CommandId::Paste})
        EXPECT_TRUE(ui->toolbarAction(id)->isEnabled()) << id;
    for (CommandId id : {CommandId::ToggleRepeat, CommandId::ToggleSelection}) {
        EXPECT_TRUE(ui->toolbarAction(id)->isCheckable());
        EXPECT_FALSE(ui->toolbarAction(id)->isChecked());
    }
    EXPECT_EQ(ui->toolbarAction(CommandId::ShutUp)->toolTip(), QStringLiteral("shut up"));
    EXPECT_EQ(ui->toolbarAction(CommandId::ToggleSelection)->toolTip(),
              QStringLiteral("toggle selection usage"));
    EXPECT_EQ(ui->toolbarAction(CommandId::Spacer2)->toolTip(), QString());
    EXPECT_EQ(state.view.verArea.y, ui->toolbarHeight());
}

TEST_F(EditorWindowsTest, SpinsShowTheirStartValuesWithinTheirRanges) {
    auto* duration = control<QSpinBox>(ControlId::DurationSpin);
    ASSERT_NE(duration, nullptr);
    EXPECT_EQ(duration->value(), 120);
    EXPECT_EQ(duration->minimum(), 1);
    EXPECT_EQ(duration->maximum(), 999);
    EXPECT_EQ(control<QSpinBox>(ControlId::WidthSpin)->value(), 512);
    EXPECT_EQ(control<QSpinBox>(ControlId::WidthSpin)->maximum(), 4096);
    EXPECT_EQ(control<QSpinBox>(ControlId::SmallBlockSpin)->value(), 4);
    EXPECT_EQ(control<QSpinBox>(ControlId::LargeBlockSpin)->value(), 4);
    EXPECT_EQ(control<QSpinBox>(ControlId::LargeBlockSpin)->maximum(), 16);
    EXPECT_EQ(control<QLabel>(ControlId::SmallBlockLabel)->text(), QStringLiteral("small block"));
    EXPECT_TRUE(control<QLabel>(ControlId::WidthLabel)->alignment() & Qt::AlignRight);
    EXPECT_EQ(control<QPushButton>(ControlId::Apply)->text(), QStringLiteral("apply"));
    EXPECT_EQ(control<QPushButton>(ControlId::CodeCopy)->text(), QStringLiteral("copy"));
}

TEST_F(EditorWindowsTest, DialogIsCentredOverTheMainWindow) {
    ui->showWindow(WindowId::NewMelody, true);
    const Point dialogAt = ui->windowPosition(WindowId::NewMelody);
    EXPECT_EQ(dialogAt.x, 100 + (800 - 150) / 2);
    EXPECT_EQ(dialogAt.y, 100 + (600 - 130) / 2);
    EXPECT_EQ(ui->clientSize(WindowId::NewMelody).width, 150);
    EXPECT_EQ(ui->clientSize(WindowId::NewMelody).height, 130);
}

TEST_F(EditorWindowsTest, CellSizeComesFromTheShippedEmptyCellBitmap) {
    EXPECT_EQ(state.melody.columnWidth, 12);
    EXPECT_EQ(state.melody.rowHeight, 8);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(VEMO_RUNTIME_DIR));
}

// Input that arrives while the program drains its events must not reach the widgets: the
// program drops its own event for it, so a toggle or a spin would disagree with its flag.
TEST_F(EditorWindowsTest, InputDuringADrainChangesNoToggleAndNoSpin) {
    openMainWindow(editor);
    QWidget* repeat = ui->toolbar()->widgetForAction(ui->toolbarAction(CommandId::ToggleRepeat));
    auto* duration = control<QSpinBox>(ControlId::DurationSpin);
    ASSERT_NE(repeat, nullptr);
    const QPointF middle = QRectF(repeat->rect()).center();
    const QPointF global = repeat->mapToGlobal(middle);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(
            repeat,
            new QMouseEvent(type, middle, global, Qt::LeftButton,
                            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                            Qt::NoModifier));
    QCoreApplication::postEvent(duration, new QKeyEvent(QEvent::KeyPress, Qt::Key_Up, {}));
    playMelody(state, platform); // nothing to play: only its drain runs
    EXPECT_FALSE(ui->isButtonPressed(CommandId::ToggleRepeat));
    EXPECT_EQ(state.playback.repeatOn.load(), 0);
    EXPECT_EQ(duration->value(), state.melody.columnDuration);
    EXPECT_EQ(ui->windowWidget(WindowId::Main)->minimumSize(), QSize(200, 100));
}

TEST_F(EditorWindowsTest, CodeWindowOpensAtTheTopLeftWhenTheLastLineIsTheWidest) {
    openMainWindow(editor);
    for (std::int32_t column = 0; column < 80; ++column)
        state.melody.grid.at(column, 94).hasNote = 1;
    state.melody.grid.at(80, 0).hasNote = 1; // 7920 Hz: the widest statement comes last
    exportCode(state, platform);
    QCoreApplication::processEvents();
    auto* editorControl = control<QPlainTextEdit>(ControlId::CodeEditor);
    EXPECT_TRUE(editorControl->isVisible());
    EXPECT_EQ(editorControl->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(editorControl->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(editorControl->toPlainText().endsWith(QStringLiteral("Beep_( 7920, 120 )")));
}

// A release the program never sees (here: it comes during a drain, which swallows input) must
// not leave the stroke open: after a narrower new melody the next click would tie across the old
// columns and write past the grid.
TEST_F(EditorWindowsTest, LostReleaseThenANarrowerMelodyKeepsEditsInsideTheGrid) {
    openMainWindow(editor);
    QWidget* grid = ui->controlWidget(ControlId::MainImage);
    const auto cellPoint = [&](std::int32_t column, std::int32_t row) {
        const ScrollOffsets offsets = gridScrollOffsets(state.melody, state.view);
        const Cell& cell = state.melody.grid.at(column, row);
        return QPoint(cell.x - offsets.scrollX + 3, cell.y - offsets.scrollY + 3);
    };
    const std::int32_t row = 40;
    // The editor reads the pointer itself: it is moved there first.
    QCursor::setPos(grid->mapToGlobal(cellPoint(50, row)));
    QTest::mousePress(grid, Qt::LeftButton, {}, cellPoint(50, row));
    for (int pass = 0; pass < 5 && state.stroke.strokeFirst < 0; ++pass)
        eventStep(editor);
    ASSERT_EQ(state.stroke.strokeFirst, 50);
    QTimer::singleShot(0, grid,
                       [&] { QTest::mouseRelease(grid, Qt::LeftButton, {}, cellPoint(50, row)); });
    ui->drainEvents();
    ASSERT_EQ(QGuiApplication::mouseButtons(), Qt::NoButton);
    eventStep(editor);
    EXPECT_EQ(state.stroke.strokeFirst, -1);

    ui->setSpinValue(ControlId::WidthSpin, 32);
    applyNewMelodyDialog(editor);
    QCursor::setPos(grid->mapToGlobal(cellPoint(5, row)));
    QTest::mouseClick(grid, Qt::LeftButton, {}, cellPoint(5, row));
    for (int pass = 0; pass < 5; ++pass)
        eventStep(editor);
    EXPECT_EQ(state.melody.grid.noteRow(5), row);
    EXPECT_TRUE(test::onlyWholeJoins(state.melody));
}

TEST_F(EditorWindowsTest, UndoAndRedoKeysWorkOverTheFocusedSpinAndTheButtonsFollow) {
    openMainWindow(editor);
    QWidget* main = ui->windowWidget(WindowId::Main);
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QAction* undo = ui->toolbarAction(CommandId::Undo);
    QAction* redo = ui->toolbarAction(CommandId::Redo);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    QWidget* grid = ui->controlWidget(ControlId::MainImage);
    const QPoint cell(state.melody.grid.at(10, 40).x + 3, 200);
    QCursor::setPos(grid->mapToGlobal(cell));
    QTest::mouseClick(grid, Qt::LeftButton, {}, cell);
    const auto passes = [&] {
        for (int pass = 0; pass < 4; ++pass)
            eventStep(editor);
    };
    passes();
    ASSERT_EQ(state.melody.grid.noteRow(10) >= 0, true);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->toolTip(), QStringLiteral("undo: notes"));

    auto* duration = control<QSpinBox>(ControlId::DurationSpin);
    duration->setFocus();
    QTest::keyClick(duration, Qt::Key_Z, Qt::ControlModifier);
    passes();
    EXPECT_LT(state.melody.grid.noteRow(10), 0);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->toolTip(), QStringLiteral("redo: notes"));
    QTest::keyClick(duration, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    passes();
    EXPECT_GE(state.melody.grid.noteRow(10), 0);
    QTest::keyClick(duration, Qt::Key_Z, Qt::ControlModifier);
    passes();
    QTest::keyClick(duration, Qt::Key_Y, Qt::ControlModifier);
    passes();
    EXPECT_GE(state.melody.grid.noteRow(10), 0);
    EXPECT_EQ(duration->value(), 120) << "the keys reached the spin";
}

} // namespace
} // namespace vemo
