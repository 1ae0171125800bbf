#include "QtTestSupport.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

#include <thread>

namespace vemo::testing_qt {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::int32_t IconSize = 16;

class QtToolbarTest : public QtUiTest {
  protected:
    void SetUp() override {
        QtUiTest::SetUp();
        ASSERT_TRUE(ui->createToolbar(ToolbarId));
        const Image icon = patternImage(IconSize, IconSize);
        ui->addToolbarButton(CommandId::New, icon, false, "new");
        ui->addToolbarButton(CommandId::Spacer1, icon, false, "");
        ui->addToolbarButton(CommandId::ToggleRepeat, icon, true, "toggle repeat");
        ui->setButtonEnabled(CommandId::Spacer1, false);
    }

    QToolButton* button(CommandId commandId) const {
        return qobject_cast<QToolButton*>(
            ui->toolbar()->widgetForAction(ui->toolbarAction(commandId)));
    }
};

TEST_F(QtToolbarTest, ButtonsSitInOrderWithTheirTooltipsAndKinds) {
    const QList<QAction*> actions = ui->toolbar()->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0], ui->toolbarAction(CommandId::New));
    EXPECT_EQ(actions[2], ui->toolbarAction(CommandId::ToggleRepeat));
    EXPECT_EQ(actions[0]->toolTip(), QStringLiteral("new"));
    EXPECT_EQ(actions[1]->toolTip(), QString());
    EXPECT_EQ(actions[2]->toolTip(), QStringLiteral("toggle repeat"));
    EXPECT_FALSE(actions[0]->isCheckable());
    EXPECT_TRUE(actions[2]->isCheckable());
    EXPECT_TRUE(ui->isButtonEnabled(CommandId::New));
    EXPECT_FALSE(ui->isButtonEnabled(CommandId::Spacer1));
    EXPECT_FALSE(ui->isButtonPressed(CommandId::ToggleRepeat));
    EXPECT_TRUE(button(CommandId::New)->autoRaise());
}

TEST_F(QtToolbarTest, ToolbarSpansTheTopOfTheMainWindowAtItsMeasuredHeight) {
    activate(WindowId::Main);
    const QRect geometry = ui->toolbar()->geometry();
    EXPECT_EQ(ui->toolbar()->parentWidget(), mainWidget());
    EXPECT_EQ(geometry.topLeft(), QPoint(0, 0));
    EXPECT_EQ(geometry.width(), MainPlacement.width);
    EXPECT_EQ(geometry.height(), ui->toolbarHeight());
    EXPECT_GT(ui->toolbarHeight(), IconSize);
    EXPECT_EQ(ui->toolbar()->iconSize(), QSize(IconSize, IconSize));

    ui->setClientSize(WindowId::Main, 500, 300);
    EXPECT_EQ(ui->toolbar()->width(), 500);
}

TEST_F(QtToolbarTest, ClickedButtonsQueueTheirCommandsForTheMainWindow) {
    activate(WindowId::Main);
    QTest::mouseClick(button(CommandId::New), Qt::LeftButton);
    QTest::mouseClick(button(CommandId::Spacer1), Qt::LeftButton);
    QTest::mouseClick(button(CommandId::ToggleRepeat), Qt::LeftButton);
    EXPECT_THAT(takeCommands(*ui),
                ElementsAre(IsCommand(CommandId::New), IsCommand(CommandId::ToggleRepeat)));
}

TEST_F(QtToolbarTest, ToggleStaysPressedUntilClickedAgain) {
    activate(WindowId::Main);
    QTest::mouseClick(button(CommandId::ToggleRepeat), Qt::LeftButton);
    EXPECT_TRUE(ui->isButtonPressed(CommandId::ToggleRepeat));
    EXPECT_TRUE(button(CommandId::ToggleRepeat)->isChecked());
    QTest::mouseClick(button(CommandId::ToggleRepeat), Qt::LeftButton);
    EXPECT_FALSE(ui->isButtonPressed(CommandId::ToggleRepeat));
    ui->drainEvents();

    ui->setButtonPressed(CommandId::ToggleRepeat, true);
    EXPECT_TRUE(ui->isButtonPressed(CommandId::ToggleRepeat));
    EXPECT_THAT(takeCommands(*ui), IsEmpty());
}

TEST_F(QtToolbarTest, UnknownButtonsAreNeitherEnabledNorPressed) {
    EXPECT_FALSE(ui->isButtonEnabled(CommandId::Sing));
    EXPECT_FALSE(ui->isButtonPressed(CommandId::Sing));
    ui->setButtonEnabled(CommandId::Sing, true);
    EXPECT_FALSE(ui->isButtonEnabled(CommandId::Sing));
}

TEST_F(QtToolbarTest, AWorkerThreadsChangeIsCarriedOutOnTheUiThread) {
    std::thread worker([this] { ui->setButtonEnabled(CommandId::New, false); });
    worker.join();
    // The widget is untouched until the UI thread processes its events.
    EXPECT_TRUE(ui->toolbarAction(CommandId::New)->isEnabled());
    QCoreApplication::processEvents();
    EXPECT_FALSE(ui->isButtonEnabled(CommandId::New));
}

TEST_F(QtToolbarTest, AWorkerPostThatArrivesAfterTheUiIsGoneReachesNothing) {
    std::thread worker([this] { ui->setButtonEnabled(CommandId::New, false); });
    worker.join();
    ui.reset();
    // A newer UI with the same button must not receive the old post (and, under the address
    // sanitizer, the dead one must not be touched).
    SetUp();
    QCoreApplication::processEvents();
    EXPECT_TRUE(ui->isButtonEnabled(CommandId::New));
}

TEST(QtToolbarWithoutMainWindow, CannotBeCreated) {
    QtUi ui;
    EXPECT_FALSE(ui.createToolbar(ToolbarId));
    ASSERT_TRUE(ui.createWindow(WindowId::Code, WindowStyle::Tool, "code", CodePlacement));
    EXPECT_FALSE(ui.createToolbar(ToolbarId));
    EXPECT_EQ(ui.toolbarHeight(), 0);
}

} // namespace
} // namespace vemo::testing_qt
