#pragma once

#include "model/Tones.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// Bigger files and more notes than any melody file needs are refused before they are read on.
constexpr std::size_t MaxMidiFileBytes = 8 * 1024 * 1024;
constexpr std::size_t MaxMidiNotes = 1 << 20;
constexpr std::int32_t DrumChannel = 9; // channel 10 as users count
// Every MIDI file begins with it.
constexpr std::string_view MidiHeaderTag = "MThd";

// A note as heard: its times run through the file's whole tempo map.
struct MidiNote {
    std::int32_t voice = 0; // index into MidiSong::voices
    std::int32_t key = 60;  // C4 = 60, A4 = 69
    double startMs = 0.0;
    double endMs = 0.0;
};

// The notes of one channel of one track.
struct MidiVoice {
    std::int32_t track = 0;   // counted from 0 in file order
    std::int32_t channel = 0; // 0-15; DrumChannel holds drums
    std::string name;         // the track's name, empty when it has none
    std::int32_t noteCount = 0;
};

struct MidiSong {
    std::int32_t format = 0;
    double firstQuarterMs = 500.0; // the tempo in force when the first note starts
    std::vector<MidiVoice> voices;
    std::vector<MidiNote> notes; // by start time, then by voice
};

struct MidiParse {
    std::optional<MidiSong> song; // empty when refused
    std::string reason;           // why, and where the reading stopped
};

// Reads a Standard MIDI File of type 0 or 1: running status, system exclusive and meta events,
// the tempo map from every track and SMPTE time. Every length is checked against the bytes left.
// The reader is vemo's own: Debian's portSMF and libsmf both kill the process on damaged files
// (tests/convert/midi/crashed-*.mid: a null pointer read and a failed assertion), and libsmf
// leaks on every file it refuses.
MidiParse parseMidi(std::span<const std::uint8_t> bytes);

// A type 0 file of one track: one column is a sixteenth note, each tone the MIDI note nearest to
// its frequency, each rest a pause.
std::vector<std::uint8_t> writeMidi(const ToneList& tones, std::int32_t columnDuration,
                                    const std::string& trackName);

} // namespace vemo
