#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vemo {

constexpr int BitsPerByte = 8;
constexpr std::uint32_t ByteMask = 0xFFu;
constexpr std::size_t Int32Size = 4;

// Appends the value as 4 bytes, lowest first.
inline void appendInt32Le(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < Int32Size; ++i)
        out.push_back(static_cast<std::uint8_t>((bits >> (BitsPerByte * i)) & ByteMask));
}

// Appends the low 8 bits of a model value: the file keeps small values in one byte.
inline void appendLowByte(std::vector<std::uint8_t>& out, std::int32_t value) {
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & ByteMask));
}

// Replaces byte `byteIndex` (0 = lowest) of a little-endian 32-bit value, keeping the others.
// A read that stops in the middle of a value leaves its unreached bytes as they were.
inline std::int32_t overlayByte(std::int32_t value, std::size_t byteIndex, std::uint8_t byte) {
    const auto shift = static_cast<unsigned>(BitsPerByte * byteIndex);
    const std::uint32_t kept = static_cast<std::uint32_t>(value) & ~(ByteMask << shift);
    return static_cast<std::int32_t>(kept | (static_cast<std::uint32_t>(byte) << shift));
}

// Sequential reader over a whole file's bytes. Reading past the end gives zero bytes,
// the way a short melody file reads 0 for everything it lacks.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    void seek(std::size_t offset) { position_ = offset; }
    std::size_t position() const { return position_; }
    std::size_t remaining() const {
        return position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    }

    std::uint8_t readByte() {
        const std::uint8_t byte = position_ < bytes_.size() ? bytes_[position_] : std::uint8_t{0};
        ++position_;
        return byte;
    }

    std::int32_t readSignedByte() { return static_cast<std::int8_t>(readByte()); }

    std::int32_t readInt32Le() {
        std::int32_t value = 0;
        for (std::size_t i = 0; i < Int32Size; ++i)
            value = overlayByte(value, i, readByte());
        return value;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

} // namespace vemo
