#include "app/CodeWindow.h"

#include "app/PlaybackCommands.h"
#include "convert/Formats.h"
#include "platform/Ids.h"
#include "sound/ToneList.h"

#include <algorithm>
#include <filesystem>

namespace vemo {

namespace {

constexpr std::int32_t Margin = 2;
constexpr std::int32_t RowHeight = 20;
constexpr std::int32_t EditorTop = 24;
constexpr const char* CodeFormatSetting = "codeFormat";
constexpr const char* LineBreak = "\r\n";

constexpr const char* UnnamedMelody = "melody";

std::vector<std::string> dialectEntries() {
    std::vector<std::string> entries;
    for (std::string_view name : textFormatNames())
        entries.emplace_back(name);
    return entries;
}

// The text of the tones the window was last filled from, in the format the user chose; a text
// that carries a name takes the melody file's.
void fillCodeEditor(Shell& shell, Ui& ui) {
    const Format* format = textFormatNamed(shell.codeFormat);
    if (format == nullptr) format = textFormatNamed(textFormatNames().front());
    std::string name = std::filesystem::path(shell.fileName).stem().string();
    if (name.empty()) name = UnnamedMelody;
    shell.codeLines = format->text({shell.codeTones, shell.codeColumnMs, shell.codeFirstColumn,
                                    DefaultGridStep, std::move(name)});
    ui.clearEditor(ControlId::CodeEditor);
    bool isFirstLine = true;
    for (const std::string& line : shell.codeLines) {
        ui.appendEditorText(ControlId::CodeEditor, isFirstLine ? line : LineBreak + line);
        isFirstLine = false;
    }
}

} // namespace

CodeWindowPlaces codeWindowPlaces(Size client) {
    const std::int32_t width = client.width - 2 * Margin;
    return {{Margin, Margin, width, RowHeight},
            {Margin, EditorTop, width, client.height - EditorTop - Margin}};
}

void createCodeControls(Ui& ui, Shell& shell) {
    const CodeWindowPlaces places = codeWindowPlaces(ui.clientSize(WindowId::Code));
    ui.createButton(WindowId::Code, ControlId::CodeCopy, places.copy, "copy");
    ui.createTextEditor(WindowId::Code, ControlId::CodeEditor, places.editor);
    const std::string remembered = ui.setting(CodeFormatSetting);
    shell.codeFormat = textFormatNamed(remembered) ? remembered : dialectEntries().front();
}

void chooseCodeFormat(EditorState& state, Ui& ui) {
    const std::vector<std::string> entries = dialectEntries();
    const auto current = std::find(entries.begin(), entries.end(), state.shell.codeFormat);
    const std::int32_t chosen =
        ui.chooseFromMenu(entries, static_cast<std::int32_t>(current - entries.begin()));
    if (chosen < 0 || chosen >= static_cast<std::int32_t>(entries.size())) return;
    state.shell.codeFormat = entries[static_cast<std::size_t>(chosen)];
    ui.storeSetting(CodeFormatSetting, state.shell.codeFormat);
    // Nothing to write again before the first "get code".
    if (!state.shell.codeTones.empty()) fillCodeEditor(state.shell, ui);
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
        state.shell.codeColumnMs = state.melody.columnDuration;
        state.shell.codeFirstColumn = range.firstNoteColumn;
        fillCodeEditor(state.shell, ui);
        ui.showWindow(WindowId::Code, true);
        ui.focusControl(ControlId::CodeEditor);
    }
    if (!isPlayingShown) showIdleToolbar(ui);
}

} // namespace vemo
