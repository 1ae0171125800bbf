// libFuzzer entry for the melody file decoder; built by scripts/fuzz.sh, not by CMake.
// Any input must be rejected with a reason or give a melody the editor can hold, and
// saving that melody must load back as the same melody.

#include "store/MelodyCodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

void checkHoldable(const vemo::DecodedMelody& melody) {
    require(melody.lastRow == vemo::MelodyLastRow);
    require(melody.lastColumn >= 0 && melody.lastColumn < vemo::MaxColumnCount);
    require(melody.columnDuration >= vemo::MinColumnDuration &&
            melody.columnDuration <= vemo::MaxColumnDuration);
    require(melody.grid.columnCount() == melody.lastColumn + 1);
    require(melody.grid.rowCount() == melody.lastRow + 1);
    require(melody.grid.cells().size() == static_cast<std::size_t>(melody.grid.columnCount()) *
                                              static_cast<std::size_t>(melody.grid.rowCount()));
    require(melody.marks.size() == static_cast<std::size_t>(melody.lastColumn) + 1);
    for (std::int32_t mark : melody.marks) require(mark >= 0 && mark <= vemo::MaxStoredMark);
    for (std::int32_t column = 0; column <= melody.lastColumn; ++column) {
        std::int32_t notes = 0;
        for (std::int32_t row = 0; row <= melody.lastRow; ++row) {
            const vemo::Cell& cell = melody.grid.at(column, row);
            require(cell.hasNote == 0 || cell.hasNote == 1);
            require(cell.joinRight == 0 || cell.joinRight == 1);
            require(cell.joinLeft == 0 || cell.joinLeft == 1);
            require(cell.x == 0 && cell.y == 0);
            notes += cell.hasNote;
        }
        require(notes <= 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const vemo::DecodeResult result = vemo::decodeMelody(bytes);
    if (!result.melody) {
        require(!result.reason.empty());
        return 0;
    }
    require(result.reason.empty());
    require(vemo::hasMelodyHeader(bytes));
    checkHoldable(*result.melody);

    vemo::Melody melody;
    melody.lastColumn = result.melody->lastColumn;
    melody.lastRow = result.melody->lastRow;
    melody.columnDuration = result.melody->columnDuration;
    melody.grid = result.melody->grid;
    melody.marks = result.melody->marks;
    const vemo::DecodeResult again = vemo::decodeMelody(vemo::encodeMelody(melody));
    require(again.melody.has_value());
    require(again.melody->grid == melody.grid);
    require(again.melody->marks == melody.marks);
    require(again.melody->columnDuration == melody.columnDuration);
    return 0;
}
