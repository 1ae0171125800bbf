#include "app/Import.h"

#include "convert/MidiImport.h"
#include "platform/Ids.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace vemo {

namespace {

// The form's grid steps: "1/16 note" for a column of 16 a whole note.
std::vector<std::string> gridStepEntries() {
    std::vector<std::string> entries;
    for (const std::int32_t step : GridSteps)
        entries.push_back("1/" + std::to_string(step) + " note");
    return entries;
}

std::int32_t defaultGridStepEntry() {
    return static_cast<std::int32_t>(
        std::find(GridSteps.begin(), GridSteps.end(), DefaultGridStep) - GridSteps.begin());
}

// The imported melody takes the place of the editor's as a load's would; it has no file of
// its own yet, only the folder it came from.
void takeImport(EditorContext& editor, MelodyImport& imported, const std::string& path) {
    Melody& melody = imported.melody;
    editor.state.melody.smallBlock = melody.smallBlock;
    editor.state.melody.largeBlock = melody.largeBlock;
    takeMelody(editor, std::move(melody));
    editor.platform.ui.setWindowTitle(WindowId::Main, TitlePrefix + path + " (imported)");
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    editor.state.shell.fileName = folder.empty() ? std::string() : (folder / "").string();
    ++editor.state.shell.fileGeneration;
}

// How far the melody is from what the file holds.
std::string importReport(const MelodyImport& imported) {
    std::string text =
        std::to_string(imported.melody.columnDuration) + " ms per column, " +
        std::to_string(imported.melody.lastColumn + 1) +
        " columns\r\nlargest snapping error: " + std::to_string(imported.largestSnapErrorMs) +
        " ms\r\nnotes moved by octaves: " + std::to_string(imported.octaveMovedNotes);
    if (imported.unheardNotes > 0) text += "\r\n" + unheardNotesReport(imported.unheardNotes);
    if (const std::string tempo = tempoRoundingReport(imported); !tempo.empty())
        text += "\r\n" + tempo;
    if (!imported.warning.empty()) text += "\r\n" + imported.warning;
    return text;
}

bool isExact(const MelodyImport& imported) {
    return imported.largestSnapErrorMs == 0 && imported.octaveMovedNotes == 0 &&
           imported.unheardNotes == 0 && imported.warning.empty() &&
           tempoRoundingReport(imported).empty();
}

// The list is the song's voices, the two drop-downs the grid step and the overlap rule.
ImportChoice midiChoiceOf(const FormAnswer& answer) {
    return {static_cast<std::size_t>(answer.listChosen),
            GridSteps[static_cast<std::size_t>(answer.chosen[0])],
            answer.chosen[1] == 0 ? OverlapRule::Highest : OverlapRule::Latest};
}

// The voice, the grid step and the overlap rule, with the import's report for the choices as
// they stand; none when the user cancels.
std::optional<ImportChoice> askMidiChoice(Ui& ui, const MidiSong& song, const std::string& path) {
    Form form;
    form.title = "import MIDI";
    form.listLabel = "'" + std::filesystem::path(path).filename().string() +
                     "': the track and channel to import";
    for (const MidiVoice& voice : song.voices)
        form.listEntries.push_back(voiceDescription(voice));
    form.listChosen = static_cast<std::int32_t>(defaultVoice(song));
    form.choices = {{"one column", gridStepEntries(), defaultGridStepEntry()},
                    {"where notes overlap", {"the highest sounds", "the latest sounds"}, 0}};
    form.acceptText = "import";
    const FormAnswer answer = ui.showForm(form, [&song](const FormAnswer& choices) {
        return importReport(importMidi(song, midiChoiceOf(choices)));
    });
    if (!answer.isAccepted) return std::nullopt;
    return midiChoiceOf(answer);
}

LoadOutcome importMidiSong(EditorContext& editor, FileSong&& song, const std::string& path) {
    Ui& ui = editor.platform.ui;
    const MidiSong& midi = std::get<MidiSong>(song);
    const std::optional<ImportChoice> choice = askMidiChoice(ui, midi, path);
    if (!choice) return LoadOutcome::Stopped;
    if (const std::string silent = silentVoiceReason(midi, choice->voice); !silent.empty()) {
        invalidFile(ui, "invalid file-format:\r\n\r\n'" + path + "'", silent);
        return LoadOutcome::Failed;
    }
    MelodyImport imported = melodyOf(std::move(song), *choice);
    takeImport(editor, imported, path);
    return LoadOutcome::Imported;
}

} // namespace

LoadOutcome importSong(EditorContext& editor, FileSong&& song, const std::string& path) {
    if (std::holds_alternative<MidiSong>(song))
        return importMidiSong(editor, std::move(song), path);
    MelodyImport imported = melodyOf(std::move(song));
    takeImport(editor, imported, path);
    // Said only when the melody is not exactly what the file holds.
    if (!isExact(imported))
        editor.platform.ui.messageBox("import", "'" + path + "'\r\n\r\n" + importReport(imported),
                                      false);
    return LoadOutcome::Imported;
}

} // namespace vemo
