#pragma once

#include "app/ProgramContext.h"
#include "app/Titles.h"
#include "store/MelodyCodec.h"

namespace vemo {

// "save" and F2: the save dialog, the extension rule, the replace question, the file.
void saveMelody(EditorContext& editor);

// Loaded: a melody file; Imported: a file of another format. Failed: a box has told the user
// why; Stopped: the user cancelled.
enum class LoadOutcome { Loaded, Imported, Stopped, Failed };

// "load" and F3 with the open dialog.
LoadOutcome loadMelody(EditorContext& editor);
// The file named on the command line; false when it could not be read (the program ends).
bool loadMelodyFromCommandLine(EditorContext& editor, const std::string& path);

// The "invalid file" box: its fixed text, then why on a line of its own.
void invalidFile(Ui& ui, const std::string& text, const std::string& reason);
// Whether to write the file: the user may write it (else the "can't create" box says why, before
// any question) and, where a file is there, wants it replaced.
bool mayWriteTo(Ui& ui, const std::string& path);

// A melody read from a file (its dimensions, grid, marks and their total) replaces the editor's,
// and everything derived from it follows.
void takeMelody(EditorContext& editor, Melody read);

// The name with ".vemo" appended unless its extension is exactly "vemo".
std::string withMelodyExtension(const std::string& path);

// The folder the file dialogs used last is kept one click away, also in the next run.
void rememberFolderOf(Ui& ui, const std::string& path);
// That folder, when it still exists; empty otherwise.
std::string lastFolder(Ui& ui);

} // namespace vemo
