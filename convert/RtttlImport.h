#pragma once

#include "convert/MelodyImport.h"
#include "convert/RtttlParser.h"

#include <cstdint>

namespace vemo {

// One column is one grid step at the song's tempo, rounded to whole milliseconds (1-999); the
// notes are placed as `placeNotes` does.
MelodyImport importRtttl(const RtttlSong& song, std::int32_t gridStep = DefaultGridStep);

} // namespace vemo
