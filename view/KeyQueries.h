#pragma once

#include "platform/Ui.h"

namespace vemo {

// The three ways the editor asks about a key or a button, each read at the moment of the call.

// Down now, or went down since the previous query.
inline bool isHeld(Ui& ui, std::int32_t key) {
    return ui.keyState(key) != 0;
}

// Two reads in a row, both answering: a lone "went down since" answer does not pass twice.
inline bool isHeldAskedTwice(Ui& ui, std::int32_t key) {
    return ui.keyState(key) != 0 && ui.keyState(key) != 0;
}

inline bool isDownNow(Ui& ui, std::int32_t key) {
    return (ui.keyState(key) & KeyDownNow) != 0;
}

} // namespace vemo
