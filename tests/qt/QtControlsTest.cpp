#include "QtTestSupport.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QWheelEvent>

namespace vemo::testing_qt {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr Rect SpinRect{5, 60, 40, 20};
constexpr Rect GridRect{60, 60, 50, 40};

// The controls of the three windows with their ids, in the order start-up creates them.
class QtControlsTest : public QtUiTest {
  protected:
    void SetUp() override {
        QtUiTest::SetUp();
        ASSERT_TRUE(ui->prepareControls(WindowId::Main));
        ui->createImageControl(WindowId::Main, ControlId::MainImage, GridRect);
        ui->createSpin(WindowId::Main, ControlId::DurationSpin, SpinRect, 1, 999);
        ui->setSpinValue(ControlId::DurationSpin, 120);

        ASSERT_TRUE(ui->prepareControls(WindowId::Code));
        ui->createButton(WindowId::Code, ControlId::CodeCopy, {2, 2, 116, 20}, "copy");
        ui->createTextEditor(WindowId::Code, ControlId::CodeEditor, {2, 24, 116, 574});

        ASSERT_TRUE(ui->prepareControls(WindowId::NewMelody));
        ui->createLabel(WindowId::NewMelody, ControlId::WidthLabel, {10, 10, 70, 20}, "width");
        ui->createSpin(WindowId::NewMelody, ControlId::WidthSpin, {90, 10, 50, 20}, 32, 4096);
        ui->createLabel(WindowId::NewMelody, ControlId::SmallBlockLabel, {10, 40, 70, 20},
                        "small block");
        ui->createSpin(WindowId::NewMelody, ControlId::SmallBlockSpin, {90, 40, 50, 20}, 1, 16);
        ui->createLabel(WindowId::NewMelody, ControlId::LargeBlockLabel, {10, 70, 70, 20},
                        "large block");
        ui->createSpin(WindowId::NewMelody, ControlId::LargeBlockSpin, {90, 70, 50, 20}, 1, 16);
        ui->createButton(WindowId::NewMelody, ControlId::Cancel, {85, 105, 60, 20}, "cancel");
        ui->createButton(WindowId::NewMelody, ControlId::Apply, {20, 105, 60, 20}, "apply");
        ui->setSpinValue(ControlId::WidthSpin, 512);
    }

    template <typename Widget> Widget* widget(ControlId controlId) const {
        return qobject_cast<Widget*>(ui->controlWidget(controlId));
    }
};

TEST_F(QtControlsTest, ControlsAreTheRightWidgetsInTheRightWindowsAndPlaces) {
    auto* spin = widget<QSpinBox>(ControlId::DurationSpin);
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->window(), mainWidget());
    EXPECT_EQ(spin->geometry(), QRect(5, 60, 40, 20));
    EXPECT_EQ(ui->controlRect(ControlId::DurationSpin).y, SpinRect.y);

    auto* copy = widget<QPushButton>(ControlId::CodeCopy);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text(), QStringLiteral("copy"));
    EXPECT_EQ(copy->window(), ui->windowWidget(WindowId::Code));
    ASSERT_NE(widget<QPlainTextEdit>(ControlId::CodeEditor), nullptr);
    EXPECT_EQ(widget<QPlainTextEdit>(ControlId::CodeEditor)->geometry(), QRect(2, 24, 116, 574));

    auto* label = widget<QLabel>(ControlId::SmallBlockLabel);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("small block"));
    EXPECT_TRUE(label->alignment().testFlag(Qt::AlignRight));
    EXPECT_EQ(label->window(), ui->windowWidget(WindowId::NewMelody));
    EXPECT_EQ(widget<QPushButton>(ControlId::Apply)->geometry(), QRect(20, 105, 60, 20));
    EXPECT_EQ(ui->controlWidget(ControlId{99}), nullptr);
}

TEST_F(QtControlsTest, SpinsHoldTheirRangesAndValues) {
    EXPECT_EQ(ui->spinValue(ControlId::DurationSpin), 120);
    EXPECT_EQ(ui->spinValue(ControlId::WidthSpin), 512);
    EXPECT_EQ(widget<QSpinBox>(ControlId::WidthSpin)->minimum(), 32);
    EXPECT_EQ(widget<QSpinBox>(ControlId::WidthSpin)->maximum(), 4096);
    EXPECT_EQ(widget<QSpinBox>(ControlId::SmallBlockSpin)->maximum(), 16);

    ui->setSpinValue(ControlId::SmallBlockSpin, 40);
    EXPECT_EQ(ui->spinValue(ControlId::SmallBlockSpin), 16);
    ui->setSpinValue(ControlId::DurationSpin, 0);
    EXPECT_EQ(ui->spinValue(ControlId::DurationSpin), 1);
    EXPECT_THAT(takeEvents(*ui), Not(Contains(IsEvent(EventKind::Control, WindowId::Main,
                                                      ControlId::DurationSpin))));
}

TEST_F(QtControlsTest, NarrowSpinsHaveRoomForTheirLargestNumber) {
    activate(WindowId::Main);
    ui->showWindow(WindowId::NewMelody, false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ui->windowWidget(WindowId::NewMelody)));
    for (const ControlId id : {ControlId::DurationSpin, ControlId::WidthSpin}) {
        auto* spin = widget<QSpinBox>(id);
        const auto* field = spin->findChild<QLineEdit*>();
        ASSERT_NE(field, nullptr);
        const int digitsWidth =
            field->fontMetrics().horizontalAdvance(QString::number(spin->maximum()));
        EXPECT_GE(field->contentsRect().width(), digitsWidth) << "spin " << id;
    }
}

TEST_F(QtControlsTest, TypedSpinValuesQueueControlEvents) {
    activate(WindowId::Main);
    auto* spin = widget<QSpinBox>(ControlId::DurationSpin);
    ui->focusControl(ControlId::DurationSpin);
    spin->selectAll();
    QTest::keyClicks(spin, "85");
    EXPECT_EQ(ui->spinValue(ControlId::DurationSpin), 85);
    EXPECT_THAT(takeEvents(*ui),
                Contains(IsEvent(EventKind::Control, WindowId::Main, ControlId::DurationSpin)));
}

TEST_F(QtControlsTest, ButtonClicksQueueEventsOfTheirWindowAndKind) {
    activate(WindowId::Code);
    auto* copy = widget<QPushButton>(ControlId::CodeCopy);
    QTest::mouseClick(copy, Qt::LeftButton);
    EXPECT_THAT(takeEvents(*ui), Contains(IsEvent(EventKind::Control, WindowId::Code,
                                                  ControlId::CodeCopy, LeftClick)));
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(3, 3),
                                 copy->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(copy, &rightClick);
    EXPECT_THAT(takeEvents(*ui), ElementsAre(IsEvent(EventKind::Control, WindowId::Code,
                                                     ControlId::CodeCopy, RightClick)));
}

TEST_F(QtControlsTest, ANarrowLabelShrinksItsFontUntilEveryLineIsWhole) {
    ui->createLabel(WindowId::Main, ControlId::PointerReadout, {2, 100, 46, 64}, "");
    auto* readout = widget<QLabel>(ControlId::PointerReadout);
    const qreal fullSize = readout->font().pointSizeF();
    ui->setControlText(ControlId::PointerReadout, LongestReadout);
    EXPECT_TRUE(isTextWhole(*readout));
    EXPECT_LT(readout->font().pointSizeF(), fullSize);
    ui->setControlText(ControlId::PointerReadout, "C4\r\n264 Hz");
    EXPECT_EQ(readout->font().pointSizeF(), fullSize) << "a short text is shown at full size";
}

TEST_F(QtControlsTest, TabFollowsTheOrderOfCreation) {
    activate(WindowId::NewMelody);
    ui->focusControl(ControlId::WidthSpin);
    const std::vector<ControlId> expected{ControlId::SmallBlockSpin, ControlId::LargeBlockSpin,
                                          ControlId::Cancel, ControlId::Apply,
                                          ControlId::WidthSpin};
    for (const ControlId next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), ui->controlWidget(next)) << "expected " << next;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), ui->controlWidget(ControlId::Apply));
}

TEST_F(QtControlsTest, EditorTakesTextAsTypedAndKeepsTab) {
    auto* editor = widget<QPlainTextEdit>(ControlId::CodeEditor);
    ui->appendEditorText(ControlId::CodeEditor, "Beep_( 440, 120 )\r\n");
    ui->appendEditorText(ControlId::CodeEditor, "Delay(");
    ui->appendEditorText(ControlId::CodeEditor, "120)\r\n");
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("Beep_( 440, 120 )\nDelay(120)\n"));
    EXPECT_EQ(ui->editorText(ControlId::CodeEditor), "Beep_( 440, 120 )\r\nDelay(120)\r\n");

    activate(WindowId::Code);
    ui->clearEditor(ControlId::CodeEditor);
    EXPECT_EQ(ui->editorText(ControlId::CodeEditor), "");
    ui->focusControl(ControlId::CodeEditor);
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("\t"));
    EXPECT_EQ(QApplication::focusWidget(), editor);
}

TEST_F(QtControlsTest, LabelsAndButtonsShowLineBreaksForCrLf) {
    ui->createLabel(WindowId::NewMelody, ControlId{90}, {0, 0, 70, 40}, "two\r\nlines");
    EXPECT_EQ(widget<QLabel>(ControlId{90})->text(), QStringLiteral("two\nlines"));
}

TEST_F(QtControlsTest, ImageControlShowsTheImagePixelForPixel) {
    activate(WindowId::Main);
    const Image image = patternImage(GridRect.width - 10, GridRect.height - 10);
    ui->showImage(ControlId::MainImage, image);
    const QImage shown = ui->controlWidget(ControlId::MainImage)
                             ->grab()
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(GridRect.width, GridRect.height));
    std::int32_t mismatches = 0;
    for (std::int32_t y = 0; y < image.height(); ++y)
        for (std::int32_t x = 0; x < image.width(); ++x)
            if (shown.pixel(x, y) != image.pixel(x, y)) ++mismatches;
    EXPECT_EQ(mismatches, 0);

    // A transparent pixel still shows its colour: the control copies, it does not blend.
    Image translucent(4, 4, 0x00123456u);
    ui->showImage(ControlId::MainImage, translucent);
    const QImage opaque = ui->controlWidget(ControlId::MainImage)->grab().toImage();
    EXPECT_EQ(opaque.pixel(1, 1), 0xFF123456u);
}

TEST_F(QtControlsTest, ImageControlReportsLeftPressesAndRightReleasesOverIt) {
    activate(WindowId::Main);
    QWidget* grid = ui->controlWidget(ControlId::MainImage);
    const QPoint inside(10, 10);
    QTest::mousePress(grid, Qt::LeftButton, {}, inside);
    EXPECT_THAT(takeEventsButMoves(*ui), ElementsAre(IsEvent(EventKind::Control, WindowId::Main,
                                                             ControlId::MainImage, LeftClick)));
    QTest::mouseRelease(grid, Qt::LeftButton, {}, inside);
    EXPECT_THAT(takeEventsButMoves(*ui),
                ElementsAre(IsEvent(EventKind::LeftRelease, WindowId::Main)));

    QTest::mousePress(grid, Qt::RightButton, {}, inside);
    EXPECT_THAT(takeEventsButMoves(*ui), IsEmpty());
    QTest::mouseRelease(grid, Qt::RightButton, {}, inside);
    EXPECT_THAT(takeEventsButMoves(*ui), ElementsAre(IsEvent(EventKind::Control, WindowId::Main,
                                                             ControlId::MainImage, RightClick)));

    QTest::mousePress(grid, Qt::RightButton, {}, inside);
    QTest::mouseRelease(grid, Qt::RightButton, {}, QPoint(GridRect.width + 5, 10));
    EXPECT_THAT(takeEventsButMoves(*ui), IsEmpty());
}

TEST_F(QtControlsTest, CtrlWheelOverAnImageIsQueuedInWholeNotchesOtherTurnsPassOn) {
    activate(WindowId::Main);
    QWidget* grid = ui->controlWidget(ControlId::MainImage);
    const auto turn = [&](int eighthDegrees, Qt::KeyboardModifiers modifiers) {
        const QPointF at(10, 10);
        QWheelEvent event(at, grid->mapToGlobal(at), {}, {0, eighthDegrees}, Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid, &event);
        return event.isAccepted();
    };
    EXPECT_TRUE(turn(60, Qt::ControlModifier)); // half a notch: nothing yet
    EXPECT_THAT(takeEvents(*ui), IsEmpty());
    EXPECT_TRUE(turn(60, Qt::ControlModifier | Qt::KeypadModifier));
    EXPECT_TRUE(turn(240, Qt::ControlModifier));
    EXPECT_TRUE(turn(-120, Qt::ControlModifier));
    const auto notches = [](std::int32_t steps) {
        return IsEvent(EventKind::CtrlWheel, WindowId::Main, ControlId::MainImage, 0, steps);
    };
    EXPECT_THAT(takeEvents(*ui), ElementsAre(notches(1), notches(2), notches(-1)));
    EXPECT_FALSE(turn(120, Qt::NoModifier));
    EXPECT_FALSE(turn(120, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_THAT(takeEvents(*ui), IsEmpty());
}

TEST_F(QtControlsTest, SecondClickOfADoubleClickIsNoClick) {
    activate(WindowId::Main);
    QWidget* grid = ui->controlWidget(ControlId::MainImage);
    QTest::mouseDClick(grid, Qt::LeftButton, {}, {10, 10});
    QTest::mouseRelease(grid, Qt::LeftButton, {}, {10, 10});
    std::int32_t clicks = 0;
    for (const Event& event : takeEvents(*ui))
        if (event.kind == EventKind::Control) ++clicks;
    EXPECT_EQ(clicks, 1);
}

TEST_F(QtControlsTest, LeftReleasesAnywhereInTheMainWindowAreReported) {
    activate(WindowId::Main);
    QTest::mouseClick(widget<QSpinBox>(ControlId::DurationSpin), Qt::LeftButton);
    QTest::mouseClick(mainWidget(), Qt::LeftButton, {}, {300, 300});
    QTest::mouseClick(mainWidget(), Qt::RightButton, {}, {300, 300});
    std::int32_t releases = 0;
    for (const Event& event : takeEvents(*ui))
        if (event.kind == EventKind::LeftRelease) ++releases;
    EXPECT_EQ(releases, 2);
}

TEST_F(QtControlsTest, PointerMovesOverTheMainWindowAndItsControlsAreReported) {
    activate(WindowId::Main);
    ui->showWindow(WindowId::Code, false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ui->windowWidget(WindowId::Code)));
    ui->drainEvents();
    QTest::mouseMove(mainWidget(), {321, 287});
    EXPECT_THAT(takeEvents(*ui), ElementsAre(IsEvent(EventKind::PointerMove, WindowId::Main)));
    QTest::mouseMove(ui->controlWidget(ControlId::MainImage), {7, 3});
    EXPECT_THAT(takeEvents(*ui), ElementsAre(IsEvent(EventKind::PointerMove, WindowId::Main)));
    QTest::mouseMove(ui->windowWidget(WindowId::Code), {5, 9});
    EXPECT_THAT(takeEvents(*ui), IsEmpty());
}

TEST_F(QtControlsTest, PointerIsReadInTheMainWindowsClientArea) {
    activate(WindowId::Main);
    QCursor::setPos(MainPlacement.x + GridRect.x + 5, MainPlacement.y + GridRect.y + 6);
    ASSERT_TRUE(QTest::qWaitFor([this] { return ui->pointer().x == GridRect.x + 5; }));
    EXPECT_EQ(ui->pointer().y, GridRect.y + 6);
    // The warp is a real pointer move of the window system.
    EXPECT_TRUE(QTest::qWaitFor([this] {
        for (const Event& event : takeEvents(*ui))
            if (event.kind == EventKind::PointerMove) return true;
        return false;
    }));
}

TEST_F(QtControlsTest, PointerOutsideTheMainWindowIsMinusOne) {
    activate(WindowId::Main);
    QCursor::setPos(MainPlacement.x + MainPlacement.width + 50, MainPlacement.y);
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return QCursor::pos().x() == MainPlacement.x + MainPlacement.width + 50; }));
    EXPECT_EQ(ui->pointer().x, -1);
    EXPECT_EQ(ui->pointer().y, -1);

    QCursor::setPos(MainPlacement.x + 10, MainPlacement.y + 20);
    ASSERT_TRUE(QTest::qWaitFor([] { return QCursor::pos().x() == MainPlacement.x + 10; }));
    EXPECT_EQ(ui->pointer().x, 10);
    ui->hideWindow(WindowId::Main);
    EXPECT_EQ(ui->pointer().x, -1);
}

TEST_F(QtControlsTest, MovedControlsReportTheirNewPlace) {
    ui->moveControl(ControlId::MainImage, {7, 8, 90, 70});
    const Rect moved = ui->controlRect(ControlId::MainImage);
    EXPECT_EQ(moved.x, 7);
    EXPECT_EQ(moved.y, 8);
    EXPECT_EQ(moved.width, 90);
    EXPECT_EQ(moved.height, 70);
}

} // namespace
} // namespace vemo::testing_qt
