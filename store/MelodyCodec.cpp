#include "store/MelodyCodec.h"

#include "store/MelodyBytes.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vemo {

namespace {

constexpr std::uint8_t CarriageReturn = 0x0D;
constexpr std::uint8_t LineFeed = 0x0A;

// The raw block stores every Cell field, in declaration order, as one 32-bit value.
constexpr std::array<std::int32_t Cell::*, 5> RawCellFields = {&Cell::hasNote, &Cell::x, &Cell::y,
                                                               &Cell::joinRight, &Cell::joinLeft};
constexpr std::size_t RawCellSize = RawCellFields.size() * Int32Size;

// A record's row is one signed byte, so no file can address a row below this one.
constexpr std::int32_t MaxStoredRow = 127;

struct FileHead {
    std::int32_t lastColumn = 0;
    std::int32_t lastRow = 0;
    std::int32_t columnDuration = 0;
    std::int32_t firstNoteColumn = 0;
    std::int32_t lastNoteColumn = 0;
};

using Problem = std::optional<std::string>;

DecodeResult reject(std::string reason) {
    return DecodeResult{std::nullopt, std::move(reason)};
}

std::string rangeText(std::int64_t low, std::int64_t high) {
    return std::to_string(low) + ".." + std::to_string(high);
}

// Counts are printed as index + 1 in 64 bits: a hostile index may be INT32_MAX.
std::int64_t countOf(std::int32_t lastIndex) {
    return std::int64_t{lastIndex} + 1;
}

Problem checkHead(const FileHead& head, std::int32_t expectedLastRow) {
    if (head.lastRow != expectedLastRow || head.lastRow < 0 || head.lastRow > MaxStoredRow)
        return "row count " + std::to_string(countOf(head.lastRow)) + " is not " +
               std::to_string(countOf(expectedLastRow));
    if (head.lastColumn < 0 || head.lastColumn > MaxColumnCount - 1)
        return "column count " + std::to_string(countOf(head.lastColumn)) + " is outside " +
               rangeText(1, MaxColumnCount);
    if (head.columnDuration < MinColumnDuration || head.columnDuration > MaxColumnDuration)
        return "column duration " + std::to_string(head.columnDuration) + " ms is outside " +
               rangeText(MinColumnDuration, MaxColumnDuration);
    const bool hasNotes = head.firstNoteColumn != NoNoteColumn;
    if (hasNotes && (head.firstNoteColumn < 0 || head.firstNoteColumn > head.lastColumn))
        return "first note column " + std::to_string(head.firstNoteColumn) + " is outside " +
               rangeText(0, head.lastColumn);
    if (head.lastNoteColumn < 0 || head.lastNoteColumn > head.lastColumn)
        return "last note column " + std::to_string(head.lastNoteColumn) + " is outside " +
               rangeText(0, head.lastColumn);
    if (hasNotes && head.lastNoteColumn < head.firstNoteColumn)
        return "last note column " + std::to_string(head.lastNoteColumn) +
               " is before first note column " + std::to_string(head.firstNoteColumn);
    return std::nullopt;
}

Problem readNoteRecords(ByteReader& reader, const FileHead& head, CellGrid& grid) {
    if (head.firstNoteColumn == NoNoteColumn) return std::nullopt;
    for (std::int32_t column = head.firstNoteColumn; column <= head.lastNoteColumn; ++column) {
        const std::int32_t row = reader.readSignedByte();
        if (row == NoNoteRow) continue;
        if (row < 0 || row > head.lastRow)
            return "row " + std::to_string(row) + " of column " + std::to_string(column) +
                   " is outside " + rangeText(0, head.lastRow);
        Cell& cell = grid.at(column, row);
        cell.hasNote = reader.readSignedByte();
        cell.joinRight = reader.readSignedByte();
        cell.joinLeft = reader.readSignedByte();
    }
    return std::nullopt;
}

// Whatever follows the records overrides cells and then marks, byte by byte, as far as the
// file goes; values the file does not reach keep what they had.
void readRawBlock(ByteReader& reader, CellGrid& grid, ColumnMarks& marks) {
    std::vector<Cell>& cells = grid.cells();
    const std::size_t cellBytes = std::min(reader.remaining(), cells.size() * RawCellSize);
    for (std::size_t i = 0; i < cellBytes; ++i) {
        const std::size_t fieldIndex = i / Int32Size;
        std::int32_t& field = cells[fieldIndex / RawCellFields.size()].*
                              RawCellFields[fieldIndex % RawCellFields.size()];
        field = overlayByte(field, i % Int32Size, reader.readByte());
    }
    const std::size_t markBytes = std::min(reader.remaining(), marks.size() * Int32Size);
    for (std::size_t i = 0; i < markBytes; ++i) {
        std::int32_t& mark = marks[i / Int32Size];
        mark = overlayByte(mark, i % Int32Size, reader.readByte());
    }
}

Problem checkMarks(const ColumnMarks& marks) {
    for (std::size_t column = 0; column < marks.size(); ++column) {
        if (marks[column] < 0 || marks[column] > MaxStoredMark)
            return "mark " + std::to_string(marks[column]) + " of column " +
                   std::to_string(column) + " is outside " + rangeText(0, MaxStoredMark);
    }
    return std::nullopt;
}

// Flags mean "non-zero is on"; storing them as 1 keeps that meaning through the low-byte
// form of the next save. A join belongs to a note, so an empty cell keeps none; that also
// makes a loaded melody save back to a file that loads as the same melody.
// Geometry from the file is dropped: the caller recomputes it.
void normaliseCells(CellGrid& grid) {
    for (Cell& cell : grid.cells()) {
        const bool holdsNote = cell.hasNote != 0;
        cell.hasNote = holdsNote ? 1 : 0;
        cell.joinRight = holdsNote && cell.joinRight != 0 ? 1 : 0;
        cell.joinLeft = holdsNote && cell.joinLeft != 0 ? 1 : 0;
        cell.x = 0;
        cell.y = 0;
    }
}

// The melody has one voice; only the raw block could break that.
Problem checkOneNotePerColumn(const CellGrid& grid) {
    for (std::int32_t column = 0; column < grid.columnCount(); ++column) {
        const std::int32_t firstRow = grid.noteRow(column);
        if (firstRow < 0) continue;
        for (std::int32_t row = firstRow + 1; row < grid.rowCount(); ++row) {
            if (grid.at(column, row).hasNote != 0)
                return "column " + std::to_string(column) + " holds notes in rows " +
                       std::to_string(firstRow) + " and " + std::to_string(row);
        }
    }
    return std::nullopt;
}

} // namespace

bool hasMelodyHeader(std::span<const std::uint8_t> bytes) {
    const auto lineEnd = std::find_if(bytes.begin(), bytes.end(), [](std::uint8_t byte) {
        return byte == MelodyHeaderEnd || byte == CarriageReturn || byte == LineFeed;
    });
    const auto lineLength = static_cast<std::size_t>(lineEnd - bytes.begin());
    return lineLength == MelodyHeaderText.size() &&
           std::equal(bytes.begin(), lineEnd, MelodyHeaderText.begin(),
                      [](std::uint8_t byte, char text) {
                          return byte == static_cast<std::uint8_t>(text);
                      });
}

std::vector<std::uint8_t> encodeMelody(const Melody& melody) {
    std::vector<std::uint8_t> out(MelodyHeaderSize, MelodyHeaderFill);
    std::copy(MelodyHeaderText.begin(), MelodyHeaderText.end(), out.begin());
    out[MelodyHeaderText.size()] = MelodyHeaderEnd;

    appendInt32Le(out, melody.lastColumn);
    appendInt32Le(out, melody.lastRow);
    appendInt32Le(out, melody.columnDuration);

    std::int32_t firstNoteColumn = NoNoteColumn;
    std::int32_t lastNoteColumn = EmptyLastNoteColumn;
    for (std::int32_t column = 0; column <= melody.lastColumn; ++column) {
        if (melody.grid.noteRow(column) < 0) continue;
        if (firstNoteColumn == NoNoteColumn) firstNoteColumn = column;
        lastNoteColumn = column;
    }
    appendInt32Le(out, firstNoteColumn);
    appendInt32Le(out, lastNoteColumn);

    for (std::int32_t column = 0; column <= melody.lastColumn; ++column)
        appendLowByte(out, melody.marks[static_cast<std::size_t>(column)]);

    if (firstNoteColumn == NoNoteColumn) return out;
    for (std::int32_t column = firstNoteColumn; column <= lastNoteColumn; ++column) {
        const std::int32_t row = melody.grid.noteRow(column);
        appendLowByte(out, row);
        if (row < 0) continue;
        const Cell& cell = melody.grid.at(column, row);
        appendLowByte(out, cell.hasNote);
        appendLowByte(out, cell.joinRight);
        appendLowByte(out, cell.joinLeft);
    }
    return out;
}

DecodeResult decodeMelody(std::span<const std::uint8_t> bytes, std::int32_t expectedLastRow) {
    if (!hasMelodyHeader(bytes))
        return reject("the first line is not \"" + std::string(MelodyHeaderText) + "\"");

    ByteReader reader(bytes);
    reader.seek(MelodyHeaderSize);
    FileHead head;
    head.lastColumn = reader.readInt32Le();
    head.lastRow = reader.readInt32Le();
    head.columnDuration = reader.readInt32Le();
    head.firstNoteColumn = reader.readInt32Le();
    head.lastNoteColumn = reader.readInt32Le();
    if (Problem problem = checkHead(head, expectedLastRow)) return reject(std::move(*problem));

    // Sizes are checked above: at most MaxColumnCount x (MaxStoredRow + 1) cells.
    DecodedMelody melody;
    melody.lastColumn = head.lastColumn;
    melody.lastRow = head.lastRow;
    melody.columnDuration = head.columnDuration;
    melody.marks.assign(static_cast<std::size_t>(head.lastColumn) + 1, 0);
    for (std::int32_t& mark : melody.marks)
        mark = reader.readSignedByte();
    melody.grid = CellGrid(head.lastColumn + 1, head.lastRow + 1);

    if (Problem problem = readNoteRecords(reader, head, melody.grid))
        return reject(std::move(*problem));
    readRawBlock(reader, melody.grid, melody.marks);

    if (Problem problem = checkMarks(melody.marks)) return reject(std::move(*problem));
    normaliseCells(melody.grid);
    if (Problem problem = checkOneNotePerColumn(melody.grid)) return reject(std::move(*problem));
    return DecodeResult{std::move(melody), {}};
}

} // namespace vemo
