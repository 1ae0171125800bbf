#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vemo {

// One grid cell. Flags are 0 off, anything else on; editing writes 1.
struct Cell {
    std::int32_t hasNote = 0;
    std::int32_t x = 0; // cached left edge, content coordinates
    std::int32_t y = 0; // cached top edge, content coordinates
    std::int32_t joinRight = 0;
    std::int32_t joinLeft = 0;

    friend bool operator==(const Cell&, const Cell&) = default;
};

// Extra pixels before a column and, at once, its block role: 0 inside, 2 small start, 6 large
// start.
using ColumnMarks = std::vector<std::int32_t>;

constexpr std::int32_t MarkSmallStart = 2;
constexpr std::int32_t MarkLargeStart = 6;

// (lastColumn + 1) x (lastRow + 1) cells stored column after column.
class CellGrid {
  public:
    CellGrid() = default;
    CellGrid(std::int32_t columnCount, std::int32_t rowCount)
        : columnCount_(columnCount), rowCount_(rowCount),
          cells_(static_cast<std::size_t>(columnCount) * static_cast<std::size_t>(rowCount)) {}

    // Empty cells of the new size; the storage is reused, so going back to a wider grid costs
    // no fresh memory (undo of a narrowing keeps under a few milliseconds).
    void reset(std::int32_t columnCount, std::int32_t rowCount) {
        columnCount_ = columnCount;
        rowCount_ = rowCount;
        cells_.assign(static_cast<std::size_t>(columnCount) * static_cast<std::size_t>(rowCount),
                      Cell{});
    }

    std::int32_t columnCount() const { return columnCount_; }
    std::int32_t rowCount() const { return rowCount_; }

    Cell& at(std::int32_t column, std::int32_t row) { return cells_[index(column, row)]; }
    const Cell& at(std::int32_t column, std::int32_t row) const {
        return cells_[index(column, row)];
    }

    std::vector<Cell>& cells() { return cells_; }
    const std::vector<Cell>& cells() const { return cells_; }

    // The notes part of a column (note and both join flags of every row); x and y stay with the
    // column's position. Rows beyond either grid are left alone.
    void copyColumnNotes(const CellGrid& from, std::int32_t fromColumn, std::int32_t toColumn) {
        const std::int32_t rows = std::min(rowCount_, from.rowCount_);
        for (std::int32_t row = 0; row < rows; ++row) {
            const Cell& source = from.at(fromColumn, row);
            Cell& target = at(toColumn, row);
            target.hasNote = source.hasNote;
            target.joinRight = source.joinRight;
            target.joinLeft = source.joinLeft;
        }
    }

    // Row of the topmost note in the column, or -1: the one voice of that column.
    std::int32_t noteRow(std::int32_t column) const {
        for (std::int32_t row = 0; row < rowCount_; ++row)
            if (at(column, row).hasNote != 0) return row;
        return -1;
    }

    friend bool operator==(const CellGrid&, const CellGrid&) = default;

  private:
    std::size_t index(std::int32_t column, std::int32_t row) const {
        return static_cast<std::size_t>(column) * static_cast<std::size_t>(rowCount_) +
               static_cast<std::size_t>(row);
    }

    std::int32_t columnCount_ = 0;
    std::int32_t rowCount_ = 0;
    std::vector<Cell> cells_;
};

} // namespace vemo
