#pragma once

#include "store/MelodyCodec.h"

#include <optional>
#include <string>

namespace vemo {

enum class MelodyFileStatus { Loaded, Unreadable, Refused };

struct MelodyFile {
    MelodyFileStatus status = MelodyFileStatus::Unreadable;
    std::optional<DecodedMelody> melody; // only when Loaded
    std::string reason;                  // why not, in plain words
};

// Reads and decodes a melody file as far as any melody file can go, so that a longer one is
// refused rather than cut to a size that happens to decode.
MelodyFile readMelodyFile(const std::string& path);

} // namespace vemo
