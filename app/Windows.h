#pragma once

#include "app/Startup.h"

#include <string>

namespace vemo {

// Where the main window opens and works: the outer top-left corner and the client size.
constexpr Rect MainPlacement{100, 100, 800, 600};

struct WindowsResult {
    bool ok = true;
    std::string failure; // the "error" box text when not ok
};

// Every window, the toolbar, the controls, the popup menus and the shortcuts, in creation order;
// also the three image areas.
WindowsResult createWindows(EditorState& state, const Icons& icons, Platform& platform);

} // namespace vemo
