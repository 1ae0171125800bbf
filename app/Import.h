#pragma once

#include "app/FileCommands.h"
#include "convert/SongFiles.h"

#include <string>

namespace vemo {

// A song read from a file of another format replaces the melody as one undo step and leaves no
// file name, so that "save" asks for a new one. A MIDI song asks for its voice, grid step and
// overlap rule first; the others take the default grid step.
LoadOutcome importSong(EditorContext& editor, FileSong&& song, const std::string& path);

} // namespace vemo
