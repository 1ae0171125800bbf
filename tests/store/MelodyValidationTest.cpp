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
    const std::string expected = "the first line is not \"vemo-file : ver 0.1\"";
    EXPECT_EQ(rejection(Bytes{}), expected);
    Bytes bytes = FileParts{}.bytes();
    bytes[18] = '2';
    EXPECT_EQ(rejection(bytes), expected);
    bytes = FileParts{}.bytes();
    bytes[19] = ' '; // the line runs on into the fill
    EXPECT_EQ(rejection(bytes), expected);
}

TEST(MelodyValidation, FileEndingRightAfterTheHeaderReadsRowCountOne) {
    EXPECT_EQ(rejection(test::headerBlock()), "row count 1 is not 96");
    const std::string line = "vemo-file : ver 0.1";
    EXPECT_EQ(rejection(Bytes(line.begin(), line.end())), "row count 1 is not 96");
}

TEST(MelodyValidation, RowCountMustMatchThePitchTable) {
    FileParts parts;
    parts.lastRow = 79;
    EXPECT_EQ(rejection(parts), "row count 80 is not 96");
    parts.lastRow = 96;
    EXPECT_EQ(rejection(parts), "row count 97 is not 96");
    parts.lastRow = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(rejection(parts), "row count 2147483648 is not 96");
    parts.lastRow = -1;
    EXPECT_EQ(rejection(parts), "row count 0 is not 96");
}

TEST(MelodyValidation, ExpectedRowCountIsTheCallersChoice) {
    FileParts parts;
    parts.lastRow = 47;
    EXPECT_TRUE(decodeMelody(parts.bytes(), 47).melody);
    EXPECT_EQ(decodeMelody(parts.bytes(), 47).melody->grid.rowCount(), 48);
    EXPECT_EQ(decodeMelody(FileParts{}.bytes(), 47).reason, "row count 96 is not 48");
}

TEST(MelodyValidation, ColumnCountFromOneTo4096) {
    EXPECT_EQ(rejection(withColumns(0)), "column count 0 is outside 1..4096");
    EXPECT_EQ(rejection(withColumns(4097)), "column count 4097 is outside 1..4096");
    FileParts hostile;
    hostile.lastColumn = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(rejection(hostile), "column count -2147483647 is outside 1..4096");
    hostile.lastColumn = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(rejection(hostile), "column count 2147483648 is outside 1..4096");
    EXPECT_EQ(rejection(withColumns(1)), "accepted");
    EXPECT_EQ(rejection(withColumns(4096)), "accepted");
}

TEST(MelodyValidation, ColumnDurationFromOneTo999) {
    FileParts parts;
    parts.columnDuration = 0;
    EXPECT_EQ(rejection(parts), "column duration 0 ms is outside 1..999");
    parts.columnDuration = 1000;
    EXPECT_EQ(rejection(parts), "column duration 1000 ms is outside 1..999");
    parts.columnDuration = -120;
    EXPECT_EQ(rejection(parts), "column duration -120 ms is outside 1..999");
    parts.columnDuration = 1;
    EXPECT_EQ(rejection(parts), "accepted");
    parts.columnDuration = 999;
    EXPECT_EQ(rejection(parts), "accepted");
}

TEST(MelodyValidation, NoteColumnRangeInsideTheGrid) {
    FileParts parts;
    parts.firstNoteColumn = -2;
    EXPECT_EQ(rejection(parts), "first note column -2 is outside 0..31");
    parts.firstNoteColumn = 32;
    parts.lastNoteColumn = 32;
    EXPECT_EQ(rejection(parts), "first note column 32 is outside 0..31");
    parts.firstNoteColumn = 31;
    EXPECT_EQ(rejection(parts), "last note column 32 is outside 0..31");
    parts.firstNoteColumn = -1;
    parts.lastNoteColumn = -1;
    EXPECT_EQ(rejection(parts), "last note column -1 is outside 0..31");
    parts.firstNoteColumn = 5;
    parts.lastNoteColumn = 4;
    EXPECT_EQ(rejection(parts), "last note column 4 is before first note column 5");
}

TEST(MelodyValidation, RecordRowMustBeAGridRowOrNone) {
    FileParts parts;
    parts.firstNoteColumn = 2;
    parts.lastNoteColumn = 3;
    parts.records = {0xFF, 96, 1, 0, 0};
    EXPECT_EQ(rejection(parts), "row 96 of column 3 is outside 0..95");
    parts.records = {0x80};
    EXPECT_EQ(rejection(parts), "row -128 of column 2 is outside 0..95");
    parts.records = {0xFE};
    EXPECT_EQ(rejection(parts), "row -2 of column 2 is outside 0..95");
    parts.records = {95, 1, 0, 0, 0, 1, 0, 0};
    EXPECT_EQ(rejection(parts), "accepted");
}

TEST(MelodyValidation, MarksMustBeNonNegative) {
    FileParts parts;
    parts.marks[7] = 0xFA;
    EXPECT_EQ(rejection(parts), "mark -6 of column 7 is outside 0..127");
    parts.marks[7] = 127;
    EXPECT_EQ(rejection(parts), "accepted");
}

TEST(MelodyValidation, RawBlockMarksStayWithinWhatAByteCanHold) {
    FileParts parts;
    parts.tail = test::zeroRawBlock(32, 96);
    const std::size_t marksAt = parts.tail.size() - 32 * 4;
    test::patchInt32(parts.tail, marksAt + 4 * 31, 128);
    EXPECT_EQ(rejection(parts), "mark 128 of column 31 is outside 0..127");
    test::patchInt32(parts.tail, marksAt + 4 * 31, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(rejection(parts), "mark -2147483648 of column 31 is outside 0..127");
    test::patchInt32(parts.tail, marksAt + 4 * 31, 127);
    EXPECT_EQ(rejection(parts), "accepted");
}

TEST(MelodyValidation, RawBlockMayNotPutTwoNotesInAColumn) {
    FileParts parts;
    parts.tail = test::zeroRawBlock(32, 96);
    test::patchInt32(parts.tail, test::rawCellOffset(96, 17, 60, 0), 1);
    test::patchInt32(parts.tail, test::rawCellOffset(96, 17, 3, 0), -9);
    EXPECT_EQ(rejection(parts), "column 17 holds notes in rows 3 and 60");
}

} // namespace
} // namespace vemo
