#pragma once

#include "app/Editor.h"

namespace vemo {

// "save" and F2: the save dialog, the extension rule, the replace question, the file.
void saveMelody(Editor& editor);

enum class LoadOutcome { Loaded, Stopped, Failed };

// "load" and F3 with the open dialog. Failed: a box has told the user why.
LoadOutcome loadMelody(Editor& editor);
// The file named on the command line; false when it could not be loaded (the program ends).
bool loadMelodyFromCommandLine(Editor& editor, const std::string& path);

// The name with ".vemo" appended unless its extension is exactly "vemo".
std::string withMelodyExtension(const std::string& path);

// The file dialogs open where they were last used, also in the next run.
void rememberFolderOf(Ui& ui, const std::string& path);
// At start: the remembered folder, when it still exists, instead of the working directory.
void startInLastFolder(Ui& ui, Shell& shell);

} // namespace vemo
