#pragma once

#include "model/EditorState.h"
#include "platform/Platform.h"

#include <string>
#include <vector>

namespace vemo {

// One statement per tone or rest, in the order they sound.
std::vector<std::string> codeLinesFor(const ToneList& tones);

// "get code": fills the code window with the statements of the melody's range and shows it;
// with no note in range only the toolbar is put back to match the playback.
void exportCode(EditorState& state, Platform& platform);

} // namespace vemo
