#pragma once

#include "model/EditorState.h"
#include "platform/Platform.h"
#include "sound/CodeDialects.h"

#include <string>
#include <vector>

namespace vemo {

// One statement per tone or rest, in the order they sound.
std::vector<std::string> codeLinesFor(const ToneList& tones);

// The dialect the user chose for the code window; beep while none is chosen.
CodeDialect chosenCodeDialect(const Shell& shell);

// "get code": fills the code window with the statements of the melody's range in the chosen
// dialect and shows it; with no note in range only the toolbar is put back to match the playback.
void exportCode(EditorState& state, Platform& platform);

// Another dialect chosen: the tones of the last export written again in it. Nothing before the
// first export.
void showCodeInChosenDialect(EditorState& state, Ui& ui);

} // namespace vemo
