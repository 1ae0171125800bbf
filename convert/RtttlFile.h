#pragma once

#include "convert/RtttlParser.h"

#include <optional>
#include <string>

namespace vemo {

struct RtttlFile {
    std::optional<RtttlSong> song; // empty when unreadable or refused
    bool isReadable = false;       // false: the file itself could not be read
    std::string reason;            // why there is no song, in plain words
};

// Reads a ringtone file, never more than a ringtone may hold.
RtttlFile readRtttlFile(const std::string& path);

} // namespace vemo
