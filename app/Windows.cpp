#include "app/Windows.h"

#include "app/CodeWindow.h"
#include "app/Layout.h"
#include "app/Titles.h"
#include "platform/Ids.h"

#include <algorithm>

namespace vemo {

namespace {

enum Icon {
    NewIcon,
    SpaceIcon,
    SingIcon,
    ShutIcon,
    LoopIcon,
    CodeIcon,
    LoadIcon,
    SaveIcon,
    CopyIcon,
    PasteIcon,
    SelecIcon,
    UndoIcon,
    RedoIcon,
    ExportIcon,
    FollowIcon
};

struct ToolbarButton {
    CommandId commandId;
    Icon icon;
    bool isToggle;
    const char* tooltip; // empty for the spacers
};

constexpr ToolbarButton ToolbarButtons[] = {
    {CommandId::New, NewIcon, false, "new"},
    {CommandId::Spacer1, SpaceIcon, false, ""},
    {CommandId::Load, LoadIcon, false, "load"},
    {CommandId::Save, SaveIcon, false, "save"},
    {CommandId::Spacer2, SpaceIcon, false, ""},
    {CommandId::Sing, SingIcon, false, "sing"},
    {CommandId::ShutUp, ShutIcon, false, "shut up"},
    {CommandId::ToggleRepeat, LoopIcon, true, "toggle repeat"},
    {CommandId::GetCode, CodeIcon, false, "get code"},
    {CommandId::Spacer3, SpaceIcon, false, ""},
    {CommandId::Copy, CopyIcon, false, "copy"},
    {CommandId::Paste, PasteIcon, false, "paste"},
    {CommandId::ToggleSelection, SelecIcon, true, "toggle selection usage"},
    {CommandId::Undo, UndoIcon, false, "undo"},
    {CommandId::Redo, RedoIcon, false, "redo"},
    {CommandId::Export, ExportIcon, false, "export"},
    {CommandId::FollowPlayback, FollowIcon, true, "follow playback"},
};

struct Shortcut {
    ShortcutKey key;
    std::int32_t modifiers;
    CommandId commandId;
};

constexpr Shortcut Shortcuts[] = {
    {ShortcutKey::F1, Modifier::None, CommandId::Help},
    {ShortcutKey::F3, Modifier::None, CommandId::Load},
    {ShortcutKey::F2, Modifier::None, CommandId::Save},
    {ShortcutKey::Space, Modifier::None, CommandId::SpaceKey},
    {ShortcutKey::R, Modifier::None, CommandId::RepeatKey},
    {ShortcutKey::G, Modifier::None, CommandId::GetCode},
    {ShortcutKey::C, Modifier::Control, CommandId::Copy},
    {ShortcutKey::V, Modifier::Control, CommandId::Paste},
    {ShortcutKey::Delete, Modifier::None, CommandId::DeleteKey},
    {ShortcutKey::S, Modifier::None, CommandId::SelectionKey},
    {ShortcutKey::Z, Modifier::Control, CommandId::Undo},
    {ShortcutKey::Y, Modifier::Control, CommandId::Redo},
    {ShortcutKey::Z, Modifier::Control | Modifier::Shift, CommandId::Redo},
    {ShortcutKey::Space, Modifier::Shift, CommandId::PlayFromPointerKey},
    {ShortcutKey::Up, Modifier::Control, CommandId::TransposeUp},
    {ShortcutKey::Down, Modifier::Control, CommandId::TransposeDown},
    {ShortcutKey::Up, Modifier::Control | Modifier::Shift, CommandId::OctaveUp},
    {ShortcutKey::Down, Modifier::Control | Modifier::Shift, CommandId::OctaveDown},
    // Plus needs Shift on many keyboards, and Ctrl+= is the same key without it.
    {ShortcutKey::Plus, Modifier::Control, CommandId::ZoomIn},
    {ShortcutKey::Plus, Modifier::Control | Modifier::Shift, CommandId::ZoomIn},
    {ShortcutKey::Equal, Modifier::Control, CommandId::ZoomIn},
    {ShortcutKey::Minus, Modifier::Control, CommandId::ZoomOut},
    {ShortcutKey::F, Modifier::Control, CommandId::FollowKey},
};

constexpr std::int32_t DialogWidth = 150;
constexpr std::int32_t DialogHeight = 130;

bool createToolbar(const std::array<Image, IconCount>& icons, Ui& ui) {
    if (!ui.createToolbar(ToolbarId)) return false;
    for (const ToolbarButton& button : ToolbarButtons)
        ui.addToolbarButton(button.commandId, icons[button.icon], button.isToggle, button.tooltip);
    for (CommandId disabled :
         {CommandId::Spacer1, CommandId::Spacer2, CommandId::ShutUp, CommandId::Spacer3})
        ui.setButtonEnabled(disabled, false);
    return true;
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

WindowsResult createWindows(EditorState& state, const std::array<Image, IconCount>& icons,
                            Platform& platform) {
    Ui& ui = platform.ui;
    if (!ui.createWindow(WindowId::Main, WindowStyle::Main, MainTitle, MainPlacement))
        return {false, "can't open main-window"};
    if (!createToolbar(icons, ui)) return {false, "can't create toolbar"};
    placeImageAreas(state.view, ui.toolbarHeight());
    if (!createMainControls(state, ui)) return {false, "can't create gadgets"};

    if (!ui.createPopupMenu(MenuId::Column, {{CommandId::MenuCancel, "cancel"},
                                             {SeparatorLine, ""},
                                             {CommandId::InsertColumn, "insert column"},
                                             {CommandId::DeleteColumn, "delete column"}}))
        return {false, "can't create popup-menu 1"};
    if (!ui.createPopupMenu(MenuId::Paste,
                            {{CommandId::MenuCancel, "cancel"},
                             {SeparatorLine, ""},
                             {CommandId::PasteNotesOnly, "paste notes only"},
                             {CommandId::PasteLayoutOnly, "paste layout only"},
                             {CommandId::PasteNotesAndLayout, "paste notes and layout"}}))
        return {false, "can't create popup-menu 2"};

    if (!createCodeWindow(ui)) return {false, "can't open code-window"};
    if (!ui.prepareControls(WindowId::Code)) return {false, "can't create gadgets"};
    createCodeControls(ui, state.shell);

    for (const Shortcut& shortcut : Shortcuts)
        ui.addShortcut(shortcut.key, shortcut.modifiers, shortcut.commandId);

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
