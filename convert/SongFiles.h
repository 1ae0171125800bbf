#pragma once

#include "convert/MidiFile.h"
#include "convert/RtttlParser.h"

#include <optional>
#include <string>

namespace vemo {

// A song read from a file to be imported, or why there is none.
template <typename Song> struct SongFile {
    std::optional<Song> song;
    bool isReadable = false; // false: the file itself could not be read
    std::string reason;      // why there is no song, in plain words
};

// What a file's first bytes say it holds. Text formats have no mark of their own, and anything
// but a regular file is not opened (a named pipe would block until written to).
enum class FileContent { Unknown, Melody, Midi };
FileContent fileContent(const std::string& path);

// Each reads no more than its format may hold.
SongFile<RtttlSong> readRtttlFile(const std::string& path);
// A file without a note that sounds is refused too: there is nothing in it to import.
SongFile<MidiSong> readMidiFile(const std::string& path);

} // namespace vemo
