#include "convert/EqualTemper.h"
#include "convert/MidiBytes.h"
#include "convert/MidiFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace vemo {

using namespace midi;

namespace {

// A column is a sixteenth note, so a quarter note is four columns.
constexpr std::uint32_t TicksPerColumn = 120;
constexpr std::uint32_t ColumnsPerQuarter = 4;
constexpr std::uint32_t TicksPerQuarter = ColumnsPerQuarter * TicksPerColumn;
constexpr std::uint8_t Velocity = 100;
constexpr std::uint8_t ReleaseVelocity = 0;
constexpr std::size_t MaxTrackNameBytes = 255;
constexpr std::uint32_t SingleTrackType = 0;

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, std::size_t count) {
    for (std::size_t i = count; i-- > 0;)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::array<std::uint8_t, MaxVariableLengthBytes + 1> groups{};
    std::size_t count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & DataBits);
        value >>= VariableLengthBits;
    } while (value != 0 && count < groups.size());
    while (count-- > 0)
        out.push_back(static_cast<std::uint8_t>(groups[count] | (count > 0 ? MoreBytesBit : 0)));
}

void putTag(std::vector<std::uint8_t>& out, std::string_view tag) {
    out.insert(out.end(), tag.begin(), tag.end());
}

// A meta event at the start of the track.
void putMeta(std::vector<std::uint8_t>& track, std::uint8_t type,
             std::span<const std::uint8_t> data) {
    track.push_back(0);
    track.push_back(Meta);
    track.push_back(type);
    putVariableLength(track, static_cast<std::uint32_t>(data.size()));
    track.insert(track.end(), data.begin(), data.end());
}

// The track's name and its one tempo: a column lasts `column` milliseconds.
void putTrackStart(std::vector<std::uint8_t>& track, std::int32_t column,
                   const std::string& trackName) {
    const std::string_view name(trackName.data(),
                                std::min<std::size_t>(trackName.size(), MaxTrackNameBytes));
    putMeta(track, TrackName, {reinterpret_cast<const std::uint8_t*>(name.data()), name.size()});
    const std::uint32_t quarterUs = static_cast<std::uint32_t>(column) * ColumnsPerQuarter * 1000;
    const std::array<std::uint8_t, TempoBytes> tempo{static_cast<std::uint8_t>(quarterUs >> 16),
                                                     static_cast<std::uint8_t>(quarterUs >> 8),
                                                     static_cast<std::uint8_t>(quarterUs)};
    putMeta(track, Tempo, tempo);
}

} // namespace

std::vector<std::uint8_t> writeMidi(const ToneList& tones, std::int32_t columnDuration,
                                    const std::string& trackName) {
    const std::int32_t column = std::max(columnDuration, 1);
    std::vector<std::uint8_t> track;
    putTrackStart(track, column, trackName);

    // Durations are whole columns; rounding keeps any stray remainder close.
    std::uint32_t restTicks = 0;
    for (const ToneEvent& tone : tones) {
        const std::int64_t columns =
            std::max<std::int64_t>(std::llround(static_cast<double>(tone.duration) / column), 1);
        const auto ticks = static_cast<std::uint32_t>(columns * TicksPerColumn);
        if (tone.isRest || tone.frequency <= 0) {
            restTicks += ticks;
            continue;
        }
        const auto key =
            static_cast<std::uint8_t>(std::clamp(nearestSemitone(tone.frequency), 0, KeyCount - 1));
        putVariableLength(track, restTicks);
        track.insert(track.end(), {NoteOn, key, Velocity});
        putVariableLength(track, ticks);
        track.insert(track.end(), {NoteOff, key, ReleaseVelocity});
        restTicks = 0;
    }
    // A trailing rest keeps its length through the end of the track.
    putVariableLength(track, restTicks);
    track.insert(track.end(), {Meta, EndOfTrack, 0});

    std::vector<std::uint8_t> file;
    putTag(file, MidiHeaderTag);
    putBigEndian(file, HeaderDataBytes, 4);
    putBigEndian(file, SingleTrackType, 2);
    putBigEndian(file, 1, 2); // one track
    putBigEndian(file, TicksPerQuarter, 2);
    putTag(file, TrackTag);
    putBigEndian(file, static_cast<std::uint32_t>(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

} // namespace vemo
