#pragma once

#include "app/Startup.h"

#include <array>
#include <string>

namespace vemo {

// The toolbar icons, in the order they are read from Data/.
inline const std::array<std::string, IconCount> IconFiles = {
    "new.ico",  "space.ico", "sing.ico",  "shut.ico",  "loop.ico", "code.ico", "load.ico",
    "save.ico", "copy.ico",  "paste.ico", "selec.ico", "undo.ico", "redo.ico", "export.ico"};

struct WindowsResult {
    bool ok = true;
    std::string failure; // the "error" box text when not ok
};

// Every window, the toolbar, the controls, the popup menus and the shortcuts, in creation order;
// also the three image areas.
WindowsResult createWindows(EditorState& state, const std::array<Image, IconCount>& icons,
                            Platform& platform);

} // namespace vemo
