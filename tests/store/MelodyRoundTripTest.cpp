#include "store/MelodyCodec.h"

#include "tests/store/MelodyRandom.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

Melody asMelody(const DecodedMelody& decoded) {
    Melody melody;
    melody.lastColumn = decoded.lastColumn;
    melody.lastRow = decoded.lastRow;
    melody.columnDuration = decoded.columnDuration;
    melody.grid = decoded.grid;
    melody.marks = decoded.marks;
    return melody;
}

class MelodyRoundTrip : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(MelodyRoundTrip, SavedMelodyLoadsBackUnchangedAndSavesToTheSameBytes) {
    const std::int32_t columnCount = GetParam();
    std::mt19937 random(static_cast<std::uint32_t>(columnCount));
    for (int melodyIndex = 0; melodyIndex < 6; ++melodyIndex) {
        SCOPED_TRACE("melody " + std::to_string(melodyIndex));
        const Melody melody = test::randomMelody(random, columnCount);
        const std::vector<std::uint8_t> bytes = encodeMelody(melody);

        const DecodeResult result = decodeMelody(bytes);
        ASSERT_TRUE(result.melody) << result.reason;
        const DecodedMelody& decoded = *result.melody;
        EXPECT_EQ(decoded.lastColumn, melody.lastColumn);
        EXPECT_EQ(decoded.lastRow, melody.lastRow);
        EXPECT_EQ(decoded.columnDuration, melody.columnDuration);
        EXPECT_EQ(decoded.marks, melody.marks);
        EXPECT_TRUE(decoded.grid == melody.grid);
        EXPECT_EQ(encodeMelody(asMelody(decoded)), bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(ColumnCounts, MelodyRoundTrip, ::testing::Values(32, 512, 4096),
                         [](const auto& paramInfo) {
                             return std::to_string(paramInfo.param) + "Columns";
                         });

TEST(MelodyRoundTripEdges, FullAndEmptyGridsAtTheSizeLimits) {
    for (std::int32_t columnCount : {1, 4096}) {
        Melody empty = test::emptyMelody(columnCount, 4, 4, 999);
        Melody full = empty;
        for (std::int32_t column = 0; column < columnCount; ++column) {
            Cell& cell = full.grid.at(column, column % 96);
            cell.hasNote = 1;
        }
        for (const Melody* melody : {&empty, &full}) {
            const DecodeResult result = decodeMelody(encodeMelody(*melody));
            ASSERT_TRUE(result.melody) << result.reason;
            EXPECT_TRUE(result.melody->grid == melody->grid) << columnCount << " columns";
            EXPECT_EQ(result.melody->marks, melody->marks);
        }
    }
}

} // namespace
} // namespace vemo
