#include "platform/qt/QtKeys.h"

#include "platform/Ui.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <array>
#include <utility>

namespace vemo {

namespace {

using K = PhysicalKey;

constexpr quint32 XKeycodeOffset = 8;

constexpr std::array<std::pair<int, PhysicalKey>, 45> MainKeys{{
    {Qt::Key_2, K::Digit2},
    {Qt::Key_3, K::Digit3},
    {Qt::Key_5, K::Digit5},
    {Qt::Key_6, K::Digit6},
    {Qt::Key_7, K::Digit7},
    {Qt::Key_9, K::Digit9},
    {Qt::Key_0, K::Digit0},
    {Qt::Key_Minus, K::Minus},
    {Qt::Key_Q, K::Q},
    {Qt::Key_W, K::W},
    {Qt::Key_E, K::E},
    {Qt::Key_R, K::R},
    {Qt::Key_T, K::T},
    {Qt::Key_Y, K::Y},
    {Qt::Key_U, K::U},
    {Qt::Key_I, K::I},
    {Qt::Key_O, K::O},
    {Qt::Key_P, K::P},
    {Qt::Key_S, K::S},
    {Qt::Key_D, K::D},
    {Qt::Key_G, K::G},
    {Qt::Key_H, K::H},
    {Qt::Key_J, K::J},
    {Qt::Key_L, K::L},
    {Qt::Key_Semicolon, K::Semicolon},
    {Qt::Key_Z, K::Z},
    {Qt::Key_X, K::X},
    {Qt::Key_C, K::C},
    {Qt::Key_V, K::V},
    {Qt::Key_B, K::B},
    {Qt::Key_N, K::N},
    {Qt::Key_M, K::M},
    {Qt::Key_Comma, K::Comma},
    {Qt::Key_Period, K::Period},
    {Qt::Key_Slash, K::Slash},
    {Qt::Key_Backspace, K::Backspace},
    {Qt::Key_Insert, K::Insert},
    {Qt::Key_Delete, K::Delete},
    {Qt::Key_Escape, K::Escape},
    {Qt::Key_Left, K::Left},
    {Qt::Key_Right, K::Right},
    {Qt::Key_Home, K::Home},
    {Qt::Key_End, K::End},
    {Qt::Key_PageUp, K::PageUp},
    {Qt::Key_PageDown, K::PageDown},
}};

constexpr std::array<std::pair<int, PhysicalKey>, 4> PadKeys{{
    {Qt::Key_Asterisk, K::KeypadMultiply},
    {Qt::Key_Slash, K::KeypadDivide},
    {Qt::Key_Plus, K::KeypadPlus},
    {Qt::Key_Minus, K::KeypadMinus},
}};

template <std::size_t N>
PhysicalKey lookUp(const std::array<std::pair<int, PhysicalKey>, N>& keys, int qtKey) {
    for (const auto& [key, physical] : keys)
        if (key == qtKey) return physical;
    return K::Unknown;
}

} // namespace

PhysicalKey physicalKeyOf(const QKeyEvent& event) {
    const quint32 scanCode = event.nativeScanCode();
    const QString platform = QGuiApplication::platformName();
    // Wayland's keyboard map uses the same XKB keycodes.
    const bool hasXkbKeycodes = platform == QLatin1String("xcb") || platform.startsWith("wayland");
    if (scanCode > XKeycodeOffset && hasXkbKeycodes)
        return physicalKeyFromEvdev(static_cast<std::int32_t>(scanCode - XKeycodeOffset));
    if (event.modifiers().testFlag(Qt::KeypadModifier)) {
        const PhysicalKey pad = lookUp(PadKeys, event.key());
        if (pad != K::Unknown) return pad;
    }
    return lookUp(MainKeys, event.key());
}

std::int32_t modifierBitsOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    std::int32_t bits = Modifier::None;
    if (modifiers.testFlag(Qt::ShiftModifier)) bits |= Modifier::Shift;
    if (modifiers.testFlag(Qt::ControlModifier)) bits |= Modifier::Control;
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier)) bits |= Modifier::Other;
    return bits;
}

} // namespace vemo
