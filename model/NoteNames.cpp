#include "model/NoteNames.h"

#include <array>

namespace vemo {

namespace {

constexpr std::array<const char*, RowsPerOctave> NoteNames = {"C",  "C#", "D",  "D#", "E",  "F",
                                                              "F#", "G",  "G#", "A",  "A#", "B"};

} // namespace

std::string rowNoteName(const Melody& melody, std::int32_t row) {
    const std::int32_t index = melody.lastRow - row;
    return std::string(NoteNames[index % RowsPerOctave]) +
           std::to_string(ScaleOctave + index / RowsPerOctave - melody.octaveShift);
}

} // namespace vemo
