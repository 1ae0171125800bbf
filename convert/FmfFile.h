#pragma once

#include "convert/MelodyImport.h"
#include "convert/Targets.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The Flipper Zero's music files: "Key: value" lines, the first "Filetype: Flipper Music Format",
// then Version 0, BPM, Duration (the default note value), Octave (the default octave) and Notes,
// a comma-separated list of [value] letter [#] [octave] [dots], octaves numbered as C4 = 261.63 Hz.
inline constexpr std::string_view FmfFileType = "Filetype: Flipper Music Format";
// Larger files and more notes than a melody holds are refused before anything is built.
constexpr std::size_t MaxFmfFileBytes = 64 * 1024;
constexpr std::size_t MaxFmfNotes = 16384;
constexpr std::int32_t MaxFmfTempo = 60000;
constexpr std::int32_t MaxFmfValue = 128;
constexpr std::int32_t MaxFmfOctave = 16;
constexpr std::int32_t MaxFmfDots = 16;

// One note or rest: `value` 4 is a quarter, each dot adds half of the length before it;
// `semitone` counts as MIDI does (C4 = 60), NoSemitone for a rest.
struct FmfNote {
    std::int32_t value = 4;
    std::int32_t dots = 0;
    std::int32_t semitone = NoSemitone;

    friend bool operator==(const FmfNote&, const FmfNote&) = default;
};

struct FmfSong {
    std::int32_t tempo = 120; // quarter notes a minute
    std::vector<FmfNote> notes;
};

struct FmfParse {
    std::optional<FmfSong> song; // empty when refused
    std::string reason;          // why, with the line and the note where the reading stopped
};

FmfParse parseFmf(std::string_view text);

// One column is one grid step at the song's tempo; the notes are placed as `placeNotes` does.
MelodyImport importFmf(const FmfSong& song, std::int32_t gridStep = DefaultGridStep);

// The fmf target: the file's lines, what it cannot say exactly, and the tones as the Flipper
// plays them (whole milliseconds a note, pitches from C4 = 261.63 Hz).
std::vector<std::string> fmfText(const TargetInput& input);
std::vector<TargetProblem> fmfCheck(const TargetInput& input);
ToneList fmfSound(const TargetInput& input);

} // namespace vemo
