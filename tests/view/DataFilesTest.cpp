// The pictures in resources/Data are generated once and committed; the grid's cell spacing and
// the toolbar depend on their sizes, so a regenerated set must keep them.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> readFile(const std::string& name) {
    std::ifstream file(std::string(VEMO_SOURCE_DIR) + "/resources/Data/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::int32_t littleEndian32(const std::vector<unsigned char>& bytes, std::size_t at) {
    return static_cast<std::int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                     static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

struct BitmapSize {
    std::int32_t width;
    std::int32_t height;
};

BitmapSize bitmapSize(const std::string& name) {
    const std::vector<unsigned char> bytes = readFile(name);
    constexpr std::size_t HeaderBytes = 26;
    if (bytes.size() < HeaderBytes || bytes[0] != 'B' || bytes[1] != 'M') return {0, 0};
    const std::int32_t height = littleEndian32(bytes, 22); // negative: stored top-down
    return {littleEndian32(bytes, 18), height < 0 ? -height : height};
}

TEST(DataFiles, CellBitmapsKeepTheirSizes) {
    const BitmapSize empty = bitmapSize("img01.bmp");
    EXPECT_EQ(empty.width, 11);
    EXPECT_EQ(empty.height, 7);
    for (const char* name : {"img02.bmp", "img02_R.bmp"}) {
        const BitmapSize size = bitmapSize(name);
        EXPECT_EQ(size.width, empty.width) << name;
        EXPECT_EQ(size.height, empty.height) << name;
    }
    for (const char* name : {"img02_L.bmp", "img02_LR.bmp"}) {
        const BitmapSize size = bitmapSize(name);
        EXPECT_EQ(size.width, empty.width + 4) << name;
        EXPECT_EQ(size.height, empty.height) << name;
    }
}

TEST(DataFiles, IconsAreSixteenPixelTrueColour) {
    for (const char* name : {"new.ico", "space.ico", "sing.ico", "shut.ico", "loop.ico", "code.ico",
                             "load.ico", "save.ico", "copy.ico", "paste.ico", "selec.ico",
                             "undo.ico", "redo.ico", "export.ico", "vemo.ico"}) {
        const std::vector<unsigned char> bytes = readFile(name);
        ASSERT_GE(bytes.size(), 22u) << name;
        // Icon directory: reserved 0, type 1, at least one image; first entry 16 x 16, 32 bits.
        EXPECT_EQ(bytes[2], 1) << name;
        EXPECT_GE(bytes[4], 1) << name;
        EXPECT_EQ(bytes[6], 16) << name;
        EXPECT_EQ(bytes[7], 16) << name;
        EXPECT_EQ(bytes[12], 32) << name;
    }
}

} // namespace
