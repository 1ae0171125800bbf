#include "platform/PhysicalKey.h"

#include <array>
#include <utility>

namespace vemo {

namespace {

using K = PhysicalKey;

// Codes from linux/input-event-codes.h, written out so no system header is needed.
constexpr std::array<std::pair<std::int32_t, PhysicalKey>, 49> EvdevKeys{{
    {1, K::Escape},
    {3, K::Digit2},
    {4, K::Digit3},
    {6, K::Digit5},
    {7, K::Digit6},
    {8, K::Digit7},
    {10, K::Digit9},
    {11, K::Digit0},
    {12, K::Minus},
    {14, K::Backspace},
    {16, K::Q},
    {17, K::W},
    {18, K::E},
    {19, K::R},
    {20, K::T},
    {21, K::Y},
    {22, K::U},
    {23, K::I},
    {24, K::O},
    {25, K::P},
    {31, K::S},
    {32, K::D},
    {34, K::G},
    {35, K::H},
    {36, K::J},
    {38, K::L},
    {39, K::Semicolon},
    {44, K::Z},
    {45, K::X},
    {46, K::C},
    {47, K::V},
    {48, K::B},
    {49, K::N},
    {50, K::M},
    {51, K::Comma},
    {52, K::Period},
    {53, K::Slash},
    {55, K::KeypadMultiply},
    {74, K::KeypadMinus},
    {78, K::KeypadPlus},
    {98, K::KeypadDivide},
    {102, K::Home},
    {111, K::Delete},
    {104, K::PageUp},
    {105, K::Left},
    {106, K::Right},
    {107, K::End},
    {109, K::PageDown},
    {110, K::Insert},
}};

} // namespace

PhysicalKey physicalKeyFromEvdev(std::int32_t code) {
    for (const auto& [evdev, key] : EvdevKeys)
        if (evdev == code) return key;
    return K::Unknown;
}

} // namespace vemo
