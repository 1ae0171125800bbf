#include "QtTestSupport.h"

#include <QPushButton>

namespace vemo::testing_qt {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::int32_t ShortWaitMs = 30;
// Far longer than any test may take: a wait that runs into it did not end on arrival.
constexpr std::int32_t LongWaitMs = 60000;

class QtEventsTest : public QtUiTest {
  protected:
    void SetUp() override {
        QtUiTest::SetUp();
        ui->createButton(WindowId::Code, ControlId::CodeCopy, {2, 2, 116, 20}, "copy");
        ui->createButton(WindowId::NewMelody, ControlId::Apply, {20, 105, 60, 20}, "apply");
        ui->drainEvents();
    }

    void click(ControlId controlId) {
        qobject_cast<QPushButton*>(ui->controlWidget(controlId))->click();
    }
};

TEST_F(QtEventsTest, WaitGivesNothingWhenNothingHappens) {
    EXPECT_EQ(ui->waitEvent(ShortWaitMs).kind, EventKind::None);
    EXPECT_EQ(ui->waitEvent(0).kind, EventKind::None);
}

TEST_F(QtEventsTest, QueuedEventsComeOutOnePerCallInOrder) {
    click(ControlId::Apply);
    click(ControlId::CodeCopy);
    EXPECT_THAT(ui->waitEvent(LongWaitMs),
                IsEvent(EventKind::Control, WindowId::NewMelody, ControlId::Apply));
    EXPECT_THAT(ui->waitEvent(LongWaitMs),
                IsEvent(EventKind::Control, WindowId::Code, ControlId::CodeCopy));
    EXPECT_EQ(ui->waitEvent(0).kind, EventKind::None);
}

TEST_F(QtEventsTest, WaitEndsWhenAnEventArrives) {
    QTimer::singleShot(0, [this] { click(ControlId::Apply); });
    bool waitedToTheEnd = false;
    QObject scope; // ends the watch with the test
    QTimer::singleShot(LongWaitMs / 2, &scope, [&] { waitedToTheEnd = true; });
    EXPECT_THAT(ui->waitEvent(LongWaitMs),
                IsEvent(EventKind::Control, WindowId::NewMelody, ControlId::Apply));
    EXPECT_FALSE(waitedToTheEnd);
}

TEST_F(QtEventsTest, DrainingDropsEverythingPending) {
    click(ControlId::Apply);
    QTimer::singleShot(0, [this] { click(ControlId::CodeCopy); });
    ui->drainEvents();
    EXPECT_THAT(takeEvents(*ui), IsEmpty());
}

TEST_F(QtEventsTest, AModalBoxCanBeOpenedFromInsideAWait) {
    bool answer = false;
    QTimer::singleShot(0, [&] {
        whenModalOpens([](QWidget* modal) { modal->close(); });
        answer = ui->messageBox("error", "text", false);
        click(ControlId::CodeCopy);
    });
    EXPECT_THAT(ui->waitEvent(LongWaitMs),
                IsEvent(EventKind::Control, WindowId::Code, ControlId::CodeCopy));
    EXPECT_TRUE(answer);
}

} // namespace
} // namespace vemo::testing_qt
