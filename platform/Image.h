#pragma once

#include <cstdint>
#include <vector>

namespace vemo {

// 0xAARRGGBB
using Pixel = std::uint32_t;

constexpr Pixel rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

// A plain 32-bit raster. Every operation clips to the pixels; sizes below 1 are empty images.
class Image {
public:
    Image() = default;
    Image(std::int32_t width, std::int32_t height, Pixel fill = rgb(0, 0, 0));

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }

    Pixel pixel(std::int32_t x, std::int32_t y) const;
    void setPixel(std::int32_t x, std::int32_t y, Pixel colour);
    const std::vector<Pixel>& pixels() const { return pixels_; }
    std::vector<Pixel>& pixels() { return pixels_; }

    // Fills [x, x + width) x [y, y + height).
    void fillRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                  Pixel colour);
    // A line over the full height at column x, or over the full width at row y.
    void verticalLine(std::int32_t x, Pixel colour);
    void horizontalLine(std::int32_t y, Pixel colour);
    // Opaque copy of the whole source with its top-left corner at (x, y).
    void blit(const Image& source, std::int32_t x, std::int32_t y);
    // Opaque copy of the whole source at the top-left corner, each of its pixels as a block of
    // factor x factor pixels; what passes the edges is cut off.
    void blitScaled(const Image& source, std::int32_t factor);
    // Nearest-neighbour scale to a new size; an unchanged size keeps the content as it is.
    void resize(std::int32_t width, std::int32_t height);

    friend bool operator==(const Image&, const Image&) = default;

private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<Pixel> pixels_;
};

} // namespace vemo
