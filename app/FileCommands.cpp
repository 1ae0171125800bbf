#include "app/FileCommands.h"

#include "app/Import.h"
#include "app/NewMelodyCommand.h"
#include "convert/Formats.h"
#include "model/Geometry.h"
#include "model/NewMelody.h"
#include "platform/Files.h"
#include "platform/Ids.h"
#include "store/FileNames.h"
#include "store/MelodyCodec.h"
#include "view/Redraw.h"

#include <filesystem>
#include <system_error>

namespace vemo {

namespace {

constexpr const char* SaveFilter = "*.vemo|*.vemo";
constexpr const char* LastFolderSetting = "lastFolder";

} // namespace

void takeMelody(EditorContext& editor, Melody read) {
    EditorState& state = editor.state;
    Melody& melody = state.melody;
    melody.previousLastColumn = melody.lastColumn;
    melody.lastColumn = read.lastColumn;
    melody.lastRow = read.lastRow;
    melody.columnDuration = read.columnDuration;
    melody.grid = std::move(read.grid);
    melody.marks = std::move(read.marks);
    melody.markTotal = read.markTotal;
    Ui& ui = editor.platform.ui;
    ui.setSpinValue(ControlId::DurationSpin, melody.columnDuration);
    carryClipboard(state.clipboard, melody.previousLastColumn, melody.lastColumn, melody.lastRow);
    computeGeometry(melody);
    resetSelectionAndView(state);
    showSelectionReset(ui);
    redraw(editor, RedrawMain);
}

namespace {

// Melody files first, then every format the editor imports.
std::string loadFilter() {
    std::string filter = "*.vemo|*.vemo|*.*|*.*";
    for (const Format* format : loadFormats())
        filter += "|" + filterEntry(format->loadDescription, readExtensions(*format));
    return filter;
}

// What the file begins with wins over its name: a melody or MIDI file renamed stays one. A file
// that neither tells is read as a melody file, which says what is wrong with it.
const Format& formatToLoad(const std::string& path) {
    const std::vector<const Format*> readable = readFormats();
    const Format* format = formatByBeginning(path, readable);
    if (!format) format = formatByExtension(path, readable);
    return format ? *format : melodyFormat();
}

LoadOutcome loadFrom(EditorContext& editor, const std::string& path) {
    if (path.empty()) return LoadOutcome::Stopped; // the dialog was cancelled
    Ui& ui = editor.platform.ui;
    SongFile file = formatToLoad(path).read(path);
    if (!file.song) {
        invalidFile(ui,
                    (file.isReadable ? "invalid file-format:\r\n\r\n'" : "can't load \r\n\r\n'") +
                        path + "'",
                    file.reason);
        return LoadOutcome::Failed;
    }
    if (!std::holds_alternative<DecodedMelody>(*file.song))
        return importSong(editor, std::move(*file.song), path);
    takeMelody(editor, melodyOf(std::move(*file.song)).melody);
    ui.setWindowTitle(WindowId::Main, TitlePrefix + path);
    editor.state.shell.fileName = path;
    ++editor.state.shell.fileGeneration;
    return LoadOutcome::Loaded;
}

} // namespace

void invalidFile(Ui& ui, const std::string& text, const std::string& reason) {
    ui.messageBox("invalid file", text + "\r\n" + reason, false);
}

bool mayWriteTo(Ui& ui, const std::string& path) {
    // Asking first would offer to replace a file that could not be replaced after all.
    const FileOutcome refusal = checkWritable(path);
    if (!refusal) {
        invalidFile(ui, "can't create \r\n\r\n'" + path + "'", refusal.reason);
        return false;
    }
    return !isExistingFile(path) ||
           ui.messageBox("please confirm", "'" + path + "'\r\n already exists.\r\nreplace file?",
                         true);
}

std::string withMelodyExtension(const std::string& path) {
    const std::size_t lastSeparator = path.find_last_of("/\\");
    const std::size_t lastDot = path.find_last_of('.');
    const bool hasExtension = lastDot != std::string::npos &&
                              (lastSeparator == std::string::npos || lastDot > lastSeparator);
    if (hasExtension && path.substr(lastDot + 1) == "vemo") return path;
    return path + ".vemo";
}

void rememberFolderOf(Ui& ui, const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) ui.storeSetting(LastFolderSetting, folder.string());
}

std::string lastFolder(Ui& ui) {
    const std::string folder = ui.setting(LastFolderSetting);
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(folder, error) ? folder : std::string();
}

void saveMelody(EditorContext& editor) {
    Ui& ui = editor.platform.ui;
    Shell& shell = editor.state.shell;
    shell.fileName =
        ui.fileDialog({true, "save file", shell.fileName, SaveFilter, 0, lastFolder(ui)}).path;
    if (shell.fileName.empty()) return;
    rememberFolderOf(ui, shell.fileName);
    shell.fileName = withMelodyExtension(shell.fileName);
    if (!mayWriteTo(ui, shell.fileName)) return;
    const FileOutcome written =
        writeFileReplacing(shell.fileName, encodeMelody(editor.state.melody));
    if (!written) {
        invalidFile(ui, "can't create \r\n\r\n'" + shell.fileName + "'", written.reason);
        return;
    }
    ui.setWindowTitle(WindowId::Main, TitlePrefix + shell.fileName);
    ++shell.fileGeneration;
}

LoadOutcome loadMelody(EditorContext& editor) {
    Shell& shell = editor.state.shell;
    Ui& ui = editor.platform.ui;
    shell.loadPath =
        ui.fileDialog({false, "load file", shell.loadPath, loadFilter(), 0, lastFolder(ui)}).path;
    if (!shell.loadPath.empty()) rememberFolderOf(ui, shell.loadPath);
    return loadFrom(editor, shell.loadPath);
}

bool loadMelodyFromCommandLine(EditorContext& editor, const std::string& path) {
    editor.state.shell.loadPath = path;
    // A cancelled import dialog leaves the editor open with its empty melody.
    return loadFrom(editor, path) != LoadOutcome::Failed;
}

} // namespace vemo
