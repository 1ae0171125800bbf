#pragma once

#include "model/EditorState.h"
#include "platform/Platform.h"

namespace vemo {

// Where the code window's controls sit at a client size: "copy" along the top, the editor below.
struct CodeWindowPlaces {
    Rect copy;
    Rect editor;
};
CodeWindowPlaces codeWindowPlaces(Size client);

// "copy" and the editor; the dialect is the one remembered from the last run.
void createCodeControls(Ui& ui, Shell& shell);

// A right click on "copy": a menu of the dialects. The one chosen is remembered, and the code
// window shows its text in it.
void chooseCodeFormat(EditorState& state, Ui& ui);

// "get code": fills the code window with the text of the melody's range in the chosen dialect
// and shows it; with no note in range only the toolbar is put back to match the playback.
void exportCode(EditorState& state, Platform& platform);

} // namespace vemo
