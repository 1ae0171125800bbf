#pragma once

#include "convert/Targets.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vemo {

// One note's length: a note value (4 a quarter) and dots, each adding half of the length before
// it; `columns` is how many columns of the melody it spans.
struct NoteLength {
    std::int32_t columns = 1;
    std::int32_t value = 4;
    std::int32_t dots = 0;

    friend bool operator==(const NoteLength&, const NoteLength&) = default;
};

// What the notes of a note-list target (RTTTL, its devices, the Flipper) may be.
struct NoteRules {
    std::int32_t shortestValue = 32;
    std::int32_t maxDots = 1;
    // A dot only where no octave digit stands beside it: players disagree on the dot's place.
    bool dotsInDefaultOctaveOnly = false;
    std::int32_t maxTempo = 255; // quarter notes a minute
    // Notes outside move by whole octaves into these; MIDI numbering, C4 = 60.
    std::int32_t lowestSemitone = 12;
    std::int32_t highestSemitone = 131;
    // The octaves the default octave may be.
    std::int32_t lowestDefaultOctave = 4;
    std::int32_t highestDefaultOctave = 7;
};

constexpr std::int32_t RestSemitone = -1;

// One note or rest as written, with the index of the tone it plays.
struct PlannedNote {
    std::int32_t semitone = RestSemitone;
    NoteLength length;
    std::size_t tone = 0;
};

// A melody as notes: one column is a 1/columnValue note, normally the grid step; a shorter value
// where the tempo would pass the rules' limit. The defaults are the most common value and octave.
struct NotePlan {
    std::int32_t columnValue = 16;
    std::int32_t tempo = 120;
    std::int32_t defaultValue = 4;
    std::int32_t defaultOctave = 5;
    std::vector<PlannedNote> notes;
};

// Every length of whole columns that one note gives, longest first; of equal lengths the one with
// fewer dots.
std::vector<NoteLength> noteLengths(std::int32_t columnValue, std::int32_t shortestValue,
                                    std::int32_t maxDots);
// `columns` as notes, each the longest that fits what is left.
std::vector<NoteLength> splitLength(std::int32_t columns, std::span<const NoteLength> lengths);

// The note value a column is written as: the grid step, halved until the tempo fits the rules.
std::int32_t planColumnValue(std::int32_t columnDuration, std::int32_t gridStep,
                             const NoteRules& rules);
NotePlan planNotes(const TargetInput& input, const NoteRules& rules);

// A note as RTTTL and the Flipper write it: the value unless it is the default, the name in lower
// or upper case (p or P a rest), the octave unless it is the default, a '.' for each dot.
std::string noteItem(const NotePlan& plan, const PlannedNote& note, bool isUpperCase);

// Scientific octave numbers: C4 (60) begins octave 4.
std::int32_t octaveOf(std::int32_t semitone);
// The tones the plan plays as several notes, by their index.
std::vector<std::size_t> splitTones(const NotePlan& plan);
// A whole note at the tempo, exactly.
double wholeNoteMs(std::int32_t tempo);
// The length of a note of the plan at its tempo, exactly.
double exactNoteMs(const NotePlan& plan, const NoteLength& length);

} // namespace vemo
