#include "app/Windows.h"

#include "app/CodeWindow.h"
#include "app/CommandTable.h"
#include "app/Layout.h"
#include "app/Titles.h"
#include "platform/Ids.h"

#include <algorithm>

namespace vemo {

namespace {

constexpr std::int32_t DialogWidth = 150;
constexpr std::int32_t DialogHeight = 130;

// The buttons of the commands that have one, in the table's order. The spacers issue nothing,
// and nothing plays yet to be shut up.
bool createToolbar(const Icons& icons, Ui& ui) {
    if (!ui.createToolbar(ToolbarId)) return false;
    for (const Command& command : commandTable()) {
        if (command.iconFile.empty()) continue;
        const auto icon = icons.find(command.iconFile);
        ui.addToolbarButton(command.id, icon == icons.end() ? Image() : icon->second,
                            command.isToggle, std::string(command.text));
        if (command.handler == nullptr) ui.setButtonEnabled(command.id, false);
    }
    ui.setButtonEnabled(CommandId::ShutUp, false);
    return true;
}

void addShortcuts(Ui& ui) {
    struct Registered {
        CommandShortcut shortcut;
        CommandId id;
    };
    std::vector<Registered> shortcuts;
    for (const Command& command : commandTable())
        for (const CommandShortcut& shortcut : command.shortcuts)
            shortcuts.push_back({shortcut, command.id});
    std::sort(shortcuts.begin(), shortcuts.end(), [](const Registered& a, const Registered& b) {
        return a.shortcut.place < b.shortcut.place;
    });
    for (const Registered& registered : shortcuts)
        ui.addShortcut(registered.shortcut.key, registered.shortcut.modifiers, registered.id);
}

// A menu of the commands' entries, in order; SeparatorLine makes a separator line.
std::vector<MenuEntry> menuOf(std::initializer_list<CommandId> ids) {
    std::vector<MenuEntry> entries;
    for (const CommandId id : ids) {
        const Command* command = findCommand(id);
        entries.push_back({id, command ? std::string(command->text) : std::string()});
    }
    return entries;
}

// The images start at their areas' sizes, black until they are drawn.
void placeImageAreas(View& view, std::int32_t toolbarHeight) {
    view.horArea = {1, 0, ScrollBarThickness, 1, ScrollBarThickness, 1};
    view.verArea = {GridLeft, toolbarHeight, 1, ScrollBarThickness, 1, ScrollBarThickness};
    view.horArea.y = view.verArea.y + view.verArea.height + AreaGap;
    view.mainArea = {GridLeft, view.horArea.y, 1, 1, 1, 1};
}

Rect areaRect(const ImageArea& area) {
    return {area.x, area.y, area.width, area.height};
}

bool createMainControls(EditorState& state, Ui& ui) {
    if (!ui.prepareControls(WindowId::Main)) return false;
    ui.createImageControl(WindowId::Main, ControlId::HorImage, areaRect(state.view.horArea));
    ui.createImageControl(WindowId::Main, ControlId::VerImage, areaRect(state.view.verArea));
    ui.createImageControl(WindowId::Main, ControlId::MainImage, areaRect(state.view.mainArea));
    ui.createSpin(WindowId::Main, ControlId::DurationSpin, {5, state.view.mainArea.y, 40, 20},
                  MinColumnDuration, MaxColumnDuration);
    ui.setSpinValue(ControlId::DurationSpin, state.melody.columnDuration);
    // In the free strip below the duration, so no control of the layout moves.
    ui.createLabel(WindowId::Main, ControlId::PointerReadout,
                   {2, state.view.mainArea.y + 26, GridLeft - 4, 64}, "");
    ui.createLabel(WindowId::Main, ControlId::EntryReadout,
                   {2, state.view.mainArea.y + 94, GridLeft - 4, 48}, "");
    return true;
}

bool createCodeWindow(Ui& ui) {
    if (!ui.createWindow(WindowId::Code, WindowStyle::Tool, "vemo - code", {30, 100, 120, 600}))
        return false;
    return true;
}

void createDialogControls(const EditorState& state, Ui& ui) {
    const std::int32_t w = DialogWidth;
    const std::int32_t h = DialogHeight;
    const WindowId dialog = WindowId::NewMelody;
    ui.createLabel(dialog, ControlId::WidthLabel, {10, 10, 70, 20}, "width");
    ui.createSpin(dialog, ControlId::WidthSpin, {90, 10, 50, 20}, MinColumnCount, MaxColumnCount);
    ui.createLabel(dialog, ControlId::SmallBlockLabel, {10, 40, 70, 20}, "small block");
    ui.createSpin(dialog, ControlId::SmallBlockSpin, {90, 40, 50, 20}, 1, 16);
    ui.createLabel(dialog, ControlId::LargeBlockLabel, {10, 70, 70, 20}, "large block");
    ui.createSpin(dialog, ControlId::LargeBlockSpin, {90, 70, 50, 20}, 1, 16);
    ui.createButton(dialog, ControlId::Cancel, {w - 65, h - 25, 60, 20}, "cancel");
    ui.createButton(dialog, ControlId::Apply, {w - 130, h - 25, 60, 20}, "apply");
    ui.setSpinValue(ControlId::WidthSpin, state.melody.lastColumn + 1);
    ui.setSpinValue(ControlId::SmallBlockSpin, state.melody.smallBlock);
    ui.setSpinValue(ControlId::LargeBlockSpin, state.melody.largeBlock);
}

} // namespace

WindowsResult createWindows(EditorState& state, const Icons& icons, Platform& platform) {
    Ui& ui = platform.ui;
    if (!ui.createWindow(WindowId::Main, WindowStyle::Main, MainTitle, MainPlacement))
        return {false, "can't open main-window"};
    if (!createToolbar(icons, ui)) return {false, "can't create toolbar"};
    placeImageAreas(state.view, ui.toolbarHeight());
    if (!createMainControls(state, ui)) return {false, "can't create gadgets"};

    if (!ui.createPopupMenu(MenuId::Column,
                            menuOf({CommandId::MenuCancel, SeparatorLine, CommandId::InsertColumn,
                                    CommandId::DeleteColumn})))
        return {false, "can't create popup-menu 1"};
    if (!ui.createPopupMenu(MenuId::Paste,
                            menuOf({CommandId::MenuCancel, SeparatorLine, CommandId::PasteNotesOnly,
                                    CommandId::PasteLayoutOnly, CommandId::PasteNotesAndLayout})))
        return {false, "can't create popup-menu 2"};

    if (!createCodeWindow(ui)) return {false, "can't open code-window"};
    if (!ui.prepareControls(WindowId::Code)) return {false, "can't create gadgets"};
    createCodeControls(ui, state.shell);

    addShortcuts(ui);

    // Centred over the main window as it is placed now, never off the top-left of the screen.
    const Point mainAt = ui.windowPosition(WindowId::Main);
    const Size mainSize = ui.clientSize(WindowId::Main);
    const Rect dialogAt{std::max(0, mainAt.x + (mainSize.width - DialogWidth) / 2),
                        std::max(0, mainAt.y + (mainSize.height - DialogHeight) / 2), DialogWidth,
                        DialogHeight};
    if (!ui.createWindow(WindowId::NewMelody, WindowStyle::Dialog, "new vemo..", dialogAt))
        return {false, "can't open new-window"};
    ui.hideWindow(WindowId::NewMelody);
    if (!ui.prepareControls(WindowId::NewMelody)) return {false, "can't create gadgets"};
    createDialogControls(state, ui);
    return {};
}

} // namespace vemo
