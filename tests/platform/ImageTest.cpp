#include "platform/Image.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace vemo {
namespace {

constexpr Pixel Black = rgb(0, 0, 0);
constexpr Pixel Red = rgb(0xFF, 0, 0);
constexpr Pixel Blue = rgb(0, 0, 0xFF);

// One character per pixel, rows separated by '/': '.' black, 'r' red, 'b' blue, 'g' green.
std::string picture(const Image& image) {
    std::string text;
    for (std::int32_t y = 0; y < image.height(); ++y) {
        if (y > 0) text += '/';
        for (std::int32_t x = 0; x < image.width(); ++x) {
            const Pixel p = image.pixel(x, y);
            text += p == Black ? '.' : p == Red ? 'r' : p == Blue ? 'b' : 'g';
        }
    }
    return text;
}

// A source whose pixels are all different, to see which ones were copied where.
Image numbered(std::int32_t width, std::int32_t height) {
    Image image(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            image.setPixel(x, y,
                           rgb(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 7));
    return image;
}

TEST(ImageSize, NegativeAndZeroSizesGiveEmptyImages) {
    for (auto [w, h] :
         std::vector<std::pair<int, int>>{{0, 5}, {5, 0}, {-3, 4}, {4, -3}, {-1, -1}}) {
        const Image image(w, h);
        EXPECT_TRUE(image.empty()) << w << "x" << h;
        EXPECT_GE(image.width(), 0);
        EXPECT_GE(image.height(), 0);
        EXPECT_TRUE(image.pixels().empty());
    }
    Image image(3, 2, Red);
    EXPECT_FALSE(image.empty());
    EXPECT_EQ(image.pixels(), std::vector<Pixel>(6, Red));
}

TEST(ImagePixels, OutsideReadsZeroAndWritesAreDropped) {
    Image image(2, 2);
    for (auto [x, y] : std::vector<std::pair<int, int>>{{-1, 0}, {0, -1}, {2, 0}, {0, 2}}) {
        image.setPixel(x, y, Red);
        EXPECT_EQ(image.pixel(x, y), 0u);
    }
    EXPECT_EQ(picture(image), "../..");
    image.setPixel(1, 0, Red);
    EXPECT_EQ(picture(image), ".r/..");
}

TEST(ImageFill, ClipsAtEveryEdge) {
    Image image(4, 3);
    image.fillRect(-2, -2, 4, 3, Red); // over the top-left corner
    EXPECT_EQ(picture(image), "rr../..../....");
    image.fillRect(3, 2, 10, 10, Blue); // over the bottom-right corner
    EXPECT_EQ(picture(image), "rr../..../...b");
    image.fillRect(-5, 1, 20, 1, Blue); // wider than the image
    EXPECT_EQ(picture(image), "rr../bbbb/...b");
}

TEST(ImageFill, EmptyOrOutsideRectanglesDrawNothing) {
    Image image(3, 3);
    const std::string untouched = picture(image);
    image.fillRect(0, 0, 0, 3, Red);
    image.fillRect(0, 0, 3, 0, Red);
    image.fillRect(2, 2, -2, -2, Red);
    image.fillRect(3, 0, 2, 3, Red);
    image.fillRect(-2, 0, 2, 3, Red);
    image.fillRect(0, 3, 3, 1, Red);
    image.fillRect(0, -1, 3, 1, Red);
    EXPECT_EQ(picture(image), untouched);
}

TEST(ImageFill, ExtremeValuesDoNotOverflow) {
    constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
    Image image(2, 2);
    image.fillRect(Max, Max, Max, Max, Red);
    image.fillRect(Min, Min, -1, -1, Red);
    EXPECT_EQ(picture(image), "../..");
    image.fillRect(Min, Min, Max, Max, Red); // ends at -1: still outside
    EXPECT_EQ(picture(image), "../..");
    image.fillRect(1, 0, Max, Max, Red);
    EXPECT_EQ(picture(image), ".r/.r");
}

TEST(ImageLines, CoverTheFullSpanAndVanishOutside) {
    Image image(3, 2);
    image.verticalLine(-1, Red);
    image.verticalLine(3, Red);
    image.horizontalLine(-1, Red);
    image.horizontalLine(2, Red);
    EXPECT_EQ(picture(image), ".../...");
    image.verticalLine(1, Red);
    EXPECT_EQ(picture(image), ".r./.r.");
    image.horizontalLine(1, Blue);
    EXPECT_EQ(picture(image), ".r./bbb");
}

TEST(ImageBlit, CopiesOpaqueAndClipsOnEverySide) {
    const Image source = numbered(3, 3);
    for (auto [x, y] : std::vector<std::pair<int, int>>{
             {-2, -2}, {-2, 3}, {3, -2}, {3, 3}, {1, 1}, {-1, 2}, {4, 0}, {0, 4}}) {
        Image target(5, 5, Red);
        target.blit(source, x, y);
        for (std::int32_t ty = 0; ty < 5; ++ty) {
            for (std::int32_t tx = 0; tx < 5; ++tx) {
                const std::int32_t sx = tx - x;
                const std::int32_t sy = ty - y;
                const bool inside = sx >= 0 && sx < 3 && sy >= 0 && sy < 3;
                ASSERT_EQ(target.pixel(tx, ty), inside ? source.pixel(sx, sy) : Red)
                    << "at " << x << "," << y << " pixel " << tx << "," << ty;
            }
        }
    }
}

TEST(ImageBlit, SourceLargerThanTargetAndEmptySources) {
    const Image source = numbered(6, 6);
    Image target(2, 2, Red);
    target.blit(source, -2, -3);
    EXPECT_EQ(target.pixel(0, 0), source.pixel(2, 3));
    EXPECT_EQ(target.pixel(1, 1), source.pixel(3, 4));

    Image plain(2, 2, Red);
    plain.blit(Image(), 0, 0);
    plain.blit(Image(0, 4), 0, 0);
    plain.blit(source, 2, 0);
    plain.blit(source, 0, -6);
    EXPECT_EQ(plain.pixels(), std::vector<Pixel>(4, Red));

    Image empty;
    empty.blit(source, 0, 0);
    EXPECT_TRUE(empty.empty());
}

TEST(ImageBlitScaled, BlocksOfFactorPixelsCutAtTheEdgesUntouchedBeyond) {
    const Image source = numbered(3, 2);
    for (std::int32_t factor = 1; factor <= 5; ++factor) {
        Image target(7, 9, Red);
        target.blitScaled(source, factor);
        for (std::int32_t y = 0; y < 9; ++y) {
            for (std::int32_t x = 0; x < 7; ++x) {
                const bool covered = x < 3 * factor && y < 2 * factor;
                ASSERT_EQ(target.pixel(x, y), covered ? source.pixel(x / factor, y / factor) : Red)
                    << "factor " << factor << " pixel " << x << "," << y;
            }
        }
    }
    Image untouched(2, 2, Red);
    untouched.blitScaled(source, 0);
    untouched.blitScaled(Image(), 3);
    EXPECT_EQ(untouched.pixels(), std::vector<Pixel>(4, Red));
}

TEST(ImageResize, NearestNeighbourBothWays) {
    Image image(2, 2);
    image.setPixel(0, 0, Red);
    image.setPixel(1, 1, Blue);
    image.resize(4, 4);
    EXPECT_EQ(picture(image), "rr../rr../..bb/..bb");
    image.resize(2, 2);
    EXPECT_EQ(picture(image), "r./.b");
    image.resize(3, 1);
    EXPECT_EQ(picture(image), "rr.");

    Image wide = numbered(6, 2);
    wide.resize(3, 4);
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(wide.pixel(x, y),
                      rgb(static_cast<std::uint32_t>(x * 2), static_cast<std::uint32_t>(y / 2), 7));
}

TEST(ImageResize, UnchangedSizeKeepsTheContent) {
    Image image = numbered(4, 3);
    const Image before = image;
    image.resize(4, 3);
    EXPECT_EQ(image, before);
}

TEST(ImageResize, ToAndFromEmpty) {
    Image image(3, 3, Red);
    image.resize(0, 3);
    EXPECT_TRUE(image.empty());
    image.resize(-4, -4);
    EXPECT_TRUE(image.empty());
    image.resize(2, 1);
    EXPECT_EQ(picture(image), "..");
}

} // namespace
} // namespace vemo
