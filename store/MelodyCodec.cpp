#include "store/MelodyCodec.h"

#include "model/Joins.h"
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

std::string text(std::int64_t value) {
    return std::to_string(value);
}

// Counts are index + 1 in 64 bits: a hostile index may be INT32_MAX.
std::int64_t countOf(std::int32_t lastIndex) {
    return std::int64_t{lastIndex} + 1;
}

Problem checkHead(const FileHead& head, std::int32_t expectedLastRow) {
    if (head.lastRow != expectedLastRow || head.lastRow < 0 || head.lastRow > MaxStoredRow)
        return "the file says it has " + text(countOf(head.lastRow)) + " rows; vemo's grid has " +
               text(countOf(expectedLastRow));
    if (head.lastColumn > MaxColumnCount - 1)
        return "the file says it has " + text(countOf(head.lastColumn)) +
               " columns; vemo holds at most " + text(MaxColumnCount);
    if (head.lastColumn < 0)
        return "the file says it has " + text(countOf(head.lastColumn)) +
               " columns; a melody has at least 1";
    if (head.columnDuration < MinColumnDuration || head.columnDuration > MaxColumnDuration)
        return "the file says a column lasts " + text(head.columnDuration) + " ms; vemo allows " +
               text(MinColumnDuration) + " to " + text(MaxColumnDuration) + " ms";
    const std::string columns = "; its columns are 0 to " + text(head.lastColumn);
    const bool hasNotes = head.firstNoteColumn != NoNoteColumn;
    if (hasNotes && (head.firstNoteColumn < 0 || head.firstNoteColumn > head.lastColumn))
        return "the file says its first note is in column " + text(head.firstNoteColumn) + columns;
    if (head.lastNoteColumn < 0 || head.lastNoteColumn > head.lastColumn)
        return "the file says its last note is in column " + text(head.lastNoteColumn) + columns;
    if (hasNotes && head.lastNoteColumn < head.firstNoteColumn)
        return "the file says its notes end in column " + text(head.lastNoteColumn) +
               ", before they begin in column " + text(head.firstNoteColumn);
    return std::nullopt;
}

std::string rowsOf(const FileHead& head) {
    return "vemo's grid has rows 0 to " + text(head.lastRow);
}

Problem readNoteRecords(ByteReader& reader, const FileHead& head, CellGrid& grid) {
    if (head.firstNoteColumn == NoNoteColumn) return std::nullopt;
    for (std::int32_t column = head.firstNoteColumn; column <= head.lastNoteColumn; ++column) {
        const std::int32_t row = reader.readSignedByte();
        if (row == NoNoteRow) continue;
        if (row < 0 || row > head.lastRow)
            return "the file puts the note of column " + text(column) + " in row " + text(row) +
                   "; " + rowsOf(head);
        Cell& cell = grid.at(column, row);
        cell.hasNote = reader.readSignedByte();
        cell.joinRight = reader.readSignedByte();
        cell.joinLeft = reader.readSignedByte();
    }
    return std::nullopt;
}

std::size_t rawBlockSize(const CellGrid& grid, const ColumnMarks& marks) {
    return grid.cells().size() * RawCellSize + marks.size() * Int32Size;
}

// A flag in the raw block is a whole 32-bit value, so anything but 0 or 1 is damage, not a
// loose "non-zero is on".
bool isFlag(std::int32_t value) {
    return value == 0 || value == 1;
}

// The raw block replaces cells and marks whole. It is taken only when every cell is one the
// editor could have written; x and y are the writer's geometry and are recomputed anyway.
Problem readRawBlock(ByteReader& reader, CellGrid& grid, ColumnMarks& marks) {
    for (std::int32_t column = 0; column < grid.columnCount(); ++column) {
        for (std::int32_t row = 0; row < grid.rowCount(); ++row) {
            Cell& cell = grid.at(column, row);
            for (std::int32_t Cell::*field : RawCellFields)
                cell.*field = reader.readInt32Le();
            const auto where = [&] { return "column " + text(column) + ", row " + text(row); };
            if (!isFlag(cell.hasNote))
                return "the cell block gives " + where() + " a note flag of " + text(cell.hasNote) +
                       "; only 0 or 1 is allowed";
            for (std::int32_t join : {cell.joinRight, cell.joinLeft}) {
                if (!isFlag(join))
                    return "the cell block gives " + where() + " a tie flag of " + text(join) +
                           "; only 0 or 1 is allowed";
                if (join != 0 && cell.hasNote == 0)
                    return "the cell block ties " + where() + ", which holds no note";
            }
        }
    }
    for (std::int32_t& mark : marks)
        mark = reader.readInt32Le();
    return std::nullopt;
}

// After the records a file ends, or holds exactly one raw block: anything else is damage that
// would otherwise be read as a block and silently empty the melody.
Problem readTail(ByteReader& reader, CellGrid& grid, ColumnMarks& marks) {
    const std::size_t rest = reader.remaining();
    if (rest == 0) return std::nullopt;
    const std::size_t blockSize = rawBlockSize(grid, marks);
    if (rest < blockSize)
        return "the file has " + text(static_cast<std::int64_t>(rest)) +
               " unexpected bytes after its notes, too few for a cell block of " +
               text(static_cast<std::int64_t>(blockSize));
    if (rest > blockSize)
        return "the file goes on after its notes with more bytes than a vemo file of " +
               text(grid.columnCount()) + " columns holds";
    return readRawBlock(reader, grid, marks);
}

Problem checkMarks(const ColumnMarks& marks) {
    for (std::size_t column = 0; column < marks.size(); ++column) {
        if (marks[column] < 0 || marks[column] > MaxStoredMark)
            return "the file gives column " + text(static_cast<std::int64_t>(column)) +
                   " a block mark of " + text(marks[column]) + "; vemo allows 0 to " +
                   text(MaxStoredMark);
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
                return "the file puts two notes in column " + text(column) + " (rows " +
                       text(firstRow) + " and " + text(row) + "); a melody has one per column";
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
        return reject("it does not begin with \"" + std::string(MelodyHeaderText) +
                      "\", so it is not a vemo melody file");

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
    if (Problem problem = readTail(reader, melody.grid, melody.marks))
        return reject(std::move(*problem));

    if (Problem problem = checkMarks(melody.marks)) return reject(std::move(*problem));
    normaliseCells(melody.grid);
    if (Problem problem = checkOneNotePerColumn(melody.grid)) return reject(std::move(*problem));
    // A tie that its neighbour does not return (another editor, a damaged file) would draw and
    // play half a held tone: it is cut.
    clearHalfJoins(melody.grid);
    return DecodeResult{std::move(melody), {}};
}

} // namespace vemo
