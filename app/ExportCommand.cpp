#include "app/ExportCommand.h"

#include "app/ExportFormats.h"
#include "app/FileCommands.h"
#include "sound/ToneList.h"

#include <filesystem>

namespace vemo {

namespace {

// In the folder the file dialogs used last, named after the melody's file when it has one.
std::string defaultExportPath(Ui& ui, const Shell& shell) {
    const std::filesystem::path melodyFile(shell.fileName);
    std::filesystem::path folder = lastFolder(ui);
    if (folder.empty()) folder = melodyFile.parent_path();
    if (folder.empty()) return melodyFile.stem().string();
    return (folder / melodyFile.stem()).string();
}

constexpr const char* ExportFormatSetting = "exportFormat";

// The filter of the format written last, also in an earlier run; the first one before that.
std::int32_t lastExportFilter(Ui& ui) {
    const std::string last = ui.setting(ExportFormatSetting);
    const std::span<const ExportFormat> formats = exportFormats();
    for (std::size_t index = 0; index < formats.size(); ++index)
        if (formats[index].description == last) return static_cast<std::int32_t>(index);
    return 0;
}

} // namespace

void exportMelody(EditorContext& editor) {
    Ui& ui = editor.platform.ui;
    const EditorState& state = editor.state;
    const std::string folder = lastFolder(ui);
    const FileChoice choice = ui.fileDialog({true, "export file",
                                             defaultExportPath(ui, state.shell), exportFilter(),
                                             lastExportFilter(ui), folder});
    if (choice.path.empty()) return;
    rememberFolderOf(ui, choice.path);
    const ExportTarget target = exportTargetFor(choice.path, choice.filterIndex);
    ui.storeSetting(ExportFormatSetting, std::string(target.format->description));
    ExportSource source{
        buildToneList(state.melody, state.pitch, melodyRange(state.melody, state.selection)),
        state.melody.columnDuration, std::filesystem::path(target.path).stem().string()};
    if (source.tones.empty() && !target.format->holdsNoTones) {
        const std::string empty = state.selection.selectionActive != 0
                                      ? "the selected columns hold no notes"
                                      : "the melody has no notes";
        ui.messageBox("export",
                      "can't export \r\n\r\n'" + target.path + "'\r\n" + empty +
                          "; there is nothing to write as " +
                          std::string(target.format->description),
                      false);
        return;
    }
    if (!mayWriteTo(ui, target.path)) return;
    const FileOutcome written = target.format->write(target.path, source);
    if (!written) invalidFile(ui, "can't create \r\n\r\n'" + target.path + "'", written.reason);
}

} // namespace vemo
