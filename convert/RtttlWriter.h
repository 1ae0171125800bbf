#pragma once

#include "model/Tones.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vemo {

// The tone list as RTTTL text: d, o and b always written, every note with its value and octave.
// One column is one grid step (8, 16 or 32 a whole note) and sets the tempo. A tone whose length
// no single (dotted) note value gives becomes several notes of its pitch, longest first; each
// tone's frequency becomes the nearest equal-tempered note; rests are p.
std::string writeRtttl(const ToneList& tones, std::int32_t columnDuration, std::int32_t gridStep,
                       std::string_view name);

// What may stand before the first colon: no colon, comma or control character, not empty.
std::string rtttlName(std::string_view wanted);

} // namespace vemo
