#pragma once

#include "model/PitchTable.h"
#include "model/Tones.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// What a target's text, its check and its device rendering are made from: the tones of the range
// as vemo plays them, the duration of one column, the column the first tone starts at, the part
// of a whole note one column stands for, and the name of the file without folder and extension.
struct TargetInput {
    ToneList tones;
    std::int32_t columnDuration = 0;
    std::int32_t firstColumn = 0;
    std::int32_t gridStep = 16;
    std::string name;
};

// The tones of the melody's range (the selection when it is in use) as a target's input.
TargetInput targetInputFor(const Melody& melody, const Pitch& pitch, const Selection& selection,
                           std::string name, std::int32_t gridStep);

// The frequencies a target plays, both ends included.
struct HzRange {
    double lowest = 0.0;
    double highest = 0.0;

    friend bool operator==(const HzRange&, const HzRange&) = default;
};

// One thing a target cannot reproduce exactly, in plain words with a count and the first place:
// "ESPHome plays octaves 4 to 7 only: 12 notes are below C4, the first at column 31".
struct TargetProblem {
    std::string text;
    // Set where moving the notes by whole octaves into this range is the fix.
    std::optional<HzRange> octaveFit;

    friend bool operator==(const TargetProblem&, const TargetProblem&) = default;
};

// The text a target is written as, line by line; no tones give no text.
using TargetText = std::vector<std::string> (*)(const TargetInput& input);
// What the target cannot reproduce exactly; empty when it plays the tones as vemo does.
using TargetCheck = std::vector<TargetProblem> (*)(const TargetInput& input);
// The tones as the device plays them: its pitch rounding, its gaps, its tempo.
using TargetSound = ToneList (*)(const TargetInput& input);

// The column each tone starts at, in order.
std::vector<std::int32_t> toneColumns(const TargetInput& input);

// The notes outside the range, said as "<device> plays <what> only: 12 notes are below C4, the
// first at column 31; 3 notes are above B7, the first at column 40", with the octave fit; none
// when every note lies inside. lowName and highName name the ends ("C4", "B7", "37 Hz").
std::optional<TargetProblem> notesOutside(const TargetInput& input, HzRange range,
                                          std::string_view device, std::string_view what,
                                          std::string_view lowName, std::string_view highName);

// The tones with each run of rests joined into one: a device then waits once, not once a column.
ToneList joinedRests(const ToneList& tones);

// The count, the noun and the verb: "1 rest is", "3 rests are".
std::string countedAre(std::int32_t count, std::string_view noun);
// The tones (by index, in order) the target plays as several notes of their pitch, said as
// "<device> has no single note of their length: 3 tones are played as several notes<how>, the
// first at column 12"; none when there are none.
std::optional<TargetProblem> tonesSplit(const TargetInput& input,
                                        std::span<const std::size_t> tones, std::string_view device,
                                        std::string_view how);

// The melody's length as the device plays it against vemo's, said as "<device> <why>: the melody
// lasts 2087 ms instead of 2080 ms"; none when they agree to the millisecond.
std::optional<TargetProblem> lengthChanged(const TargetInput& input, const ToneList& played,
                                           std::string_view device, std::string_view why);

} // namespace vemo
