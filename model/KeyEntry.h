#pragma once

#include "model/Melody.h"
#include "platform/PhysicalKey.h"

#include <cstdint>

namespace vemo {

constexpr std::int32_t MinEntryStep = 0;
constexpr std::int32_t MaxEntryStep = 16;
constexpr std::int32_t StartEntryStep = 1;
constexpr std::int32_t MinEntryOctave = 1;
constexpr std::int32_t MaxEntryOctave = 7;
constexpr std::int32_t StartEntryOctave = 4;

// Typing notes with the keyboard: whether it is on, the edit cursor's column, how far the cursor
// moves after each note, and the octave of the lower row of note keys (as the readout counts).
struct KeyEntry {
    bool isOn = false;
    std::int32_t cursorColumn = 0;
    std::int32_t step = StartEntryStep;
    std::int32_t octave = StartEntryOctave;
};

constexpr std::int32_t NoNote = -1;

// Semitones above the lower row's C for a note key, laid out like a piano's keys; NoNote for
// any other key.
std::int32_t noteKeySemitone(PhysicalKey key);

// The grid row of the note semitones above C of the octave, NoNote when it lies off the grid.
std::int32_t entryRow(const Melody& melody, std::int32_t octave, std::int32_t semitones);

// Writes the note into the column as a click does; with isTied it holds on from the previous
// column when that column sounds the same row.
void typeNote(Melody& melody, std::int32_t column, std::int32_t row, bool isTied);

// The column the cursor reaches moving by columns, kept inside the melody.
std::int32_t movedCursor(const Melody& melody, std::int32_t column, std::int32_t columns);

} // namespace vemo
