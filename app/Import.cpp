#include "app/Import.h"

#include "app/FileFormats.h"
#include "convert/RtttlFile.h"
#include "convert/RtttlImport.h"
#include "platform/Ids.h"

#include <array>
#include <filesystem>

namespace vemo {

namespace {

// The imported melody takes the place of the editor's as a load's would; it has no file of
// its own yet, only the folder it came from.
void takeImport(Editor& editor, MelodyImport& imported, const std::string& path) {
    Melody& melody = imported.melody;
    editor.state.melody.smallBlock = melody.smallBlock;
    editor.state.melody.largeBlock = melody.largeBlock;
    takeMelody(editor, {melody.lastColumn, melody.lastRow, melody.columnDuration,
                        std::move(melody.grid), std::move(melody.marks)});
    editor.platform.ui.setWindowTitle(WindowId::Main, TitlePrefix + path + " (imported)");
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    editor.state.shell.fileName = folder.empty() ? std::string() : (folder / "").string();
}

// Said only when the melody is not exactly what the file holds.
void reportImport(Ui& ui, const MelodyImport& imported, const std::string& path) {
    if (imported.largestSnapErrorMs == 0 && imported.octaveMovedNotes == 0 &&
        imported.warning.empty())
        return;
    std::string text = "'" + path + "'\r\n\r\n" + std::to_string(imported.melody.columnDuration) +
                       " ms per column, " + std::to_string(imported.melody.lastColumn + 1) +
                       " columns\r\nlargest snapping error: " +
                       std::to_string(imported.largestSnapErrorMs) + " ms\r\n" +
                       "notes moved by octaves: " + std::to_string(imported.octaveMovedNotes);
    if (!imported.warning.empty()) text += "\r\n\r\n" + imported.warning;
    ui.messageBox("import", text, false);
}

LoadOutcome importRtttlFile(Editor& editor, const std::string& path) {
    Ui& ui = editor.platform.ui;
    const RtttlFile file = readRtttlFile(path);
    if (!file.song) {
        invalidFile(ui,
                    (file.isReadable ? "invalid file-format:\r\n\r\n'" : "can't load \r\n\r\n'") +
                        path + "'",
                    file.reason);
        return LoadOutcome::Failed;
    }
    MelodyImport imported = importRtttl(*file.song);
    editor.state.shell.stepName = "import";
    takeImport(editor, imported, path);
    reportImport(ui, imported, path);
    return LoadOutcome::Loaded;
}

constexpr std::array<ImportFormat, 1> Formats{{
    {"RTTTL", "rtttl txt", importRtttlFile},
}};

} // namespace

std::span<const ImportFormat> importFormats() {
    return Formats;
}

const ImportFormat* importFormatOf(const std::string& path) {
    const std::string extension = extensionOf(path);
    for (const ImportFormat& format : Formats)
        if (isListed(format.extensions, extension)) return &format;
    return nullptr;
}

} // namespace vemo
