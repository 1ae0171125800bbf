#include "app/ExportCommand.h"

#include "app/FileCommands.h"
#include "model/Columns.h"
#include "view/Redraw.h"
#include "convert/Formats.h"
#include "sound/ToneList.h"
#include "store/FileNames.h"

#include <algorithm>
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
std::int32_t lastExportFilter(Ui& ui, const std::vector<const Format*>& formats) {
    const std::string last = ui.setting(ExportFormatSetting);
    for (std::size_t index = 0; index < formats.size(); ++index)
        if (formats[index]->description == last) return static_cast<std::int32_t>(index);
    return 0;
}

// The save dialog's filter list: "description|*.ext;*.ext|..." in the order of the formats.
std::string exportFilter(const std::vector<const Format*>& formats) {
    std::string filter;
    for (const Format* format : formats)
        filter +=
            (filter.empty() ? "" : "|") + filterEntry(format->description, format->extensions);
    return filter;
}

struct ExportTarget {
    const Format* format = nullptr;
    std::string path;
};

// The format of a chosen path: the chosen filter's when the name ends in one of its extensions,
// else the format whose extension the name ends in, else the chosen filter's with its first
// extension added to the name.
ExportTarget exportTargetFor(const std::string& path, std::int32_t filterIndex,
                             const std::vector<const Format*>& formats) {
    const auto chosenIndex = static_cast<std::size_t>(
        std::clamp(filterIndex, 0, static_cast<std::int32_t>(formats.size()) - 1));
    const Format* chosen = formats[chosenIndex];
    const std::string extension = extensionOf(path);
    if (isListed(chosen->extensions, extension)) return {chosen, path};
    for (const Format* format : formats)
        if (isListed(format->extensions, extension)) return {format, path};
    return {chosen, path + "." + std::string(firstExtension(chosen->extensions))};
}

} // namespace

namespace {

enum class Decision { Write, MoveThenWrite, GoBack };

// The target's problems said before writing; the octave fit is offered where one of them has it.
Decision askAboutProblems(Ui& ui, const std::string& path, const Format& format,
                          const std::vector<TargetProblem>& problems) {
    if (problems.empty()) return Decision::Write;
    std::string text = "'" + path + "'\r\n\r\n" + std::string(format.description) +
                       " cannot play all of the melody as vemo does:";
    for (const TargetProblem& problem : problems)
        text += "\r\n- " + problem.text;
    const bool canMove =
        std::any_of(problems.begin(), problems.end(),
                    [](const TargetProblem& problem) { return problem.octaveFit.has_value(); });
    std::vector<std::string> buttons{"write anyway", "go back"};
    if (canMove) buttons.insert(buttons.begin(), "move notes by octaves and write");
    const std::int32_t answer = ui.askChoice("export", text, buttons);
    if (answer < 0 || buttons.at(static_cast<std::size_t>(answer)) == "go back")
        return Decision::GoBack;
    return canMove && answer == 0 ? Decision::MoveThenWrite : Decision::Write;
}

// Every octave fit of the problems, one after the other, on the range being exported.
void moveIntoRanges(EditorContext& editor, const std::vector<TargetProblem>& problems) {
    EditorState& state = editor.state;
    for (const TargetProblem& problem : problems)
        if (problem.octaveFit)
            fitNotesByOctaves(state.melody, state.pitch, state.selection,
                              problem.octaveFit->lowest, problem.octaveFit->highest);
    redraw(editor, RedrawMain);
}

} // namespace

StepKind exportMelody(EditorContext& editor) {
    Ui& ui = editor.platform.ui;
    EditorState& state = editor.state;
    const std::vector<const Format*> formats = exportFormats();
    const std::string folder = lastFolder(ui);
    const FileChoice choice =
        ui.fileDialog({true, "export file", defaultExportPath(ui, state.shell),
                       exportFilter(formats), lastExportFilter(ui, formats), folder});
    if (choice.path.empty()) return StepKind::None;
    rememberFolderOf(ui, choice.path);
    const ExportTarget target = exportTargetFor(choice.path, choice.filterIndex, formats);
    const Format& format = *target.format;
    ui.storeSetting(ExportFormatSetting, std::string(format.description));
    const std::string name = std::filesystem::path(target.path).stem().string();
    TargetInput input = targetInputFor(state.melody, state.pitch, state.selection, name,
                                       DefaultGridStep);
    if (input.tones.empty() && !format.holdsNoTones) {
        const std::string empty = state.selection.selectionActive != 0
                                      ? "the selected columns hold no notes"
                                      : "the melody has no notes";
        ui.messageBox("export",
                      "can't export \r\n\r\n'" + target.path + "'\r\n" + empty +
                          "; there is nothing to write as " + std::string(format.description),
                      false);
        return StepKind::None;
    }
    const std::vector<TargetProblem> problems =
        format.check ? format.check(input) : std::vector<TargetProblem>{};
    const Decision decision = askAboutProblems(ui, target.path, format, problems);
    if (decision == Decision::GoBack) return StepKind::None;
    StepKind made = StepKind::None;
    if (decision == Decision::MoveThenWrite) {
        moveIntoRanges(editor, problems);
        input = targetInputFor(state.melody, state.pitch, state.selection, name, DefaultGridStep);
        made = StepKind::OctavesMoved;
    }
    if (!mayWriteTo(ui, target.path)) return made;
    const FileOutcome written = format.write(format, target.path, {state.melody, input});
    if (!written) invalidFile(ui, "can't create \r\n\r\n'" + target.path + "'", written.reason);
    return made;
}

} // namespace vemo
