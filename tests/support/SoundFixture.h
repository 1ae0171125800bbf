#pragma once

#include "platform/Ids.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/MelodyFixture.h"

namespace vemo::test {

// A 64-column melody with the whole range selectable, and the two toolbar buttons that
// playback and the code export switch, idle.
inline void prepareSoundEditor(EditorState& state, FakeUi& ui) {
    resetMelody(state.melody, 64);
    startPitch(state.pitch);
    state.selection = {0, 0, 63, 0, 0};
    ui.addToolbarButton(CommandId::Sing, {}, false, "sing");
    ui.addToolbarButton(CommandId::ShutUp, {}, false, "shut up");
    ui.setButtonEnabled(CommandId::ShutUp, false);
}

} // namespace vemo::test
