#pragma once

#include "app/ProgramContext.h"

namespace vemo {

constexpr std::int32_t EventWaitMs = 80;
// The wait while a melody plays: the cursor moves at least 30 times a second.
constexpr std::int32_t CursorFrameMs = 25;

// One pass of the main loop: at most one event, then the checks that run on every pass.
void eventStep(EditorContext& editor);

} // namespace vemo
