#pragma once

// Melody files put together byte by byte, independent of the encoder under test.

#include "model/EditorState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vemo::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes headerBlock() {
    const std::string line = "vemo-file : ver 0.1";
    Bytes bytes(line.begin(), line.end());
    bytes.push_back(0x00);
    bytes.resize(32, 0x20);
    return bytes;
}

inline void putInt32(Bytes& bytes, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    bytes.push_back(static_cast<std::uint8_t>(bits));
    bytes.push_back(static_cast<std::uint8_t>(bits >> 8));
    bytes.push_back(static_cast<std::uint8_t>(bits >> 16));
    bytes.push_back(static_cast<std::uint8_t>(bits >> 24));
}

// The parts of a file; defaults describe an empty 32-column melody.
struct FileParts {
    std::int32_t lastColumn = 31;
    std::int32_t lastRow = 95;
    std::int32_t columnDuration = 120;
    std::int32_t firstNoteColumn = -1;
    std::int32_t lastNoteColumn = 0;
    Bytes marks = Bytes(32, 0);
    Bytes records;
    Bytes tail; // anything after the records: the raw block or junk

    Bytes bytes() const {
        Bytes out = headerBlock();
        putInt32(out, lastColumn);
        putInt32(out, lastRow);
        putInt32(out, columnDuration);
        putInt32(out, firstNoteColumn);
        putInt32(out, lastNoteColumn);
        out.insert(out.end(), marks.begin(), marks.end());
        out.insert(out.end(), records.begin(), records.end());
        out.insert(out.end(), tail.begin(), tail.end());
        return out;
    }
};

// A raw block of all-zero cells and marks for the given size, to be patched by the test.
inline Bytes zeroRawBlock(std::int32_t columnCount, std::int32_t rowCount) {
    return Bytes(static_cast<std::size_t>(columnCount) * static_cast<std::size_t>(rowCount) * 20 +
                     static_cast<std::size_t>(columnCount) * 4,
                 0);
}

// Offset of one field (0 hasNote, 1 x, 2 y, 3 joinRight, 4 joinLeft) inside a raw block.
inline std::size_t rawCellOffset(std::int32_t rowCount, std::int32_t column, std::int32_t row,
                                 std::size_t field) {
    return (static_cast<std::size_t>(column) * static_cast<std::size_t>(rowCount) +
            static_cast<std::size_t>(row)) *
               20 +
           field * 4;
}

inline void patchInt32(Bytes& bytes, std::size_t offset, std::int32_t value) {
    Bytes encoded;
    putInt32(encoded, value);
    for (std::size_t i = 0; i < encoded.size(); ++i)
        bytes[offset + i] = encoded[i];
}

// A melody of the given size with block marks and no notes.
inline Melody emptyMelody(std::int32_t columnCount, std::int32_t smallBlock,
                          std::int32_t largeBlock, std::int32_t columnDuration) {
    Melody melody;
    melody.lastColumn = columnCount - 1;
    melody.lastRow = 95;
    melody.columnDuration = columnDuration;
    melody.smallBlock = smallBlock;
    melody.largeBlock = largeBlock;
    melody.grid = CellGrid(columnCount, 96);
    melody.marks.assign(static_cast<std::size_t>(columnCount), 0);
    for (std::int32_t column = 0; column < columnCount; ++column) {
        std::int32_t mark = 0;
        if (column % smallBlock == 0) mark += 2;
        if (column % (smallBlock * largeBlock) == 0) mark += 4;
        melody.marks[static_cast<std::size_t>(column)] = mark;
    }
    return melody;
}

} // namespace vemo::test
