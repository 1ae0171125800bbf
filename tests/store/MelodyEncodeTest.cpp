#include "store/MelodyCodec.h"

#include "tests/store/MelodyTestFiles.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::Bytes;

void setNote(Melody& melody, std::int32_t column, std::int32_t row, std::int32_t joinRight = 0,
             std::int32_t joinLeft = 0) {
    Cell& cell = melody.grid.at(column, row);
    cell.hasNote = 1;
    cell.joinRight = joinRight;
    cell.joinLeft = joinLeft;
}

Bytes slice(const Bytes& bytes, std::size_t offset, std::size_t length) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                 bytes.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

TEST(MelodyEncode, EmptyStartGridIsHeaderValuesAndMarksOnly) {
    const Melody melody = test::emptyMelody(512, 4, 4, 120);
    const Bytes bytes = encodeMelody(melody);

    ASSERT_EQ(bytes.size(), 564u);
    EXPECT_EQ(slice(bytes, 0, 32), test::headerBlock());
    Bytes values;
    for (std::int32_t value : {511, 95, 120, -1, 0})
        test::putInt32(values, value);
    EXPECT_EQ(slice(bytes, 32, 20), values);
    for (std::size_t column = 0; column < 512; ++column)
        EXPECT_EQ(bytes[52 + column], melody.marks[column]) << "mark of column " << column;
}

TEST(MelodyEncode, HeldNoteOnThirtyTwoColumnsMatchesTheWorkedExample) {
    Melody melody = test::emptyMelody(32, 4, 4, 120);
    setNote(melody, 0, 50, 1, 0);
    setNote(melody, 1, 50, 0, 1);

    Bytes expected = test::headerBlock();
    const Bytes values = {0x1F, 0x00, 0x00, 0x00, 0x5F, 0x00, 0x00, 0x00, 0x78, 0x00,
                          0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};
    const Bytes marks = {6, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0,
                         6, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0};
    const Bytes records = {0x32, 0x01, 0x01, 0x00, 0x32, 0x01, 0x00, 0x01};
    expected.insert(expected.end(), values.begin(), values.end());
    expected.insert(expected.end(), marks.begin(), marks.end());
    expected.insert(expected.end(), records.begin(), records.end());

    const Bytes bytes = encodeMelody(melody);
    EXPECT_EQ(bytes.size(), 92u);
    EXPECT_EQ(bytes, expected);
}

TEST(MelodyEncode, RecordsSpanFirstToLastNoteColumnWithGapsAsSingleBytes) {
    Melody melody = test::emptyMelody(32, 4, 4, 250);
    setNote(melody, 3, 7);
    setNote(melody, 6, 95, 0, 1);
    setNote(melody, 5, 95, 1, 0);

    const Bytes bytes = encodeMelody(melody);
    Bytes range;
    test::putInt32(range, 3);
    test::putInt32(range, 6);
    EXPECT_EQ(slice(bytes, 44, 8), range);
    const Bytes records = {7, 1, 0, 0, 0xFF, 95, 1, 1, 0, 95, 1, 0, 1};
    ASSERT_EQ(bytes.size(), 32u + 20u + 32u + records.size());
    EXPECT_EQ(slice(bytes, 84, records.size()), records);
}

TEST(MelodyEncode, NoteInLastColumnOnlyStartsAndEndsTheRangeThere) {
    Melody melody = test::emptyMelody(32, 4, 4, 120);
    setNote(melody, 31, 0);
    const Bytes bytes = encodeMelody(melody);
    Bytes range;
    test::putInt32(range, 31);
    test::putInt32(range, 31);
    EXPECT_EQ(slice(bytes, 44, 8), range);
    EXPECT_EQ(slice(bytes, 84, bytes.size() - 84), (Bytes{0, 1, 0, 0}));
}

TEST(MelodyEncode, OnlyTheTopmostNoteOfAColumnIsStored) {
    Melody melody = test::emptyMelody(32, 4, 4, 120);
    setNote(melody, 2, 40, 1, 1);
    setNote(melody, 2, 12);
    const Bytes bytes = encodeMelody(melody);
    EXPECT_EQ(slice(bytes, 84, bytes.size() - 84), (Bytes{12, 1, 0, 0}));
}

TEST(MelodyEncode, SmallValuesAreWrittenAsTheirLowByte) {
    Melody melody = test::emptyMelody(32, 4, 4, 120);
    melody.marks[1] = 0x102;
    Cell& cell = melody.grid.at(0, 9);
    cell.hasNote = 0x301; // non-zero, so the column has a note; its low byte is 1
    cell.joinRight = -1;
    const Bytes bytes = encodeMelody(melody);
    EXPECT_EQ(bytes[53], 0x02);
    EXPECT_EQ(slice(bytes, 84, bytes.size() - 84), (Bytes{9, 0x01, 0xFF, 0x00}));
}

TEST(MelodyEncode, CellGeometryIsNotStored) {
    Melody plain = test::emptyMelody(32, 4, 4, 120);
    setNote(plain, 4, 20);
    Melody placed = plain;
    for (Cell& cell : placed.grid.cells()) {
        cell.x = 1234;
        cell.y = 567;
    }
    EXPECT_EQ(encodeMelody(placed), encodeMelody(plain));
}

TEST(MelodyHeader, LineEndsAtNulCrLfOrEndOfFile) {
    const std::string text = "vemo-file : ver 0.1";
    const Bytes bare(text.begin(), text.end());
    for (std::uint8_t end : Bytes{0x00, 0x0D, 0x0A}) {
        Bytes withEnd = bare;
        withEnd.push_back(end);
        withEnd.push_back('x');
        EXPECT_TRUE(hasMelodyHeader(withEnd)) << "line end " << int{end};
    }
    EXPECT_TRUE(hasMelodyHeader(bare));
    EXPECT_TRUE(hasMelodyHeader(test::headerBlock()));
}

TEST(MelodyHeader, AnyOtherFirstLineIsRefused) {
    const auto refused = [](const std::string& line) {
        const Bytes bytes(line.begin(), line.end());
        return !hasMelodyHeader(bytes);
    };
    EXPECT_TRUE(refused(""));
    EXPECT_TRUE(refused("vemo-file : ver 0."));
    EXPECT_TRUE(refused("vemo-file : ver 0.2"));
    EXPECT_TRUE(refused("vemo-file : ver 0.10"));
    EXPECT_TRUE(refused("Vemo-file : ver 0.1"));
    EXPECT_TRUE(refused(" vemo-file : ver 0.1"));
    EXPECT_TRUE(refused("vemo-file : ver 0.1 "));
    EXPECT_TRUE(refused(std::string("\0vemo-file : ver 0.1", 20)));
}

} // namespace
} // namespace vemo
