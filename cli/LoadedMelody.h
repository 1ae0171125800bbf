#pragma once

#include "model/PitchTable.h"
#include "store/MelodyCodec.h"

namespace vemo {

// A melody read from a file with what the tool needs beside it: its marks' total and the pitch
// table its rows sound.
struct LoadedMelody {
    Melody melody;
    Pitch pitch;
};

LoadedMelody loadedMelody(DecodedMelody&& decoded);

} // namespace vemo
