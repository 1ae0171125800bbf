#include "model/KeyEntry.h"

#include "model/GridEdits.h"
#include "model/Joins.h"
#include "model/NoteNames.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vemo {

namespace {

using K = PhysicalKey;

// The lower row from C to the next octave's E, then the upper row an octave higher; the number
// keys are the black keys between the letters below them.
constexpr std::array<std::pair<PhysicalKey, std::int32_t>, 34> NoteKeys{{
    {K::Z, 0},          {K::S, 1},      {K::X, 2},       {K::D, 3},       {K::C, 4},
    {K::V, 5},          {K::G, 6},      {K::B, 7},       {K::H, 8},       {K::N, 9},
    {K::J, 10},         {K::M, 11},     {K::Comma, 12},  {K::L, 13},      {K::Period, 14},
    {K::Semicolon, 15}, {K::Slash, 16}, {K::Q, 12},      {K::Digit2, 13}, {K::W, 14},
    {K::Digit3, 15},    {K::E, 16},     {K::R, 17},      {K::Digit5, 18}, {K::T, 19},
    {K::Digit6, 20},    {K::Y, 21},     {K::Digit7, 22}, {K::U, 23},      {K::I, 24},
    {K::Digit9, 25},    {K::O, 26},     {K::Digit0, 27}, {K::P, 28},
}};

} // namespace

std::int32_t noteKeySemitone(PhysicalKey key) {
    for (const auto& [noteKey, semitones] : NoteKeys)
        if (noteKey == key) return semitones;
    return NoNote;
}

std::int32_t entryRow(const Melody& melody, std::int32_t octave, std::int32_t semitones) {
    const std::int32_t index =
        (octave - ScaleOctave + melody.octaveShift) * RowsPerOctave + semitones;
    if (index < 0 || index > melody.lastRow) return NoNote;
    return melody.lastRow - index;
}

void typeNote(Melody& melody, std::int32_t column, std::int32_t row, bool isTied) {
    Stroke stroke;
    recordLeftHit(stroke, column, row);
    editLeft(melody, stroke, column, row);
    if (!isTied || column == 0 || melody.grid.at(column - 1, row).hasNote == 0) return;
    melody.grid.at(column - 1, row).joinRight = 1;
    melody.grid.at(column, row).joinLeft = 1;
}

std::int32_t movedCursor(const Melody& melody, std::int32_t column, std::int32_t columns) {
    return std::clamp(column + columns, 0, melody.lastColumn);
}

} // namespace vemo
