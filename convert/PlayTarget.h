#pragma once

#include "convert/PlayParser.h"
#include "convert/Targets.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vemo {

// PLAY's bounds as QBasic and GW-BASIC document them; octave 2's A is 440 Hz.
constexpr std::int32_t PlayLowestTempo = 32;
constexpr std::int32_t PlayHighestTempo = 255;
constexpr std::int32_t PlayLowestSemitone = 36;   // octave 0's C, C2 in MIDI numbering
constexpr std::int32_t PlayHighestSemitone = 119; // octave 6's B, B8
// Lengths count in 1/128 of a whole note, so that every plain or dotted note value is whole.
constexpr std::int32_t PlayUnitsPerWhole = 128;

// The one tempo a melody is written at and the note value one column becomes.
struct PlayTempo {
    std::int32_t tempo = 120;
    std::int32_t value = 16; // as L takes it: 4 a quarter note
    bool isDotted = false;
    std::int32_t units = 8; // the column in 1/128 of a whole note
    double columnMs = 125.0;
};

// The column becomes the grid step's note or a longer one, plain or dotted, so that the text read
// back at the grid step keeps the columns; of those the one with a tempo that gives the column's
// milliseconds exactly, else the shortest within half a millisecond, else the nearest. Only a
// column too short for the grid step's note at T255 becomes the nearest of all notes.
PlayTempo playTempo(std::int32_t columnDuration, std::int32_t gridStep);

// One note or pause as written: one note value (pauses never dotted: qplay loops for ever on
// "P4."), legato or normal.
struct WrittenNote {
    std::int32_t semitone = PlayRest; // moved by octaves into octaves 0 to 6
    std::int32_t units = 0;
    bool isLegato = false;
};

// What the text holds. A tone of one column is one normal note (it sounds 7/8 of its length);
// a tied chain is legato, several notes of its pitch where no single note value gives its
// length. A tied chain right before a note of the same pitch ends its last note normally, or
// the two would sound as one.
struct PlayPlan {
    PlayTempo tempo;
    std::vector<WrittenNote> notes;
    std::int32_t partedChains = 0;
    std::int32_t firstPartedColumn = -1;
};

PlayPlan planPlay(const TargetInput& input);
// The semitone a frequency is written as: the nearest, moved by whole octaves into PLAY's seven.
std::int32_t playSemitone(double frequency);

// Lines of `PLAY "…"`, each within GW-BASIC's 255 characters and starting with the tempo and the
// length so that it plays alone too; sharps are written with '+', which every interpreter reads.
std::vector<std::string> playText(const TargetInput& input);
// Notes outside the seven octaves, a column PLAY cannot time exactly, tied chains parted.
std::vector<TargetProblem> playCheck(const TargetInput& input);
// The tones as an interpreter plays the text: normal notes 7/8 of their length then silence.
ToneList playSound(const TargetInput& input);

} // namespace vemo
