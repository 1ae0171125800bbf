#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// Longer texts and more notes than a BASIC program's tunes hold are refused before anything is
// built.
constexpr std::size_t MaxPlayTextBytes = 256 * 1024;
constexpr std::size_t MaxPlayNotes = 16384;
constexpr std::int32_t PlayRest = -1;

// One note or pause as an interpreter plays it: `semitone` counts as MIDI does (octave 2's A,
// 440 Hz, is 69), PlayRest for a pause; its length in whole notes at the tempo then in force;
// legato (ML) notes sound their whole length and run into the next.
struct PlayNote {
    std::int32_t semitone = PlayRest;
    double wholes = 0.25;
    std::int32_t tempo = 120; // quarter notes a minute
    bool isLegato = false;

    friend bool operator==(const PlayNote&, const PlayNote&) = default;
};

struct PlaySong {
    std::vector<PlayNote> notes;
};

struct PlayParse {
    std::optional<PlaySong> song; // empty when refused
    std::string reason;           // why, with the line and column where the reading stopped
};

// Reads lines of `PLAY "…"` statements (a line number, remarks and several statements joined
// by ':' allowed) or bare command strings, leniently: any case, spaces anywhere, `#` lines
// skipped. The commands are those of QBasic and GW-BASIC: A-G with # + or -, lengths and dots,
// N, P, L, O, T, < >, MN ML MS (MF MB ignored). Substrings, variables and other statements are
// refused with a reason.
PlayParse parsePlay(std::string_view text);

} // namespace vemo
