#pragma once

#include "view/Editor.h"

namespace vemo {

// Title of the main window while the melody has no file.
inline constexpr const char* UntitledTitle = "       vemo - F1:help - untitled";

// The selection toggle shows what a replaced melody leaves: the selection not in use.
void showSelectionReset(Ui& ui);

// An empty melody of the current lastColumn and block sizes, drawn, the window untitled.
void newMelody(EditorState& state, const CellBitmaps& bitmaps, Platform& platform);

// The "apply" button of the new-melody dialog.
void applyNewMelody(EditorState& state, const CellBitmaps& bitmaps, Platform& platform,
                    std::int32_t width, std::int32_t smallBlock, std::int32_t largeBlock);

} // namespace vemo
