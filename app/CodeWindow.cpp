#include "app/CodeWindow.h"

#include "platform/Ids.h"
#include "sound/CodeDialects.h"
#include "sound/CodeExport.h"

#include <algorithm>

namespace vemo {

namespace {

constexpr std::int32_t Margin = 2;
constexpr std::int32_t RowHeight = 20;
constexpr std::int32_t CopyWidth = 40;
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
    const std::int32_t formatLeft = Margin + CopyWidth + Margin;
    return {{Margin, Margin, CopyWidth, RowHeight},
            {formatLeft, Margin, std::max(0, client.width - formatLeft - Margin), RowHeight},
            {Margin, EditorTop, client.width - 2 * Margin, client.height - EditorTop - Margin}};
}

void createCodeControls(Ui& ui) {
    const CodeWindowPlaces places = codeWindowPlaces(ui.clientSize(WindowId::Code));
    ui.createButton(WindowId::Code, ControlId::CodeCopy, places.copy, "copy");
    const std::vector<std::string> entries = dialectEntries();
    ui.createChoice(WindowId::Code, ControlId::CodeFormat, places.format, entries);
    const auto remembered =
        std::find(entries.begin(), entries.end(), ui.setting(CodeFormatSetting));
    if (remembered != entries.end())
        ui.setChoiceIndex(ControlId::CodeFormat,
                          static_cast<std::int32_t>(remembered - entries.begin()));
    ui.createTextEditor(WindowId::Code, ControlId::CodeEditor, places.editor);
}

void codeFormatChosen(EditorState& state, Ui& ui) {
    const std::int32_t index = ui.choiceIndex(ControlId::CodeFormat);
    const std::vector<std::string> entries = dialectEntries();
    if (index >= 0 && index < static_cast<std::int32_t>(entries.size()))
        ui.storeSetting(CodeFormatSetting, entries[static_cast<std::size_t>(index)]);
    showCodeInChosenDialect(state, ui);
}

} // namespace vemo
