#include "app/CodeWindow.h"

#include "platform/Ids.h"
#include "sound/CodeDialects.h"
#include "sound/CodeExport.h"

#include <algorithm>

namespace vemo {

namespace {

constexpr std::int32_t Margin = 2;
constexpr std::int32_t RowHeight = 20;
constexpr std::int32_t EditorTop = 24;
constexpr const char* CodeFormatSetting = "codeFormat";

std::vector<std::string> dialectEntries() {
    std::vector<std::string> entries;
    for (std::string_view name : codeDialectNames())
        entries.emplace_back(name);
    return entries;
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
    shell.codeFormat = codeDialectNamed(remembered) ? remembered : dialectEntries().front();
}

void chooseCodeFormat(EditorState& state, Ui& ui) {
    const std::vector<std::string> entries = dialectEntries();
    const auto current = std::find(entries.begin(), entries.end(), state.shell.codeFormat);
    const std::int32_t chosen =
        ui.chooseFromMenu(entries, static_cast<std::int32_t>(current - entries.begin()));
    if (chosen < 0 || chosen >= static_cast<std::int32_t>(entries.size())) return;
    state.shell.codeFormat = entries[static_cast<std::size_t>(chosen)];
    ui.storeSetting(CodeFormatSetting, state.shell.codeFormat);
    showCodeInChosenDialect(state, ui);
}

} // namespace vemo
