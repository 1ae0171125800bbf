#include "store/Journal.h"

#include "model/EditorState.h"
#include "model/Melody.h"

#include <array>
#include <cstring>
#include <optional>

namespace vemo {

namespace {

constexpr std::string_view Magic = "vemo journal\n";
// Far more than the widest melody's record; a length past it is damage, not a record.
constexpr std::uint32_t LongestPayload = 1u << 20;

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t value = i;
            for (int bit = 0; bit < 8; ++bit)
                value = (value & 1u) != 0 ? 0xEDB88320u ^ (value >> 1) : value >> 1;
            entries[i] = value;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes)
        crc = table[(crc ^ byte) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

class Out {
  public:
    template <typename Value> void put(Value value) {
        auto bits = static_cast<std::uint64_t>(value);
        for (std::size_t i = 0; i < sizeof(Value); ++i, bits >>= 8)
            bytes.push_back(static_cast<std::uint8_t>(bits & 0xFFu));
    }
    void text(const std::string& value) {
        put(static_cast<std::uint32_t>(value.size()));
        bytes.insert(bytes.end(), value.begin(), value.end());
    }
    std::vector<std::uint8_t> bytes;
};

// Reads little-endian values; once anything is missing every later read fails too.
class In {
  public:
    explicit In(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    template <typename Value> bool get(Value& value) {
        if (!ok_ || bytes_.size() - at_ < sizeof(Value)) return ok_ = false;
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < sizeof(Value); ++i)
            bits |= static_cast<std::uint64_t>(bytes_[at_ + i]) << (8 * i);
        at_ += sizeof(Value);
        value = static_cast<Value>(bits);
        return true;
    }
    bool text(std::string& value) {
        std::uint32_t size = 0;
        if (!get(size) || bytes_.size() - at_ < size) return ok_ = false;
        value.assign(reinterpret_cast<const char*>(bytes_.data() + at_), size);
        at_ += size;
        return true;
    }
    bool ok() const { return ok_; }
    bool atEnd() const { return at_ == bytes_.size(); }
    std::size_t left() const { return bytes_.size() - at_; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

void putFrame(Out& out, const MelodyFrame& frame) {
    for (const std::int32_t value :
         {frame.lastColumn, frame.smallBlock, frame.largeBlock, frame.columnDuration,
          frame.selectionFirst, frame.selectionLast})
        out.put(value);
    out.text(frame.fileName);
    out.text(frame.title);
}

bool getFrame(In& in, MelodyFrame& frame) {
    for (std::int32_t* value : {&frame.lastColumn, &frame.smallBlock, &frame.largeBlock,
                                &frame.columnDuration, &frame.selectionFirst, &frame.selectionLast})
        in.get(*value);
    in.text(frame.fileName);
    in.text(frame.title);
    return in.ok() && frame.lastColumn >= 0 && frame.lastColumn < MaxColumnCount;
}

// The record's payload, or nothing when it does not describe a change a melody can take.
std::optional<JournalRecord> recordOf(std::span<const std::uint8_t> payload) {
    In in(payload);
    JournalRecord record;
    MelodyChange& change = record.change;
    std::uint8_t isWhole = 0;
    std::uint32_t count = 0;
    in.get(record.timeMs);
    in.get(isWhole);
    in.text(change.name);
    in.get(change.lastRow);
    if (!getFrame(in, change.frame)) return std::nullopt;
    in.get(change.firstColumn);
    in.get(count);
    const std::int64_t end = std::int64_t{change.firstColumn} + count;
    if (!in.ok() || isWhole > 1 || change.firstColumn < 0 || end > change.frame.lastColumn + 1 ||
        in.left() != std::size_t{count} * 5)
        return std::nullopt;
    change.isWhole = isWhole == 1;
    if (change.isWhole && (change.firstColumn != 0 || end != change.frame.lastColumn + 1 ||
                           change.lastRow < 0 || change.lastRow > 127))
        return std::nullopt;
    change.notes.resize(count);
    change.marks.resize(count);
    for (ColumnNote& note : change.notes) {
        in.get(note.row);
        in.get(note.joinLeft);
        in.get(note.joinRight);
        if (note.row < -1 || note.joinLeft > 1 || note.joinRight > 1) return std::nullopt;
    }
    for (std::int8_t& mark : change.marks)
        in.get(mark);
    return record;
}

std::vector<std::uint8_t> framed(const std::vector<std::uint8_t>& payload) {
    Out out;
    out.put(static_cast<std::uint32_t>(payload.size()));
    out.put(crc32(payload));
    out.bytes.insert(out.bytes.end(), payload.begin(), payload.end());
    return out.bytes;
}

// The payload of the framed piece at the front of bytes, or nothing when it is torn or damaged.
std::optional<std::span<const std::uint8_t>> unframed(std::span<const std::uint8_t> bytes) {
    In in(bytes);
    std::uint32_t size = 0;
    std::uint32_t sum = 0;
    if (!in.get(size) || !in.get(sum) || size > LongestPayload || in.left() < size)
        return std::nullopt;
    const auto payload = bytes.subspan(8, size);
    if (crc32(payload) != sum) return std::nullopt;
    return payload;
}

bool fitsFrame(const MelodyFrame& frame) {
    return frame.columnDuration >= MinColumnDuration && frame.columnDuration <= MaxColumnDuration &&
           frame.smallBlock >= 1 && frame.smallBlock <= MaxColumnCount && frame.largeBlock >= 1 &&
           frame.largeBlock <= MaxColumnCount;
}

// A change of width holds every column, as the history makes it.
bool fits(const MelodyChange& change, std::int32_t lastColumn, std::int32_t lastRow) {
    const bool isNewWidth = change.frame.lastColumn != lastColumn;
    if (!fitsFrame(change.frame) ||
        (isNewWidth && (change.firstColumn != 0 ||
                        change.notes.size() != std::size_t(change.frame.lastColumn) + 1)))
        return false;
    for (const ColumnNote& note : change.notes)
        if (note.row > lastRow) return false;
    for (const std::int8_t mark : change.marks)
        if (mark < 0) return false;
    return true;
}

} // namespace

JournalReplay replayJournal(const std::vector<JournalRecord>& records, EditorState& state) {
    JournalReplay replay;
    std::size_t at = 0;
    while (at < records.size() && !records[at].change.isWhole)
        ++at;
    for (; at < records.size(); ++at) {
        const MelodyChange& change = records[at].change;
        const std::int32_t lastRow = change.isWhole ? change.lastRow : state.melody.lastRow;
        const std::int32_t lastColumn = change.isWhole ? -1 : state.melody.lastColumn;
        if (!fits(change, lastColumn, lastRow)) break;
        applyMelodyChange(state, change);
        ++replay.applied;
    }
    replay.refused = records.size() - at;
    return replay;
}

std::vector<std::uint8_t> encodeJournalHeader(const JournalHeader& header) {
    Out payload;
    payload.text(header.fileName);
    payload.put(header.fileSize);
    payload.put(header.fileModifiedNs);
    payload.put(header.fileHash);
    Out out;
    out.bytes.assign(Magic.begin(), Magic.end());
    out.put(header.version);
    const std::vector<std::uint8_t> body = framed(payload.bytes);
    out.bytes.insert(out.bytes.end(), body.begin(), body.end());
    return out.bytes;
}

std::vector<std::uint8_t> encodeJournalRecord(const JournalRecord& record) {
    const MelodyChange& change = record.change;
    Out out;
    out.put(record.timeMs);
    out.put(static_cast<std::uint8_t>(change.isWhole ? 1 : 0));
    out.text(change.name);
    out.put(change.lastRow);
    putFrame(out, change.frame);
    out.put(change.firstColumn);
    out.put(static_cast<std::uint32_t>(change.notes.size()));
    for (const ColumnNote& note : change.notes) {
        out.put(note.row);
        out.put(note.joinLeft);
        out.put(note.joinRight);
    }
    for (const std::int8_t mark : change.marks)
        out.put(mark);
    return framed(out.bytes);
}

JournalRead readJournal(std::span<const std::uint8_t> bytes) {
    JournalRead read;
    const std::size_t start = Magic.size() + 4;
    if (bytes.size() < start || std::memcmp(bytes.data(), Magic.data(), Magic.size()) != 0)
        return read;
    In version(bytes.subspan(Magic.size()));
    version.get(read.header.version);
    if (read.header.version != JournalVersion) {
        read.status = JournalStatus::OtherVersion;
        return read;
    }
    const auto headerPayload = unframed(bytes.subspan(start));
    if (!headerPayload) return read;
    In header(*headerPayload);
    header.text(read.header.fileName);
    header.get(read.header.fileSize);
    header.get(read.header.fileModifiedNs);
    header.get(read.header.fileHash);
    if (!header.ok() || !header.atEnd()) return read;
    read.status = JournalStatus::Read;

    std::size_t at = start + 8 + headerPayload->size();
    while (at < bytes.size()) {
        const auto payload = unframed(bytes.subspan(at));
        const auto record = payload ? recordOf(*payload) : std::nullopt;
        if (!record) break;
        read.records.push_back(*record);
        at += 8 + payload->size();
    }
    read.droppedBytes = bytes.size() - at;
    // What follows a damaged record is counted where its lengths still lead from one to the next.
    while (at < bytes.size()) {
        ++read.droppedRecords;
        In length(bytes.subspan(at));
        std::uint32_t size = 0;
        if (!length.get(size) || size > LongestPayload || bytes.size() - at < 8 + size) break;
        at += 8 + size;
    }
    return read;
}

std::uint64_t contentHash(std::span<const std::uint8_t> bytes) {
    std::uint64_t hash = 1469598103934665603ull;
    for (const std::uint8_t byte : bytes)
        hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

} // namespace vemo
