#include "store/MelodyCodec.h"

#include "tests/store/MelodyTestFiles.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::Bytes;
using test::FileParts;

DecodedMelody decodeOrFail(const Bytes& bytes) {
    DecodeResult result = decodeMelody(bytes);
    EXPECT_TRUE(result.melody.has_value()) << "rejected: " << result.reason;
    EXPECT_TRUE(result.reason.empty() || !result.melody);
    return result.melody.value_or(DecodedMelody{});
}

std::int32_t noteCount(const CellGrid& grid) {
    std::int32_t count = 0;
    for (const Cell& cell : grid.cells())
        count += cell.hasNote != 0 ? 1 : 0;
    return count;
}

// The held note of the 92-byte example: row 50, columns 0 and 1.
FileParts heldNoteFile() {
    FileParts parts;
    parts.firstNoteColumn = 0;
    parts.lastNoteColumn = 1;
    parts.marks = {6, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0,
                   6, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0};
    parts.records = {0x32, 0x01, 0x01, 0x00, 0x32, 0x01, 0x00, 0x01};
    return parts;
}

TEST(MelodyDecode, WorkedExampleGivesTheHeldNote) {
    const DecodedMelody melody = decodeOrFail(heldNoteFile().bytes());
    EXPECT_EQ(melody.lastColumn, 31);
    EXPECT_EQ(melody.lastRow, 95);
    EXPECT_EQ(melody.columnDuration, 120);
    ASSERT_EQ(melody.grid.columnCount(), 32);
    ASSERT_EQ(melody.grid.rowCount(), 96);
    EXPECT_EQ(melody.grid.at(0, 50), (Cell{1, 0, 0, 1, 0}));
    EXPECT_EQ(melody.grid.at(1, 50), (Cell{1, 0, 0, 0, 1}));
    EXPECT_EQ(noteCount(melody.grid), 2);
    const Bytes markBytes = heldNoteFile().marks;
    const ColumnMarks expectedMarks(markBytes.begin(), markBytes.end());
    EXPECT_EQ(melody.marks, expectedMarks);
}

TEST(MelodyDecode, EmptyFileOfAnotherSizeGivesAnEmptyGridOfThatSize) {
    FileParts parts;
    parts.lastColumn = 99;
    parts.columnDuration = 7;
    parts.marks = Bytes(100, 2);
    const DecodedMelody melody = decodeOrFail(parts.bytes());
    EXPECT_EQ(melody.grid.columnCount(), 100);
    EXPECT_EQ(melody.columnDuration, 7);
    EXPECT_EQ(melody.marks, ColumnMarks(100, 2));
    EXPECT_EQ(noteCount(melody.grid), 0);
}

TEST(MelodyDecode, GapRecordsLeaveTheirColumnsEmpty) {
    FileParts parts;
    parts.firstNoteColumn = 3;
    parts.lastNoteColumn = 6;
    parts.records = {7, 1, 0, 0, 0xFF, 0xFF, 95, 1, 0, 0};
    const DecodedMelody melody = decodeOrFail(parts.bytes());
    EXPECT_EQ(melody.grid.noteRow(3), 7);
    EXPECT_EQ(melody.grid.noteRow(4), -1);
    EXPECT_EQ(melody.grid.noteRow(5), -1);
    EXPECT_EQ(melody.grid.noteRow(6), 95);
    EXPECT_EQ(noteCount(melody.grid), 2);
}

TEST(MelodyDecode, HeaderLineMayEndInCrLfAndDataStillStartsAtOffset32) {
    Bytes bytes = heldNoteFile().bytes();
    bytes[19] = 0x0D;
    bytes[20] = 0x0A;
    const DecodedMelody melody = decodeOrFail(bytes);
    EXPECT_EQ(melody.lastColumn, 31);
    EXPECT_EQ(melody.grid.at(0, 50).joinRight, 1);
}

TEST(MelodyDecode, FillBytesOfTheHeaderBlockAreNotRead) {
    Bytes bytes = heldNoteFile().bytes();
    for (std::size_t i = 20; i < 32; ++i)
        bytes[i] = 0xAB;
    EXPECT_EQ(decodeOrFail(bytes).grid, decodeOrFail(heldNoteFile().bytes()).grid);
}

TEST(MelodyDecode, FlagBytesAreSignExtendedAndKeptAsOne) {
    FileParts parts;
    parts.firstNoteColumn = 0;
    parts.lastNoteColumn = 1;
    parts.records = {10, 0xFF, 0x80, 0x00, 10, 0x07, 0x00, 0xFE};
    const DecodedMelody melody = decodeOrFail(parts.bytes());
    EXPECT_EQ(melody.grid.at(0, 10), (Cell{1, 0, 0, 1, 0}));
    EXPECT_EQ(melody.grid.at(1, 10), (Cell{1, 0, 0, 0, 1}));
}

TEST(MelodyDecode, RecordWithoutNoteFlagLeavesTheColumnEmptyAndUnjoined) {
    FileParts parts;
    parts.firstNoteColumn = 2;
    parts.lastNoteColumn = 2;
    parts.records = {30, 0, 1, 1};
    const DecodedMelody melody = decodeOrFail(parts.bytes());
    EXPECT_EQ(melody.grid.at(2, 30), Cell{});
}

TEST(MelodyDecode, FileCutInsideTheMarksReadsZeroMarks) {
    FileParts parts;
    parts.marks = Bytes(10, 6);
    const DecodedMelody melody = decodeOrFail(parts.bytes());
    ColumnMarks expected(32, 0);
    std::fill(expected.begin(), expected.begin() + 10, 6);
    EXPECT_EQ(melody.marks, expected);
}

TEST(MelodyDecode, FileCutInsideTheRecordsReadsZeroBytes) {
    FileParts parts = heldNoteFile();
    parts.records.resize(5); // the second record keeps only its row byte
    const DecodedMelody melody = decodeOrFail(parts.bytes());
    // The first note's tie points at nothing now: it is cut.
    EXPECT_EQ(melody.grid.at(0, 50), (Cell{1, 0, 0, 0, 0}));
    EXPECT_EQ(melody.grid.at(1, 50), Cell{});
    EXPECT_EQ(noteCount(melody.grid), 1);
}

TEST(MelodyDecode, FileCutInsideAValueReadsZeroForItsMissingHighBytes) {
    Bytes bytes = FileParts{}.bytes();
    bytes.resize(32 + 8 + 1); // the duration keeps its low byte 0x78
    const DecodedMelody melody = decodeOrFail(bytes);
    EXPECT_EQ(melody.columnDuration, 120);
    EXPECT_EQ(melody.marks, ColumnMarks(32, 0));
    // first and last note column read as 0: column 0 gets one all-zero record
    EXPECT_EQ(noteCount(melody.grid), 0);
}

TEST(MelodyDecode, FullRawBlockReplacesRecordsAndMarks) {
    FileParts parts = heldNoteFile();
    parts.tail = test::zeroRawBlock(32, 96);
    test::patchInt32(parts.tail, test::rawCellOffset(96, 5, 80, 0), 1);
    test::patchInt32(parts.tail, test::rawCellOffset(96, 5, 80, 3), 1);
    test::patchInt32(parts.tail, test::rawCellOffset(96, 6, 80, 0), 1);
    test::patchInt32(parts.tail, test::rawCellOffset(96, 6, 80, 4), 1);
    test::patchInt32(parts.tail, test::rawCellOffset(96, 6, 80, 1), 777); // x is not kept
    const std::size_t marksAt = parts.tail.size() - 32 * 4;
    test::patchInt32(parts.tail, marksAt + 4 * 3, 6);

    const DecodedMelody melody = decodeOrFail(parts.bytes());
    EXPECT_EQ(noteCount(melody.grid), 2);
    EXPECT_EQ(melody.grid.at(5, 80), (Cell{1, 0, 0, 1, 0}));
    EXPECT_EQ(melody.grid.at(6, 80), (Cell{1, 0, 0, 0, 1}));
    ColumnMarks expectedMarks(32, 0);
    expectedMarks[3] = 6;
    EXPECT_EQ(melody.marks, expectedMarks);
}

} // namespace
} // namespace vemo
