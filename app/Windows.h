#pragma once

#include "app/Startup.h"

#include <array>
#include <string>

namespace vemo {

struct IconFile {
    const char* name;
    // The editor's first eleven icons must be there; one added later falls back to a built-in
    // picture, so that a Data folder of those eleven still starts the editor.
    bool isRequired;
};

// The toolbar icons, in the order they are read from Data/.
inline constexpr std::array<IconFile, 15> IconFiles{{{"new.ico", true},
                                                           {"space.ico", true},
                                                           {"sing.ico", true},
                                                           {"shut.ico", true},
                                                           {"loop.ico", true},
                                                           {"code.ico", true},
                                                           {"load.ico", true},
                                                           {"save.ico", true},
                                                           {"copy.ico", true},
                                                           {"paste.ico", true},
                                                           {"selec.ico", true},
                                                           {"undo.ico", false},
                                                           {"redo.ico", false},
                                                           {"export.ico", false},
                                                           {"follow.ico", false}}};

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
