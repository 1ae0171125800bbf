#include "QtTestSupport.h"

#include <QIcon>

namespace vemo::testing_qt {
namespace {

using ::testing::Contains;
using ::testing::Not;

using QtWindowsTest = QtUiTest;

TEST_F(QtWindowsTest, WindowsKeepTheirTitlesPositionsAndClientSizesWhenShown) {
    ui->showWindow(WindowId::Main, false);
    ui->showWindow(WindowId::Code, false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWidget()));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ui->windowWidget(WindowId::Code)));

    EXPECT_EQ(ui->windowTitle(WindowId::Main), "main");
    EXPECT_EQ(ui->windowPosition(WindowId::Main).x, MainPlacement.x);
    EXPECT_EQ(ui->windowPosition(WindowId::Main).y, MainPlacement.y);
    EXPECT_EQ(ui->clientSize(WindowId::Main).width, MainPlacement.width);
    EXPECT_EQ(ui->clientSize(WindowId::Main).height, MainPlacement.height);
    EXPECT_EQ(mainWidget()->size(), QSize(MainPlacement.width, MainPlacement.height));
    EXPECT_EQ(ui->windowPosition(WindowId::Code).x, CodePlacement.x);
    EXPECT_EQ(ui->clientSize(WindowId::Code).height, CodePlacement.height);

    ui->setWindowTitle(WindowId::Main, "       vemo - F1:help");
    EXPECT_EQ(ui->windowTitle(WindowId::Main), "       vemo - F1:help");
    EXPECT_EQ(mainWidget()->windowTitle(), QStringLiteral("       vemo - F1:help"));

    ui->placeWindow(WindowId::Main, 40, 50, 300, 200);
    EXPECT_EQ(mainWidget()->pos(), QPoint(40, 50));
    EXPECT_EQ(mainWidget()->size(), QSize(300, 200));
}

TEST_F(QtWindowsTest, WindowsStartHiddenAndHideAgain) {
    EXPECT_FALSE(ui->isWindowVisible(WindowId::Main));
    EXPECT_FALSE(ui->isWindowVisible(WindowId::NewMelody));
    ui->showWindow(WindowId::NewMelody, true);
    EXPECT_TRUE(ui->isWindowVisible(WindowId::NewMelody));
    ui->hideWindow(WindowId::NewMelody);
    EXPECT_FALSE(ui->isWindowVisible(WindowId::NewMelody));
}

TEST_F(QtWindowsTest, TakenIdsAndUnknownWindowsAreRefusedOrAnsweredEmpty) {
    EXPECT_FALSE(ui->createWindow(WindowId::Code, WindowStyle::Tool, "again", CodePlacement));
    EXPECT_FALSE(ui->createWindow(WindowId{99}, WindowStyle::Main, "second main", MainPlacement));
    EXPECT_TRUE(ui->prepareControls(WindowId::NewMelody));
    EXPECT_FALSE(ui->prepareControls(WindowId{99}));
    EXPECT_EQ(ui->windowTitle(WindowId{99}), "");
    EXPECT_EQ(ui->clientSize(WindowId{99}).width, 0);
    EXPECT_FALSE(ui->isWindowVisible(WindowId{99}));
    ui->showWindow(WindowId{99}, true);
    ui->placeWindow(WindowId{99}, 1, 2, 3, 4);
}

TEST_F(QtWindowsTest, DialogIsOwnedByTheMainWindowWithCaptionAndCloseOnly) {
    QWidget* dialog = ui->windowWidget(WindowId::NewMelody);
    EXPECT_EQ(dialog->parentWidget(), mainWidget());
    EXPECT_EQ(dialog->windowType(), Qt::Dialog);
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_EQ(ui->clientSize(WindowId::NewMelody).width, DialogPlacement.width);
    EXPECT_EQ(ui->clientSize(WindowId::NewMelody).height, DialogPlacement.height);

    QWidget* code = ui->windowWidget(WindowId::Code);
    EXPECT_EQ(code->parentWidget(), nullptr);
    EXPECT_TRUE(code->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(QtWindowsTest, CloseRequestsBecomeEventsAndTheWindowStaysOpen) {
    activate(WindowId::Code);
    ASSERT_FALSE(ui->windowWidget(WindowId::Code)->close());
    EXPECT_TRUE(ui->isWindowVisible(WindowId::Code));
    EXPECT_THAT(takeEvents(*ui), Contains(IsEvent(EventKind::Close, WindowId::Code)));

    activate(WindowId::Main);
    ASSERT_FALSE(mainWidget()->close());
    EXPECT_TRUE(ui->isWindowVisible(WindowId::Main));
    EXPECT_THAT(takeEvents(*ui), Contains(IsEvent(EventKind::Close, WindowId::Main)));
}

TEST_F(QtWindowsTest, SizeChangesBecomeEvents) {
    activate(WindowId::Main);
    ui->setClientSize(WindowId::Main, 640, 480);
    EXPECT_THAT(takeEvents(*ui), Contains(IsEvent(EventKind::Size, WindowId::Main)));
    EXPECT_EQ(ui->clientSize(WindowId::Main).width, 640);
    EXPECT_EQ(ui->clientSize(WindowId::Main).height, 480);

    ui->setClientSize(WindowId::Main, 640, 480);
    EXPECT_THAT(takeEvents(*ui), Not(Contains(IsEvent(EventKind::Size, WindowId::Main))));
}

TEST_F(QtWindowsTest, ShowingRestoresAMinimizedWindowAndKeepsItMaximized) {
    activate(WindowId::Main);
    mainWidget()->setWindowState(Qt::WindowMinimized);
    ui->showWindow(WindowId::Main, true);
    EXPECT_FALSE(mainWidget()->isMinimized());
    EXPECT_TRUE(ui->isWindowVisible(WindowId::Main));

    mainWidget()->setWindowState(Qt::WindowMaximized);
    ui->hideWindow(WindowId::Main);
    ui->showWindow(WindowId::Main, true);
    EXPECT_TRUE(mainWidget()->isMaximized());
}

TEST_F(QtWindowsTest, HidingTheActiveDialogActivatesItsOwner) {
    activate(WindowId::Main);
    activate(WindowId::NewMelody);
    ui->hideWindow(WindowId::NewMelody);
    EXPECT_TRUE(QTest::qWaitForWindowActive(mainWidget()));
}

TEST_F(QtWindowsTest, ProgramIconIsShownByEveryWindow) {
    const Image icon = patternImage(16, 16);
    ui->setProgramIcon(icon);
    const QImage shown =
        mainWidget()->windowIcon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shown.size(), QSize(16, 16));
    EXPECT_EQ(shown.pixel(3, 9), icon.pixel(3, 9));
    EXPECT_EQ(shown.pixel(15, 0), icon.pixel(15, 0));
    EXPECT_FALSE(ui->windowWidget(WindowId::Code)->windowIcon().isNull());
}

} // namespace
} // namespace vemo::testing_qt
