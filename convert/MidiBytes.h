#pragma once

// The bytes of a Standard MIDI File that the reader and the writer both speak.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vemo::midi {

constexpr std::string_view TrackTag = "MTrk";
constexpr std::size_t TagBytes = 4;
constexpr std::size_t ChunkHeaderBytes = 8;  // the tag and a 4-byte length
constexpr std::uint32_t HeaderDataBytes = 6; // type, track count, division

constexpr std::int32_t ChannelCount = 16;
constexpr std::int32_t KeyCount = 128;

// A status byte has its top bit set, a data byte never.
constexpr std::uint32_t StatusBit = 0x80;
constexpr std::uint32_t DataBits = 0x7F;
constexpr std::uint32_t KindBits = 0xF0;
constexpr std::uint32_t ChannelBits = 0x0F;

// Channel messages by their kind, the high half of the status byte.
constexpr std::uint8_t NoteOff = 0x80;
constexpr std::uint8_t NoteOn = 0x90;
constexpr std::uint8_t ProgramChange = 0xC0;
constexpr std::uint8_t ChannelPressure = 0xD0;

// Status bytes from here on are not channel messages.
constexpr std::uint8_t SystemExclusive = 0xF0;
constexpr std::uint8_t FirstSystemMessage = 0xF1;
constexpr std::uint8_t SystemExclusiveEscape = 0xF7;
constexpr std::uint8_t Meta = 0xFF;

// Meta event types.
constexpr std::uint8_t TrackName = 0x03;
constexpr std::uint8_t EndOfTrack = 0x2F;
constexpr std::uint8_t Tempo = 0x51;
constexpr std::size_t TempoBytes = 3; // microseconds a quarter note, high byte first

// Times and lengths: seven bits a byte, the top bit set on every byte but the last.
constexpr std::size_t MaxVariableLengthBytes = 4;
constexpr std::uint32_t MoreBytesBit = 0x80;
constexpr std::uint32_t VariableLengthBits = 7;

// A division with its top bit set counts SMPTE frames, not quarter notes.
constexpr std::uint32_t SmpteDivisionBit = 0x8000;

} // namespace vemo::midi
