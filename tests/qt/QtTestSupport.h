#pragma once

// Mouse input goes through the native window, as real input does, not straight to the widget.
#define QTEST_QPA_MOUSE_HANDLING

#include "platform/Ids.h"
#include "platform/qt/QtUi.h"
#include "tests/support/TypedIds.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gmock/gmock.h>

#include <functional>
#include <memory>
#include <vector>

namespace vemo::testing_qt {

constexpr Rect MainPlacement{100, 100, 800, 600};
constexpr Rect CodePlacement{30, 100, 120, 600};
constexpr Rect DialogPlacement{425, 335, 150, 130};
constexpr std::int32_t PollIntervalMs = 10;

// Every event queued so far, oldest first.
inline std::vector<Event> takeEvents(Ui& ui) {
    std::vector<Event> events;
    for (Event event = ui.waitEvent(0); event.kind != EventKind::None; event = ui.waitEvent(0))
        events.push_back(event);
    return events;
}

// The same without the pointer moves that the window system reports along the way.
inline std::vector<Event> takeEventsButMoves(Ui& ui) {
    std::vector<Event> events = takeEvents(ui);
    std::erase_if(events, [](const Event& event) { return event.kind == EventKind::PointerMove; });
    return events;
}

// Only the commands, without the clicks' pointer moves and button releases.
inline std::vector<Event> takeCommands(Ui& ui) {
    std::vector<Event> events = takeEvents(ui);
    std::erase_if(events, [](const Event& event) { return event.kind != EventKind::Command; });
    return events;
}

// An event of a window with no id: close, size, pointer move, release.
inline auto IsEvent(EventKind kind, WindowId window) {
    return ::testing::FieldsAre(kind, window, SeparatorLine, ControlId{}, 0, 0,
                                PhysicalKey::Unknown, 0, false);
}

// A control event, or a Ctrl+wheel over a control.
inline auto IsEvent(EventKind kind, WindowId window, ControlId control, std::int32_t type = 0,
                    std::int32_t steps = 0) {
    return ::testing::FieldsAre(kind, window, SeparatorLine, control, type, steps,
                                PhysicalKey::Unknown, 0, false);
}

inline auto IsCommand(CommandId commandId) {
    return ::testing::FieldsAre(EventKind::Command, WindowId::Main, commandId, ControlId{}, 0, 0,
                                PhysicalKey::Unknown, 0, false);
}

// A key as key entry queues it.
inline auto IsKey(PhysicalKey key, std::int32_t modifiers = Modifier::None) {
    return ::testing::FieldsAre(EventKind::Key, WindowId::Main, SeparatorLine, ControlId{}, 0, 0,
                                key, modifiers, false);
}

// A raster in which no two pixels of a row or a column are alike.
inline Image patternImage(std::int32_t width, std::int32_t height) {
    Image image(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            image.setPixel(x, y,
                           rgb(static_cast<std::uint32_t>(x * 5 % 256),
                               static_cast<std::uint32_t>(y * 7 % 256),
                               static_cast<std::uint32_t>((x + y) % 256)));
    return image;
}

// The readout's longest text: the highest note, four-digit hertz, the last column and its time.
constexpr const char* LongestReadout = "B8\r\n7920 Hz\r\ncol 4095\r\n4095.00 s";

// Whether every line of the label's text fits its width, and all its lines its height.
inline bool isTextWhole(const QLabel& label) {
    const QFontMetrics metrics(label.font());
    const QStringList lines = label.text().split(u'\n');
    for (const QString& line : lines)
        if (metrics.horizontalAdvance(line) > label.contentsRect().width()) return false;
    return metrics.lineSpacing() * lines.size() <= label.contentsRect().height();
}

// Runs handler on the first modal window or popup that opens, from inside its own event loop.
inline void whenModalOpens(std::function<void(QWidget*)> handler) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, handler = std::move(handler)] {
        QWidget* modal = QApplication::activePopupWidget();
        if (!modal) modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        handler(modal);
    });
    poll->start(PollIntervalMs);
}

// The program's three windows, created as start-up does, not yet shown.
class QtUiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ui = std::make_unique<QtUi>();
        ASSERT_TRUE(ui->createWindow(WindowId::Main, WindowStyle::Main, "main", MainPlacement));
        ASSERT_TRUE(ui->createWindow(WindowId::Code, WindowStyle::Tool, "code", CodePlacement));
        ASSERT_TRUE(
            ui->createWindow(WindowId::NewMelody, WindowStyle::Dialog, "dialog", DialogPlacement));
    }

    QWidget* mainWidget() const { return ui->windowWidget(WindowId::Main); }

    // Shows the window, makes it the active one and forgets the events that produced.
    void activate(WindowId windowId) {
        ui->showWindow(windowId, true);
        QWidget* widget = ui->windowWidget(windowId);
        ASSERT_TRUE(QTest::qWaitForWindowActive(widget));
        ui->drainEvents();
    }

    std::unique_ptr<QtUi> ui;
};

} // namespace vemo::testing_qt
