#pragma once

#include "model/Melody.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The 32-byte header block: the header line, one 0x00, then spaces up to the data.
constexpr std::string_view MelodyHeaderText = "vemo-file : ver 0.1";
constexpr std::size_t MelodyHeaderSize = 32;
constexpr std::uint8_t MelodyHeaderEnd = 0x00;
constexpr std::uint8_t MelodyHeaderFill = 0x20;

// Row byte of a column that holds no note.
constexpr std::int32_t NoNoteRow = -1;
// firstNoteColumn of a melody without notes, and the lastNoteColumn written with it.
constexpr std::int32_t NoNoteColumn = -1;
constexpr std::int32_t EmptyLastNoteColumn = 0;

// Largest mark a file may carry. The byte form cannot hold more, and the raw block is held
// to the same bound so that both forms mean the same and geometry sums stay small.
constexpr std::int32_t MaxStoredMark = 127;

// The longest melody file of the editor's grid: header, values, marks, a record per column and
// the raw block of the largest grid. Reading one byte more tells a longer file from it.
constexpr std::size_t MaxMelodyFileBytes =
    MelodyHeaderSize + 5 * 4 + std::size_t{MaxColumnCount} * (1 + 4 + 4) +
    std::size_t{MaxColumnCount} * std::size_t{MelodyLastRow + 1} * 5 * 4;

// A melody read from a file: a fresh value, the editor is not touched. Cell x and y are 0;
// the caller recomputes the geometry.
struct DecodedMelody {
    std::int32_t lastColumn = 0;
    std::int32_t lastRow = 0;
    std::int32_t columnDuration = 0;
    CellGrid grid;
    ColumnMarks marks;
};

struct DecodeResult {
    std::optional<DecodedMelody> melody; // empty when the file is rejected
    std::string reason;                  // why it was rejected; empty on success
};

// The exact bytes a save writes: header, dimensions, marks and one record per column of the
// used range. Expects grid and marks to have the melody's dimensions.
std::vector<std::uint8_t> encodeMelody(const Melody& melody);

// The header line alone: the text up to the first 0x00, CR or LF (or the end) must be
// exactly the header text.
bool hasMelodyHeader(std::span<const std::uint8_t> bytes);

// Reads a whole file's bytes the way a load does (short files read zeros for what is missing;
// after the records the file ends or holds one complete raw cell block, which replaces cells
// and marks) and then accepts only what the editor can hold. The reason for a refusal is in
// plain words. Never reads out of bounds and allocates only after checking the dimensions.
// expectedLastRow lies in 0..127, the rows a record's row byte can name.
DecodeResult decodeMelody(std::span<const std::uint8_t> bytes,
                          std::int32_t expectedLastRow = MelodyLastRow);

} // namespace vemo
