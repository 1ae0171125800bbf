#include "sound/CodeExport.h"

#include "platform/Ids.h"
#include "sound/Playback.h"
#include "sound/ToneList.h"

namespace vemo {

namespace {

constexpr const char* LineBreak = "\r\n";

// std::to_string writes plain decimal with a leading '-', no grouping, no padding.
std::string toneStatement(const ToneEvent& tone) {
    return "Beep_( " + std::to_string(tone.frequency) + ", " + std::to_string(tone.duration) + " )";
}

std::string restStatement(const ToneEvent& rest) {
    return "Delay(" + std::to_string(rest.duration) + ")";
}

} // namespace

std::vector<std::string> codeLinesFor(const ToneList& tones) {
    std::vector<std::string> lines;
    lines.reserve(tones.size());
    for (const ToneEvent& event : tones)
        lines.push_back(event.isRest != 0 ? restStatement(event) : toneStatement(event));
    return lines;
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
