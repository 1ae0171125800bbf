#pragma once

#include "view/Editor.h"

namespace vemo {

// Where the code window's controls sit at a client size: "copy" at the top left, the format
// chooser beside it, the editor below both.
struct CodeWindowPlaces {
    Rect copy;
    Rect format;
    Rect editor;
};
CodeWindowPlaces codeWindowPlaces(Size client);

// "copy", the format chooser with the dialect remembered from the last run, and the editor.
void createCodeControls(Ui& ui);

// The user chose a dialect: it is remembered, and the code window shows its text in it.
void codeFormatChosen(EditorState& state, Ui& ui);

} // namespace vemo
