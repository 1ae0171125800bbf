#pragma once

#include <cstdint>

namespace vemo {

// A key by its place on the keyboard, named after what it types on a US layout; the same key
// whatever character the user's key map gives it.
// clang-format off
enum class PhysicalKey : std::int32_t {
    Unknown,
    // The number row and the three letter rows, as far as note entry uses them.
    Digit2, Digit3, Digit5, Digit6, Digit7, Digit9, Digit0, Minus,
    Q, W, E, R, T, Y, U, I, O, P,
    S, D, G, H, J, L, Semicolon,
    Z, X, C, V, B, N, M, Comma, Period, Slash,
    // Editing and moving.
    Backspace, Insert, Delete, Escape, Left, Right, Home, End, PageUp, PageDown,
    // The number pad.
    KeypadMultiply, KeypadDivide, KeypadPlus, KeypadMinus,
};
// clang-format on

// The key at a Linux input (evdev) code, the numbering X keycodes follow with an offset of 8.
PhysicalKey physicalKeyFromEvdev(std::int32_t code);

} // namespace vemo
