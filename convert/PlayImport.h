#pragma once

#include "convert/MelodyImport.h"
#include "convert/PlayParser.h"

#include <cstdint>

namespace vemo {

// One column is one grid step at the first note's tempo, rounded to whole milliseconds; later
// tempos change where the notes fall. A legato note and a note of the same pitch right after it
// sound as one, and become one tied chain; the notes are placed as `placeNotes` does.
MelodyImport importPlay(const PlaySong& song, std::int32_t gridStep = DefaultGridStep);

} // namespace vemo
