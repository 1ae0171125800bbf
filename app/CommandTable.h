#pragma once

#include "model/StepKind.h"
#include "platform/Ui.h"
#include "view/EditorContext.h"

#include <span>
#include <string_view>
#include <vector>

namespace vemo {

// What a command does; it gives the kind of step it made of the melody, if any.
using CommandHandler = StepKind (*)(EditorContext& editor);

// A key that issues a command, and its place among the shortcuts as they are registered.
struct CommandShortcut {
    ShortcutKey key;
    std::int32_t modifiers;
    std::int32_t place;
};

// One command: its id; its toolbar button (the icon's file, none for a command without a
// button, and whether it stays pressed); the button's tooltip or the menu entry's text; its
// shortcuts; what it does (nothing for the spacers, which never issue a command).
struct Command {
    CommandId id;
    std::string_view iconFile;
    bool isToggle = false;
    std::string_view text;
    std::vector<CommandShortcut> shortcuts;
    CommandHandler handler = nullptr;
};

// Every command. The toolbar shows the buttons in the order of the rows.
std::span<const Command> commandTable();

// The row of a command; none for an id no command has.
const Command* findCommand(CommandId id);

// A command of the toolbar, a shortcut or a popup menu entry; an unknown id does nothing.
StepKind runCommand(EditorContext& editor, CommandId id);

} // namespace vemo
