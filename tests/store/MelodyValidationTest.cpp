#include "store/MelodyCodec.h"

#include "tests/store/MelodyTestFiles.h"

#include <gtest/gtest.h>

#include <limits>

namespace vemo {
namespace {

using test::Bytes;
using test::FileParts;

std::string rejection(const Bytes& bytes) {
    const DecodeResult result = decodeMelody(bytes);
    if (result.melody) return "accepted";
    return result.reason.empty() ? "rejected without a reason" : result.reason;
}

std::string rejection(const FileParts& parts) {
    return rejection(parts.bytes());
}

FileParts withColumns(std::int32_t columnCount) {
    FileParts parts;
    parts.lastColumn = columnCount - 1;
    parts.marks = Bytes(static_cast<std::size_t>(std::max(columnCount, 0)), 0);
    return parts;
}

TEST(MelodyValidation, WrongHeaderLine) {
    const std::string expected =
        "it does not begin with \"vemo-file : ver 0.1\", so it is not a vemo melody file";
    EXPECT_EQ(rejection(Bytes{}), expected);
    Bytes bytes = FileParts{}.bytes();
    bytes[18] = '2';
    EXPECT_EQ(rejection(bytes), expected);
    bytes = FileParts{}.bytes();
    bytes[19] = ' '; // the line runs on into the fill
    EXPECT_EQ(rejection(bytes), expected);
}

TEST(MelodyValidation, FileEndingRightAfterTheHeaderReadsRowCountOne) {
    EXPECT_EQ(rejection(test::headerBlock()), "the file says it has 1 rows; vemo's grid has 96");
    const std::string line = "vemo-file : ver 0.1";
    EXPECT_EQ(rejection(Bytes(line.begin(), line.end())),
              "the file says it has 1 rows; vemo's grid has 96");
}

TEST(MelodyValidation, RowCountMustMatchThePitchTable) {
    FileParts parts;
    parts.lastRow = 79;
    EXPECT_EQ(rejection(parts), "the file says it has 80 rows; vemo's grid has 96");
    parts.lastRow = 96;
    EXPECT_EQ(rejection(parts), "the file says it has 97 rows; vemo's grid has 96");
    parts.lastRow = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(rejection(parts), "the file says it has 2147483648 rows; vemo's grid has 96");
    parts.lastRow = -1;
    EXPECT_EQ(rejection(parts), "the file says it has 0 rows; vemo's grid has 96");
}

TEST(MelodyValidation, ExpectedRowCountIsTheCallersChoice) {
    FileParts parts;
    parts.lastRow = 47;
    EXPECT_TRUE(decodeMelody(parts.bytes(), 47).melody);
    EXPECT_EQ(decodeMelody(parts.bytes(), 47).melody->grid.rowCount(), 48);
    EXPECT_EQ(decodeMelody(FileParts{}.bytes(), 47).reason,
              "the file says it has 96 rows; vemo's grid has 48");
}

TEST(MelodyValidation, ColumnCountFromOneTo4096) {
    EXPECT_EQ(rejection(withColumns(0)), "the file says it has 0 columns; a melody has at least 1");
    EXPECT_EQ(rejection(withColumns(4097)),
              "the file says it has 4097 columns; vemo holds at most 4096");
    FileParts hostile;
    hostile.lastColumn = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(rejection(hostile),
              "the file says it has -2147483647 columns; a melody has at least 1");
    hostile.lastColumn = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(rejection(hostile),
              "the file says it has 2147483648 columns; vemo holds at most 4096");
    EXPECT_EQ(rejection(withColumns(1)), "accepted");
    EXPECT_EQ(rejection(withColumns(4096)), "accepted");
}

TEST(MelodyValidation, ColumnDurationFromOneTo999) {
    FileParts parts;
    parts.columnDuration = 0;
    EXPECT_EQ(rejection(parts), "the file says a column lasts 0 ms; vemo allows 1 to 999 ms");
    parts.columnDuration = 1000;
    EXPECT_EQ(rejection(parts), "the file says a column lasts 1000 ms; vemo allows 1 to 999 ms");
    parts.columnDuration = -120;
    EXPECT_EQ(rejection(parts), "the file says a column lasts -120 ms; vemo allows 1 to 999 ms");
    parts.columnDuration = 1;
    EXPECT_EQ(rejection(parts), "accepted");
    parts.columnDuration = 999;
    EXPECT_EQ(rejection(parts), "accepted");
}

TEST(MelodyValidation, NoteColumnRangeInsideTheGrid) {
    FileParts parts;
    parts.firstNoteColumn = -2;
    EXPECT_EQ(rejection(parts),
              "the file says its first note is in column -2; its columns are 0 to 31");
    parts.firstNoteColumn = 32;
    parts.lastNoteColumn = 32;
    EXPECT_EQ(rejection(parts),
              "the file says its first note is in column 32; its columns are 0 to 31");
    parts.firstNoteColumn = 31;
    EXPECT_EQ(rejection(parts),
              "the file says its last note is in column 32; its columns are 0 to 31");
    parts.firstNoteColumn = -1;
    parts.lastNoteColumn = -1;
    EXPECT_EQ(rejection(parts),
              "the file says its last note is in column -1; its columns are 0 to 31");
    parts.firstNoteColumn = 5;
    parts.lastNoteColumn = 4;
    EXPECT_EQ(rejection(parts),
              "the file says its notes end in column 4, before they begin in column 5");
}

TEST(MelodyValidation, RecordRowMustBeAGridRowOrNone) {
    FileParts parts;
    parts.firstNoteColumn = 2;
    parts.lastNoteColumn = 3;
    parts.records = {0xFF, 96, 1, 0, 0};
    EXPECT_EQ(rejection(parts),
              "the file puts the note of column 3 in row 96; vemo's grid has rows 0 to 95");
    parts.records = {0x80};
    EXPECT_EQ(rejection(parts),
              "the file puts the note of column 2 in row -128; vemo's grid has rows 0 to 95");
    parts.records = {0xFE};
    EXPECT_EQ(rejection(parts),
              "the file puts the note of column 2 in row -2; vemo's grid has rows 0 to 95");
    parts.records = {95, 1, 0, 0, 0, 1, 0, 0};
    EXPECT_EQ(rejection(parts), "accepted");
}

TEST(MelodyValidation, MarksMustBeNonNegative) {
    FileParts parts;
    parts.marks[7] = 0xFA;
    EXPECT_EQ(rejection(parts), "the file gives column 7 a block mark of -6; vemo allows 0 to 127");
    parts.marks[7] = 127;
    EXPECT_EQ(rejection(parts), "accepted");
}

TEST(MelodyValidation, RawBlockMarksStayWithinWhatAByteCanHold) {
    FileParts parts;
    parts.tail = test::zeroRawBlock(32, 96);
    const std::size_t marksAt = parts.tail.size() - 32 * 4;
    test::patchInt32(parts.tail, marksAt + 4 * 31, 128);
    EXPECT_EQ(rejection(parts),
              "the file gives column 31 a block mark of 128; vemo allows 0 to 127");
    test::patchInt32(parts.tail, marksAt + 4 * 31, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(rejection(parts),
              "the file gives column 31 a block mark of -2147483648; vemo allows 0 to 127");
    test::patchInt32(parts.tail, marksAt + 4 * 31, 127);
    EXPECT_EQ(rejection(parts), "accepted");
}

TEST(MelodyValidation, RawBlockMayNotPutTwoNotesInAColumn) {
    FileParts parts;
    parts.tail = test::zeroRawBlock(32, 96);
    test::patchInt32(parts.tail, test::rawCellOffset(96, 17, 60, 0), 1);
    test::patchInt32(parts.tail, test::rawCellOffset(96, 17, 3, 0), 1);
    EXPECT_EQ(rejection(parts),
              "the file puts two notes in column 17 (rows 3 and 60); a melody has one per column");
}

TEST(MelodyValidation, RawBlockCellsHoldOnlyWhatTheEditorWrites) {
    FileParts parts;
    parts.tail = test::zeroRawBlock(32, 96);
    test::patchInt32(parts.tail, test::rawCellOffset(96, 5, 80, 0), -3);
    EXPECT_EQ(rejection(parts),
              "the cell block gives column 5, row 80 a note flag of -3; only 0 or 1 is allowed");
    test::patchInt32(parts.tail, test::rawCellOffset(96, 5, 80, 0), 1);
    test::patchInt32(parts.tail, test::rawCellOffset(96, 5, 80, 4), 9);
    EXPECT_EQ(rejection(parts),
              "the cell block gives column 5, row 80 a tie flag of 9; only 0 or 1 is allowed");
    test::patchInt32(parts.tail, test::rawCellOffset(96, 5, 80, 0), 0);
    test::patchInt32(parts.tail, test::rawCellOffset(96, 5, 80, 4), 1);
    EXPECT_EQ(rejection(parts), "the cell block ties column 5, row 80, which holds no note");
    // Geometry is the writer's and is recomputed: any value will do.
    test::patchInt32(parts.tail, test::rawCellOffset(96, 5, 80, 4), 0);
    test::patchInt32(parts.tail, test::rawCellOffset(96, 5, 80, 1), -77777);
    EXPECT_EQ(rejection(parts), "accepted");
}

TEST(MelodyValidation, AfterTheRecordsComesNothingOrExactlyOneCellBlock) {
    FileParts parts;
    parts.firstNoteColumn = 0;
    parts.lastNoteColumn = 0;
    parts.records = {50, 1, 0, 0};
    const std::size_t blockSize = test::zeroRawBlock(32, 96).size();
    parts.tail = Bytes(1, 0);
    EXPECT_EQ(rejection(parts), "the file has 1 unexpected bytes after its notes, too few for a "
                                "cell block of 61568");
    parts.tail = Bytes(blockSize - 1, 0);
    EXPECT_EQ(rejection(parts), "the file has 61567 unexpected bytes after its notes, too few for "
                                "a cell block of 61568");
    parts.tail = Bytes(blockSize + 1, 0);
    EXPECT_EQ(rejection(parts),
              "the file goes on after its notes with more bytes than a vemo file of 32 columns "
              "holds");
    parts.tail.clear();
    EXPECT_EQ(rejection(parts), "accepted");
}

} // namespace
} // namespace vemo
