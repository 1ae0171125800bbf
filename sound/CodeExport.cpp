#include "sound/CodeExport.h"

#include "platform/Ids.h"
#include "sound/CodeDialects.h"
#include "sound/Playback.h"
#include "sound/ToneList.h"

namespace vemo {

namespace {

constexpr const char* LineBreak = "\r\n";

} // namespace

std::vector<std::string> codeLinesFor(const ToneList& tones) {
    return codeLinesFor(CodeDialect::Beep, tones);
}

void exportCode(EditorState& state, Platform& platform) {
    Ui& ui = platform.ui;
    // While a melody plays the toolbar already shows it, and its end is the event loop's to show.
    const bool isPlayingShown = state.playback.isPlayingShown;
    if (!isPlayingShown) showPlayingToolbar(ui);
    ui.drainEvents();
    const MelodyRange range = melodyRange(state.melody, state.selection);
    if (range.firstNoteColumn >= 0) {
        // The same tone list that playback builds, so the text and the sound cannot disagree.
        state.shell.codeLines = codeLinesFor(buildToneList(state.melody, state.pitch, range));
        ui.clearEditor(ControlId::CodeEditor);
        bool isFirstLine = true;
        for (const std::string& line : state.shell.codeLines) {
            ui.appendEditorText(ControlId::CodeEditor, isFirstLine ? line : LineBreak + line);
            isFirstLine = false;
        }
        ui.showWindow(WindowId::Code, true);
        ui.focusControl(ControlId::CodeEditor);
    }
    if (!isPlayingShown) showIdleToolbar(ui);
}

} // namespace vemo
