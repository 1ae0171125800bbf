#include "sound/CodeExport.h"

#include "platform/Ids.h"
#include "sound/Playback.h"
#include "sound/ToneList.h"

namespace vemo {

namespace {

constexpr const char* LineBreak = "\r\n";

void fillCodeEditor(Shell& shell, Ui& ui) {
    shell.codeLines = codeLinesFor(chosenCodeDialect(shell), shell.codeTones);
    ui.clearEditor(ControlId::CodeEditor);
    bool isFirstLine = true;
    for (const std::string& line : shell.codeLines) {
        ui.appendEditorText(ControlId::CodeEditor, isFirstLine ? line : LineBreak + line);
        isFirstLine = false;
    }
}

} // namespace

std::vector<std::string> codeLinesFor(const ToneList& tones) {
    return codeLinesFor(CodeDialect::Beep, tones);
}

CodeDialect chosenCodeDialect(const Shell& shell) {
    return codeDialectNamed(shell.codeFormat).value_or(CodeDialect::Beep);
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
        state.shell.codeTones = buildToneList(state.melody, state.pitch, range);
        fillCodeEditor(state.shell, ui);
        ui.showWindow(WindowId::Code, true);
        ui.focusControl(ControlId::CodeEditor);
    }
    if (!isPlayingShown) showIdleToolbar(ui);
}

void showCodeInChosenDialect(EditorState& state, Ui& ui) {
    if (!state.shell.codeTones.empty()) fillCodeEditor(state.shell, ui);
}

} // namespace vemo
