#pragma once

#include "app/Editor.h"

namespace vemo {

constexpr std::int32_t EventWaitMs = 80;

// One pass of the main loop: at most one event, then the checks that run on every pass.
void eventStep(Editor& editor);

} // namespace vemo
