#pragma once

#include "model/EditorState.h"
#include "platform/Ui.h"

namespace vemo {

constexpr std::int32_t MinClientWidth = 200;
constexpr std::int32_t MinClientHeight = 100;
constexpr std::int32_t ScrollBarThickness = 12;
constexpr std::int32_t AreaGap = 5;
constexpr std::int32_t GridLeft = 50;

// Keeps the main window at its minimum size and fits the three image areas to it, their images
// at the screen's device pixel ratio. Draws nothing.
void layoutMainWindow(View& view, Ui& ui);

} // namespace vemo
