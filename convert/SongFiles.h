#pragma once

#include "convert/FmfFile.h"
#include "convert/MidiImport.h"
#include "convert/PlayParser.h"
#include "convert/RtttlParser.h"
#include "store/MelodyCodec.h"

#include <optional>
#include <string>
#include <variant>

namespace vemo {

// What a reader makes of a file: the melody a melody file holds, or a song that an import places
// on the grid.
using FileSong = std::variant<DecodedMelody, RtttlSong, MidiSong, PlaySong, FmfSong>;

// A song read from a file, or why there is none.
struct SongFile {
    std::optional<FileSong> song;
    bool isReadable = false; // false: the file itself could not be read
    std::string reason;      // why there is no song, in plain words
};

// The readers of the format registry; each reads no more than its format may hold.
SongFile readMelodySong(const std::string& path);
SongFile readRtttlFile(const std::string& path);
// A file without a note that sounds is refused too: there is nothing in it to import.
SongFile readMidiFile(const std::string& path);
SongFile readPlayFile(const std::string& path);
SongFile readFmfFile(const std::string& path);

// What a reader gave as a melody, with its marks' total and the pitch table of its rows: a melody
// file as it is (nothing to report), a song imported with the choice. The geometry is left to the
// editor.
MelodyImport melodyOf(FileSong&& song, const ImportChoice& choice = {});

} // namespace vemo
