#include "QtTestSupport.h"

#include <QKeyEvent>
#include <QSpinBox>

namespace vemo::testing_qt {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// X11 keysyms and keycodes of the two Ctrl keys.
constexpr quint32 LeftControlKeysym = 0xffe3;
constexpr quint32 RightControlKeysym = 0xffe4;
constexpr quint32 LeftControlScanCode = 37;
constexpr quint32 RightControlScanCode = 105;

class QtShortcutsTest : public QtUiTest {
  protected:
    void SetUp() override {
        QtUiTest::SetUp();
        ui->createSpin(WindowId::Main, ControlId::DurationSpin, {5, 60, 40, 20}, 1, 999);
        ui->setSpinValue(ControlId::DurationSpin, 120);
        ui->createSpin(WindowId::NewMelody, ControlId::WidthSpin, {90, 10, 50, 20}, 32, 4096);
        ui->setSpinValue(ControlId::WidthSpin, 512);
        ui->addShortcut(ShortcutKey::F1, Modifier::None, CommandId::Help);
        ui->addShortcut(ShortcutKey::F3, Modifier::None, CommandId::Load);
        ui->addShortcut(ShortcutKey::F2, Modifier::None, CommandId::Save);
        ui->addShortcut(ShortcutKey::Space, Modifier::None, CommandId::SpaceKey);
        ui->addShortcut(ShortcutKey::R, Modifier::None, CommandId::RepeatKey);
        ui->addShortcut(ShortcutKey::G, Modifier::None, CommandId::GetCode);
        ui->addShortcut(ShortcutKey::C, Modifier::Control, CommandId::Copy);
        ui->addShortcut(ShortcutKey::V, Modifier::Control, CommandId::Paste);
        ui->addShortcut(ShortcutKey::Delete, Modifier::None, CommandId::DeleteKey);
        ui->addShortcut(ShortcutKey::S, Modifier::None, CommandId::SelectionKey);
    }

    QSpinBox* focusedSpin() {
        activate(WindowId::Main);
        ui->focusControl(ControlId::DurationSpin);
        auto* spin = qobject_cast<QSpinBox*>(ui->controlWidget(ControlId::DurationSpin));
        EXPECT_EQ(QApplication::focusWidget(), spin);
        return spin;
    }

    void sendControlKey(QEvent::Type type, quint32 scanCode, quint32 keysym) {
        const Qt::KeyboardModifiers modifiers =
            type == QEvent::KeyPress ? Qt::ControlModifier : Qt::NoModifier;
        QKeyEvent event(type, Qt::Key_Control, modifiers, scanCode, keysym, 0);
        QApplication::sendEvent(mainWidget(), &event);
    }
};

TEST_F(QtShortcutsTest, PlainKeysBeatAFocusedSpinBoxWhileDigitsStillEditIt) {
    QSpinBox* spin = focusedSpin();
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_R, Qt::Key_S, Qt::Key_G, Qt::Key_Delete,
                              Qt::Key_F1, Qt::Key_F2, Qt::Key_F3})
        QTest::keyClick(spin, key);
    EXPECT_THAT(takeCommands(*ui),
                ElementsAre(IsCommand(CommandId::SpaceKey), IsCommand(CommandId::RepeatKey),
                            IsCommand(CommandId::SelectionKey), IsCommand(CommandId::GetCode),
                            IsCommand(CommandId::DeleteKey), IsCommand(CommandId::Help),
                            IsCommand(CommandId::Save), IsCommand(CommandId::Load)));
    EXPECT_EQ(spin->value(), 120);

    spin->selectAll();
    QTest::keyClicks(spin, "47");
    EXPECT_EQ(spin->value(), 47);
}

TEST_F(QtShortcutsTest, ControlShortcutsNeedControlAlone) {
    QSpinBox* spin = focusedSpin();
    QTest::keyClick(spin, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(spin, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(spin, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(spin, Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(spin, Qt::Key_C);
    QTest::keyClick(spin, Qt::Key_R, Qt::ShiftModifier);
    QTest::keyClick(spin, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_THAT(takeCommands(*ui),
                ElementsAre(IsCommand(CommandId::Copy), IsCommand(CommandId::Paste)));
}

TEST_F(QtShortcutsTest, ZoomKeysWithAndWithoutShiftOrKeypadBeatAFocusedSpinBox) {
    ui->addShortcut(ShortcutKey::Plus, Modifier::Control, CommandId::ZoomIn);
    ui->addShortcut(ShortcutKey::Plus, Modifier::Control | Modifier::Shift, CommandId::ZoomIn);
    ui->addShortcut(ShortcutKey::Equal, Modifier::Control, CommandId::ZoomIn);
    ui->addShortcut(ShortcutKey::Minus, Modifier::Control, CommandId::ZoomOut);
    QSpinBox* spin = focusedSpin();
    QTest::keyClick(spin, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(spin, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(spin, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    QTest::keyClick(spin, Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(spin, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(spin, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    QTest::keyClick(spin, Qt::Key_Equal, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(spin, Qt::Key_Minus, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_THAT(takeCommands(*ui),
                ElementsAre(IsCommand(CommandId::ZoomIn), IsCommand(CommandId::ZoomIn),
                            IsCommand(CommandId::ZoomIn), IsCommand(CommandId::ZoomIn),
                            IsCommand(CommandId::ZoomOut), IsCommand(CommandId::ZoomOut)));
    EXPECT_EQ(spin->value(), 120);
}

TEST_F(QtShortcutsTest, ShortcutsActOnlyWhileTheMainWindowIsActive) {
    activate(WindowId::Main);
    activate(WindowId::NewMelody);
    ui->focusControl(ControlId::WidthSpin);
    QTest::keyClick(ui->controlWidget(ControlId::WidthSpin), Qt::Key_Space);
    QTest::keyClick(ui->controlWidget(ControlId::WidthSpin), Qt::Key_C, Qt::ControlModifier);
    EXPECT_THAT(takeCommands(*ui), IsEmpty());

    // A key that reaches the main window while its own dialog is active does nothing either.
    // Sent directly, so that no late focus change of the window system can come in between.
    QWidget* dialog = ui->windowWidget(WindowId::NewMelody);
    ASSERT_TRUE(QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_G, Qt::NoModifier, QStringLiteral("g"));
    QApplication::sendEvent(mainWidget(), &press);
    EXPECT_THAT(takeCommands(*ui), IsEmpty());
}

TEST_F(QtShortcutsTest, LeftControlIsToldFromRightControl) {
    activate(WindowId::Main);
    EXPECT_EQ(ui->keyState(Key::LeftControl), 0);

    sendControlKey(QEvent::KeyPress, RightControlScanCode, RightControlKeysym);
    EXPECT_EQ(ui->keyState(Key::LeftControl), 0);
    sendControlKey(QEvent::KeyRelease, RightControlScanCode, RightControlKeysym);

    sendControlKey(QEvent::KeyPress, LeftControlScanCode, LeftControlKeysym);
    EXPECT_EQ(ui->keyState(Key::LeftControl), KeyDownNow | KeyPressedSince);
    EXPECT_EQ(ui->keyState(Key::LeftControl), KeyDownNow);
    sendControlKey(QEvent::KeyRelease, LeftControlScanCode, LeftControlKeysym);
    EXPECT_EQ(ui->keyState(Key::LeftControl), 0);
}

TEST_F(QtShortcutsTest, MIsDownFromItsPressToItsRelease) {
    activate(WindowId::Main);
    QTest::keyPress(mainWidget(), Qt::Key_M);
    EXPECT_TRUE(ui->keyState(Key::M) & KeyDownNow);
    QTest::keyRelease(mainWidget(), Qt::Key_M);
    EXPECT_FALSE(ui->keyState(Key::M) & KeyDownNow);
}

TEST_F(QtShortcutsTest, MouseButtonsAreReadAtTheMoment) {
    activate(WindowId::Main);
    QTest::mousePress(mainWidget(), Qt::LeftButton, {}, {300, 300});
    EXPECT_TRUE(ui->keyState(Key::LeftButton) & KeyDownNow);
    EXPECT_FALSE(ui->keyState(Key::RightButton) & KeyDownNow);
    QTest::mouseRelease(mainWidget(), Qt::LeftButton, {}, {300, 300});
    EXPECT_FALSE(ui->keyState(Key::LeftButton) & KeyDownNow);
}

} // namespace
} // namespace vemo::testing_qt

namespace vemo::testing_qt {
namespace {

// A key as the X server reports it: its keycode, and what the key map makes it type.
struct TypedKey {
    quint32 keycode;
    Qt::Key key;
    const char* text;
};

TEST_F(QtShortcutsTest, KeyEntryTakesKeysByTheirPlaceWhateverTheyTypeAndLeavesOtherShortcuts) {
    using K = PhysicalKey;
    ui->setKeyEntry(true);
    QSpinBox* spin = focusedSpin();
    const auto typeAll = [&](const std::vector<TypedKey>& keys) {
        for (const TypedKey& typed : keys) {
            QKeyEvent press(QEvent::KeyPress, typed.key, Qt::NoModifier, typed.keycode, 0, 0,
                            QString::fromUtf8(typed.text));
            QApplication::sendEvent(spin, &press);
        }
        return takeEvents(*ui);
    };
    // The same keys on a US and on a German key map: Z and Y change places, and so on.
    const std::vector<Event> us = typeAll({{52, Qt::Key_Z, "z"},
                                           {29, Qt::Key_Y, "y"},
                                           {27, Qt::Key_R, "r"},
                                           {11, Qt::Key_2, "2"},
                                           {20, Qt::Key_Minus, "-"},
                                           {61, Qt::Key_Slash, "/"},
                                           {47, Qt::Key_Semicolon, ";"},
                                           {65, Qt::Key_Space, " "}});
    const std::vector<Event> german = typeAll({{52, Qt::Key_Y, "y"},
                                               {29, Qt::Key_Z, "z"},
                                               {27, Qt::Key_R, "r"},
                                               {11, Qt::Key_2, "2"},
                                               {20, Qt::Key_ssharp, "ß"},
                                               {61, Qt::Key_Minus, "-"},
                                               {47, Qt::Key_Odiaeresis, "ö"},
                                               {65, Qt::Key_Space, " "}});
    const auto byPlace =
        ElementsAre(IsKey(K::Z), IsKey(K::Y), IsKey(K::R), IsKey(K::Digit2), IsKey(K::Minus),
                    IsKey(K::Slash), IsKey(K::Semicolon), IsCommand(CommandId::SpaceKey));
    EXPECT_THAT(us, byPlace);
    EXPECT_THAT(german, byPlace);
    EXPECT_EQ(spin->value(), 120);

    ui->setKeyEntry(false);
    EXPECT_THAT(typeAll({{27, Qt::Key_R, "r"}}), ElementsAre(IsCommand(CommandId::RepeatKey)));
}

} // namespace
} // namespace vemo::testing_qt
