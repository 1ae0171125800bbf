#include "convert/MidiBytes.h"
#include "convert/MidiFile.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vemo {

using namespace midi;

namespace {

constexpr std::uint32_t DefaultQuarterUs = 500000; // 120 quarter notes a minute
constexpr std::size_t MaxNameBytes = 64;
constexpr std::uint32_t HighestReadType = 1;
constexpr std::uint32_t TicksPerFrameBits = 0xFF; // the low byte of an SMPTE division

std::string at(std::size_t offset) {
    return " at byte " + std::to_string(offset);
}

// Reads bytes from a span that never reaches past its end; the first fault is kept.
class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes, std::size_t base = 0)
        : bytes_(bytes), base_(base) {}

    bool atEnd() const { return position_ >= bytes_.size(); }
    std::size_t left() const { return bytes_.size() - position_; }
    std::size_t offset() const { return base_ + position_; }
    bool failed() const { return !reason_.empty(); }
    const std::string& reason() const { return reason_; }

    void fail(const std::string& why) {
        if (reason_.empty()) reason_ = why + at(offset());
    }

    std::uint32_t byte() {
        if (atEnd()) {
            fail("the data ends inside an event");
            return 0;
        }
        return bytes_[position_++];
    }

    std::uint32_t bigEndian(std::size_t count) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < count; ++i)
            value = value << 8 | byte();
        return value;
    }

    std::uint32_t variableLength() {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < MaxVariableLengthBytes; ++i) {
            const std::uint32_t next = byte();
            value = value << VariableLengthBits | (next & DataBits);
            if ((next & MoreBytesBit) == 0) return value;
        }
        fail("a length or time is longer than four bytes");
        return 0;
    }

    std::span<const std::uint8_t> take(std::size_t count) {
        if (count > left()) {
            fail("a length of " + std::to_string(count) + " bytes runs past the end (" +
                 std::to_string(left()) + " left)");
            position_ = bytes_.size();
            return {};
        }
        const auto part = bytes_.subspan(position_, count);
        position_ += count;
        return part;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t base_;
    std::size_t position_ = 0;
    std::string reason_;
};

struct TickNote {
    std::int32_t voice;
    std::int32_t key;
    std::uint64_t start;
    std::uint64_t end;
};

struct TempoChange {
    std::uint64_t tick;
    std::uint32_t quarterUs;
};

// Everything read from the tracks, in ticks.
struct TickSong {
    std::vector<MidiVoice> voices;
    std::vector<TickNote> notes;
    std::vector<TempoChange> tempos;
};

bool isControlCharacter(std::uint8_t c) {
    constexpr std::uint8_t FirstPrintable = 0x20;
    constexpr std::uint8_t Delete = 0x7F;
    return c < FirstPrintable || c == Delete;
}

class TrackReader {
  public:
    TrackReader(TickSong& song, std::int32_t track) : song_(song), track_(track) {
        for (auto& channel : voiceOf_)
            channel = -1;
        for (auto& channel : sounding_)
            channel.fill(-1);
    }

    // Reads one MTrk chunk's events; false with the reason in `reader` when it is damaged.
    bool read(Reader& reader) {
        std::uint64_t tick = 0;
        std::uint32_t status = 0;
        while (!reader.atEnd() && !reader.failed()) {
            tick += reader.variableLength();
            std::uint32_t first = reader.byte();
            if ((first & StatusBit) != 0) {
                status = first;
                if (status < SystemExclusive) first = reader.byte();
            } else if (status == 0 || status >= SystemExclusive) {
                reader.fail("an event has no status byte");
                break;
            }
            if (status == Meta) {
                status = 0; // meta events cancel running status
                const std::uint32_t type = reader.byte();
                const auto data = reader.take(reader.variableLength());
                if (type == EndOfTrack) break;
                meta(type, data, tick);
            } else if (status == SystemExclusive || status == SystemExclusiveEscape) {
                // A system exclusive message's length is known; its content is not needed.
                reader.take(reader.variableLength());
                status = 0;
            } else if (status >= FirstSystemMessage) {
                reader.fail("a system message can't be in a file");
            } else {
                channelMessage(status, first, reader, tick);
            }
            if (song_.notes.size() > MaxMidiNotes)
                reader.fail("the file has more than " + std::to_string(MaxMidiNotes) + " notes");
        }
        // Notes still sounding when the track ends stop there.
        for (std::int32_t channel = 0; channel < ChannelCount; ++channel)
            for (std::int32_t key = 0; key < KeyCount; ++key)
                end(channel, key, tick);
        return !reader.failed();
    }

  private:
    void meta(std::uint32_t type, std::span<const std::uint8_t> data, std::uint64_t tick) {
        if (type == TrackName && name_.empty()) {
            // Names are shown and printed: no control characters, and not endless.
            for (const std::uint8_t c :
                 data.first(std::min<std::size_t>(data.size(), MaxNameBytes)))
                name_.push_back(isControlCharacter(c) ? ' ' : static_cast<char>(c));
            for (MidiVoice& voice : song_.voices)
                if (voice.track == track_) voice.name = name_;
        } else if (type == Tempo && data.size() == TempoBytes) {
            const std::uint32_t quarterUs =
                static_cast<std::uint32_t>(data[0]) << 16 | data[1] << 8 | data[2];
            if (quarterUs > 0) song_.tempos.push_back({tick, quarterUs});
        }
    }

    void channelMessage(std::uint32_t status, std::uint32_t first, Reader& reader,
                        std::uint64_t tick) {
        const std::uint32_t kind = status & KindBits;
        const auto channel = static_cast<std::int32_t>(status & ChannelBits);
        if (kind == ProgramChange || kind == ChannelPressure) return; // one data byte, already read
        const std::uint32_t second = reader.byte();
        if (((first | second) & StatusBit) != 0) {
            reader.fail("a data byte has its top bit set");
            return;
        }
        const auto key = static_cast<std::int32_t>(first);
        if (kind == NoteOff || (kind == NoteOn && second == 0)) {
            end(channel, key, tick);
        } else if (kind == NoteOn) {
            // The same key struck again ends the note it still sounds.
            end(channel, key, tick);
            sounding_[channel][key] = static_cast<std::int64_t>(song_.notes.size());
            song_.notes.push_back({voiceFor(channel), key, tick, tick});
        }
    }

    void end(std::int32_t channel, std::int32_t key, std::uint64_t tick) {
        std::int64_t& note = sounding_[channel][key];
        if (note < 0) return;
        song_.notes[static_cast<std::size_t>(note)].end = tick;
        note = -1;
    }

    std::int32_t voiceFor(std::int32_t channel) {
        std::int32_t& voice = voiceOf_[channel];
        if (voice < 0) {
            voice = static_cast<std::int32_t>(song_.voices.size());
            song_.voices.push_back({track_, channel, name_, 0});
        }
        ++song_.voices[static_cast<std::size_t>(voice)].noteCount;
        return voice;
    }

    TickSong& song_;
    std::int32_t track_;
    std::string name_;
    std::array<std::int32_t, ChannelCount> voiceOf_{};
    std::array<std::array<std::int64_t, KeyCount>, ChannelCount> sounding_{};
};

// Turns ticks into milliseconds through the tempo changes, which must be sorted by tick.
class TempoMap {
  public:
    TempoMap(std::vector<TempoChange> tempos, std::uint32_t division) {
        if ((division & SmpteDivisionBit) != 0) {
            // SMPTE: frames a second (as a negative byte) times ticks a frame; no tempo applies.
            const auto framesPerSecond = static_cast<std::int32_t>(256 - (division >> 8));
            const auto ticksPerFrame = static_cast<std::int32_t>(division & TicksPerFrameBits);
            msPerTickFixed_ = 1000.0 / std::max(framesPerSecond * ticksPerFrame, 1);
            return;
        }
        ticksPerQuarter_ = std::max<std::uint32_t>(division, 1);
        std::stable_sort(
            tempos.begin(), tempos.end(),
            [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
        std::uint32_t quarterUs = DefaultQuarterUs;
        std::uint64_t tick = 0;
        double ms = 0.0;
        segments_.push_back({0, 0.0, quarterUs});
        for (const TempoChange& change : tempos) {
            ms += msPer(tick, change.tick, quarterUs);
            tick = change.tick;
            quarterUs = change.quarterUs;
            if (segments_.back().tick == tick)
                segments_.back() = {tick, ms, quarterUs};
            else
                segments_.push_back({tick, ms, quarterUs});
        }
    }

    double ms(std::uint64_t tick) const {
        if (segments_.empty()) return static_cast<double>(tick) * msPerTickFixed_;
        const Segment& segment = segmentAt(tick);
        return segment.ms + msPer(segment.tick, tick, segment.quarterUs);
    }

    double quarterMsAt(std::uint64_t tick) const {
        return (segments_.empty() ? DefaultQuarterUs : segmentAt(tick).quarterUs) / 1000.0;
    }

  private:
    struct Segment {
        std::uint64_t tick;
        double ms;
        std::uint32_t quarterUs;
    };

    // The last segment that starts at or before the tick; the first starts at tick 0.
    const Segment& segmentAt(std::uint64_t tick) const {
        return *(std::upper_bound(segments_.begin(), segments_.end(), tick,
                                  [](std::uint64_t value, const Segment& segment) {
                                      return value < segment.tick;
                                  }) -
                 1);
    }

    double msPer(std::uint64_t from, std::uint64_t to, std::uint32_t quarterUs) const {
        return static_cast<double>(to - from) * quarterUs / 1000.0 / ticksPerQuarter_;
    }

    std::vector<Segment> segments_;
    std::uint32_t ticksPerQuarter_ = 1;
    double msPerTickFixed_ = 0.0;
};

bool isTag(std::span<const std::uint8_t> bytes, std::string_view tag) {
    return bytes.size() == tag.size() && std::equal(bytes.begin(), bytes.end(), tag.begin());
}

struct Header {
    std::uint32_t format = 0;
    std::uint32_t division = 0;
};

// The header chunk's type and division; the reason it can't be read otherwise.
std::string readHeader(Reader& file, Header& header) {
    if (!isTag(file.take(TagBytes), MidiHeaderTag))
        return "it is not a MIDI file: it does not begin with MThd";
    Reader data(file.take(file.bigEndian(4)), ChunkHeaderBytes);
    header.format = data.bigEndian(2);
    data.bigEndian(2); // the track count; the chunks themselves are counted
    header.division = data.bigEndian(2);
    if (file.failed() || data.failed()) return "the header is cut short";
    if (header.format > HighestReadType)
        return "it is a MIDI file of type " + std::to_string(header.format) +
               "; vemo reads types 0 and 1";
    if (header.division == 0) return "the header gives no ticks per quarter note";
    return {};
}

// Every track chunk after the header into `ticks`; the reason a chunk can't be read otherwise.
std::string readTracks(Reader& file, TickSong& ticks) {
    std::int32_t trackCount = 0;
    while (!file.atEnd()) {
        if (file.left() < ChunkHeaderBytes) {
            // A few stray bytes after the last track are padding, not a damaged track.
            if (trackCount > 0) break;
            return "the file ends inside a chunk header" + at(file.offset());
        }
        const bool isTrack = isTag(file.take(TagBytes), TrackTag);
        const std::uint32_t length = file.bigEndian(4);
        const std::size_t start = file.offset();
        const auto chunk = file.take(length);
        if (file.failed())
            return (isTrack ? "track " + std::to_string(trackCount + 1) : "a chunk") +
                   " is cut short: " + file.reason();
        if (!isTrack) continue; // chunks of other kinds are skipped, as the format asks
        Reader track(chunk, start);
        if (!TrackReader(ticks, trackCount).read(track))
            return "track " + std::to_string(trackCount + 1) + " is damaged: " + track.reason();
        ++trackCount;
    }
    return trackCount == 0 ? "the file has no track" : std::string();
}

// The notes in time order, their ticks turned into milliseconds.
MidiSong songOf(TickSong ticks, const Header& header) {
    MidiSong song;
    song.format = static_cast<std::int32_t>(header.format);
    song.voices = std::move(ticks.voices);
    const TempoMap tempo(std::move(ticks.tempos), header.division);
    std::stable_sort(ticks.notes.begin(), ticks.notes.end(),
                     [](const TickNote& a, const TickNote& b) { return a.start < b.start; });
    song.firstQuarterMs = tempo.quarterMsAt(ticks.notes.empty() ? 0 : ticks.notes.front().start);
    song.notes.reserve(ticks.notes.size());
    for (const TickNote& note : ticks.notes)
        song.notes.push_back({note.voice, note.key, tempo.ms(note.start), tempo.ms(note.end)});
    return song;
}

} // namespace

MidiParse parseMidi(std::span<const std::uint8_t> bytes) {
    MidiParse result;
    if (bytes.size() > MaxMidiFileBytes) {
        result.reason = "the file is larger than " + std::to_string(MaxMidiFileBytes >> 20) +
                        " MB; no MIDI melody is that long";
        return result;
    }
    Reader file(bytes);
    Header header;
    TickSong ticks;
    result.reason = readHeader(file, header);
    if (result.reason.empty()) result.reason = readTracks(file, ticks);
    if (result.reason.empty()) result.song = songOf(std::move(ticks), header);
    return result;
}

} // namespace vemo
