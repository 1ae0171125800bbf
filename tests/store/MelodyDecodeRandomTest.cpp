// Damaged files of every kind: the decoder must reject them with a reason or return a melody
// the editor can hold, and never read or write out of bounds (the sanitizer build checks that).

#include "store/MelodyCodec.h"

#include "tests/store/MelodyRandom.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/WholeJoins.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

namespace vemo {
namespace {

using test::Bytes;
using test::uniform;

constexpr int DamagedFileCount = 8000;

// Values near every limit the decoder checks.
constexpr std::array<std::int32_t, 14> EdgeValues = {
    std::numeric_limits<std::int32_t>::min(), -2, -1, 0, 1, 31, 94, 95, 96, 999, 1000, 4095, 4096,
    std::numeric_limits<std::int32_t>::max()};

Bytes withRawBlock(std::mt19937& random, Bytes bytes, std::int32_t columnCount) {
    Bytes raw = test::zeroRawBlock(columnCount, 96);
    const std::int32_t patches = uniform(random, 0, 4);
    for (std::int32_t i = 0; i < patches; ++i) {
        const auto offset =
            static_cast<std::size_t>(uniform(random, 0, static_cast<std::int32_t>(raw.size()) - 4));
        test::patchInt32(raw, offset & ~std::size_t{3},
                         EdgeValues[static_cast<std::size_t>(uniform(random, 0, 13))]);
    }
    bytes.insert(bytes.end(), raw.begin(), raw.end());
    return bytes;
}

Bytes damaged(std::mt19937& random) {
    const std::int32_t columnCount = uniform(random, 1, 40);
    Bytes bytes = encodeMelody(test::randomMelody(random, columnCount));
    if (uniform(random, 0, 3) == 0) bytes = withRawBlock(random, bytes, columnCount);

    const std::int32_t damages = uniform(random, 1, 4);
    for (std::int32_t i = 0; i < damages; ++i) {
        const auto size = static_cast<std::int32_t>(bytes.size());
        switch (uniform(random, 0, 4)) {
        case 0: // a random byte anywhere past the header line
            if (size > 20)
                bytes[static_cast<std::size_t>(uniform(random, 20, size - 1))] =
                    static_cast<std::uint8_t>(uniform(random, 0, 255));
            break;
        case 1: // one of the five values set to an edge
            if (size >= 52)
                test::patchInt32(bytes, 32 + 4 * static_cast<std::size_t>(uniform(random, 0, 4)),
                                 EdgeValues[static_cast<std::size_t>(uniform(random, 0, 13))]);
            break;
        case 2: // cut anywhere
            bytes.resize(static_cast<std::size_t>(uniform(random, 0, size)));
            break;
        case 3: // junk appended
            for (std::int32_t n = uniform(random, 1, 64); n > 0; --n)
                bytes.push_back(static_cast<std::uint8_t>(uniform(random, 0, 255)));
            break;
        default: // a record byte set to a row, a gap or a flag
            if (size > 84)
                bytes[static_cast<std::size_t>(uniform(random, 52, size - 1))] =
                    static_cast<std::uint8_t>(
                        std::array<int, 6>{0x00, 0x01, 0x5F, 0x60, 0x80,
                                           0xFF}[static_cast<std::size_t>(uniform(random, 0, 5))]);
            break;
        }
    }
    return bytes;
}

// What the editor relies on after a load.
void expectHoldable(const DecodedMelody& melody) {
    ASSERT_EQ(melody.lastRow, 95);
    ASSERT_GE(melody.lastColumn, 0);
    ASSERT_LE(melody.lastColumn, 4095);
    ASSERT_EQ(melody.grid.columnCount(), melody.lastColumn + 1);
    ASSERT_EQ(melody.grid.rowCount(), 96);
    ASSERT_EQ(melody.grid.cells().size(), static_cast<std::size_t>(melody.lastColumn + 1) * 96u);
    ASSERT_EQ(melody.marks.size(), static_cast<std::size_t>(melody.lastColumn + 1));
    EXPECT_GE(melody.columnDuration, 1);
    EXPECT_LE(melody.columnDuration, 999);
    for (std::int32_t mark : melody.marks) {
        EXPECT_GE(mark, 0);
        EXPECT_LE(mark, 127);
    }
    for (std::int32_t column = 0; column <= melody.lastColumn; ++column) {
        std::int32_t notes = 0;
        bool cellsPlain = true; // flags 0 or 1, geometry left for the caller
        for (std::int32_t row = 0; row <= melody.lastRow; ++row) {
            const Cell& cell = melody.grid.at(column, row);
            notes += cell.hasNote;
            cellsPlain = cellsPlain && (cell.hasNote == 0 || cell.hasNote == 1) &&
                         (cell.joinRight == 0 || cell.joinRight == 1) &&
                         (cell.joinLeft == 0 || cell.joinLeft == 1) && cell.x == 0 && cell.y == 0;
        }
        ASSERT_TRUE(cellsPlain) << "column " << column;
        ASSERT_LE(notes, 1) << "column " << column;
    }
    // Files with ties that the neighbour does not return load with those ties cut.
    EXPECT_TRUE(test::onlyWholeJoins(melody.grid));
}

// Decodes one file; returns whether it was accepted. Fails the test on any broken promise.
bool decodeChecked(const Bytes& bytes, const std::string& label) {
    SCOPED_TRACE(label);
    const DecodeResult result = decodeMelody(bytes);
    if (!result.melody) {
        EXPECT_FALSE(result.reason.empty());
        return false;
    }
    EXPECT_TRUE(result.reason.empty());
    EXPECT_NO_FATAL_FAILURE(expectHoldable(*result.melody));

    // Saving what was loaded and loading it again changes nothing.
    Melody resaved;
    resaved.lastColumn = result.melody->lastColumn;
    resaved.lastRow = result.melody->lastRow;
    resaved.columnDuration = result.melody->columnDuration;
    resaved.grid = result.melody->grid;
    resaved.marks = result.melody->marks;
    const DecodeResult again = decodeMelody(encodeMelody(resaved));
    EXPECT_TRUE(again.melody) << again.reason;
    if (!again.melody) return true;
    EXPECT_TRUE(again.melody->grid == resaved.grid);
    EXPECT_EQ(again.melody->marks, resaved.marks);
    EXPECT_EQ(again.melody->columnDuration, resaved.columnDuration);
    return true;
}

TEST(MelodyDecodeRandom, DamagedFilesAreRejectedWithAReasonOrLoadAsAHoldableMelody) {
    std::mt19937 random(20240611u);
    int acceptedCount = 0;
    for (int fileIndex = 0; fileIndex < DamagedFileCount; ++fileIndex) {
        if (decodeChecked(damaged(random), "file " + std::to_string(fileIndex))) ++acceptedCount;
        if (::testing::Test::HasFailure()) return;
    }
    // Both outcomes must be exercised, or the damage generator has gone blind.
    EXPECT_GT(acceptedCount, DamagedFileCount / 20);
    EXPECT_LT(acceptedCount, DamagedFileCount - DamagedFileCount / 20);
}

// The inputs the fuzzer kept for their coverage, replayed without clang.
TEST(MelodyDecodeRandom, FuzzCorpusReplaysCleanly) {
    const std::filesystem::path corpus =
        std::filesystem::path(VEMO_SOURCE_DIR) / "tests/store/corpus";
    int fileCount = 0;
    int acceptedCount = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ++fileCount;
        if (decodeChecked(bytes, entry.path().filename().string())) ++acceptedCount;
    }
    EXPECT_GE(fileCount, 10);
    EXPECT_GT(acceptedCount, 0);
}

} // namespace
} // namespace vemo
