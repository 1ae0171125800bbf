#pragma once

#include "app/ProgramContext.h"

namespace vemo {

// A command of the toolbar, a shortcut or a popup menu entry.
void runCommand(EditorContext& editor, CommandId commandId);

// "apply" in the "new vemo.." dialog.
void applyNewMelodyDialog(EditorContext& editor);

// The paste chosen from the paste menu, carried out in the pass that received the choice.
void runPaste(EditorContext& editor);

// The toolbar toggle "follow playback" as the user left it in the last run (off the first time).
void restoreFollowPlayback(Playback& playback, Ui& ui);

// F1: the help page from the working directory, else an offer to open that folder.
void openHelp(EditorContext& editor, const std::string& workingDirectory);

} // namespace vemo
