#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// Longer texts and more notes than any ringtone holds are refused before anything is built.
constexpr std::size_t MaxRtttlTextBytes = 64 * 1024;
constexpr std::size_t MaxRtttlNotes = 16384;
constexpr std::int32_t MaxRtttlTempo = 60000;
constexpr std::int32_t RtttlRest = -1;

// One note or rest: `value` is the note value (4 a quarter), `semitone` counts from C0 = 12 as
// MIDI does, so A4 (440 Hz) is 69; a rest has RtttlRest.
struct RtttlNote {
    std::int32_t value = 4;
    bool isDotted = false;
    std::int32_t semitone = RtttlRest;

    friend bool operator==(const RtttlNote&, const RtttlNote&) = default;
};

struct RtttlSong {
    std::string name;
    std::int32_t tempo = 63; // quarter notes a minute
    std::vector<RtttlNote> notes;
};

struct RtttlParse {
    std::optional<RtttlSong> song; // empty when refused
    std::string reason;            // why, and where the reading stopped
};

// Reads `name:d=4,o=5,b=125:8c6,p,4e.5`, leniently: white space anywhere, any letter case, the
// dot before or after the octave, settings missing or in any order (d=4, o=6, b=63 when absent).
RtttlParse parseRtttl(std::string_view text);

} // namespace vemo
