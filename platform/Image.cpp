#include "platform/Image.h"

#include <algorithm>

namespace vemo {

Image::Image(std::int32_t width, std::int32_t height, Pixel fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

Pixel Image::pixel(std::int32_t x, std::int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void Image::setPixel(std::int32_t x, std::int32_t y, Pixel colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = colour;
}

void Image::fillRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                     Pixel colour) {
    // 64-bit edges: x + width must not overflow for any inputs.
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + width, width_);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + height, height_);
    for (std::int64_t row = top; row < bottom; ++row) {
        auto begin = pixels_.begin() + row * width_;
        std::fill(begin + left, begin + std::max(left, right), colour);
    }
}

void Image::verticalLine(std::int32_t x, Pixel colour) { fillRect(x, 0, 1, height_, colour); }

void Image::horizontalLine(std::int32_t y, Pixel colour) { fillRect(0, y, width_, 1, colour); }

void Image::blit(const Image& source, std::int32_t x, std::int32_t y) {
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + source.width_, width_);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + source.height_, height_);
    if (left >= right) return;
    for (std::int64_t row = top; row < bottom; ++row) {
        const auto from = source.pixels_.begin() + (row - y) * source.width_ + (left - x);
        std::copy(from, from + (right - left), pixels_.begin() + row * width_ + left);
    }
}

namespace {

// Writes each of count pixels factor times in a row and returns the end. A fixed factor lets
// the compiler unroll the copies; the zoom's factors are small.
template <std::int64_t Factor>
Pixel* widenRow(const Pixel* from, std::int64_t count, Pixel* to) {
    for (std::int64_t i = 0; i < count; ++i)
        for (std::int64_t copy = 0; copy < Factor; ++copy)
            *to++ = from[i];
    return to;
}

Pixel* widenRow(const Pixel* from, std::int64_t count, std::int64_t factor, Pixel* to) {
    switch (factor) {
    case 2:
        return widenRow<2>(from, count, to);
    case 3:
        return widenRow<3>(from, count, to);
    case 4:
        return widenRow<4>(from, count, to);
    default:
        for (std::int64_t i = 0; i < count; ++i)
            to = std::fill_n(to, factor, from[i]);
        return to;
    }
}

} // namespace

void Image::blitScaled(const Image& source, std::int32_t factor) {
    if (factor < 1) return;
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{source.width_} * factor, width_);
    const std::int64_t bottom =
        std::min<std::int64_t>(std::int64_t{source.height_} * factor, height_);
    // Source pixels that fit whole; the last one may be cut by this image's right edge.
    const std::int64_t wholeColumns = right / factor;
    const std::int64_t cutPixels = right - wholeColumns * factor;
    // Each source row is widened once; the other rows of its block are copies of that row.
    for (std::int64_t row = 0; row < bottom; row += factor) {
        Pixel* first = pixels_.data() + row * width_;
        const Pixel* from = source.pixels_.data() + (row / factor) * source.width_;
        Pixel* end = widenRow(from, wholeColumns, factor, first);
        if (cutPixels > 0) std::fill_n(end, cutPixels, from[wholeColumns]);
        const std::int64_t blockEnd = std::min<std::int64_t>(row + factor, bottom);
        for (std::int64_t copy = row + 1; copy < blockEnd; ++copy)
            std::copy(first, first + right, pixels_.data() + copy * width_);
    }
}

void Image::resize(std::int32_t width, std::int32_t height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    Image scaled(width, height);
    if (!empty()) {
        for (std::int32_t row = 0; row < height; ++row) {
            const auto fromRow = static_cast<std::int32_t>(std::int64_t{row} * height_ / height);
            for (std::int32_t column = 0; column < width; ++column) {
                const auto fromColumn =
                    static_cast<std::int32_t>(std::int64_t{column} * width_ / width);
                scaled.setPixel(column, row, pixel(fromColumn, fromRow));
            }
        }
    }
    *this = std::move(scaled);
}

} // namespace vemo
