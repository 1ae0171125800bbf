#pragma once

#include "model/History.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vemo {

// A recovery journal: a header naming the melody's file as it was when the journal began, then
// one record a change. Each record carries its length and a checksum, so a record torn by a
// crash or damaged on disk ends the journal there instead of being misread.
constexpr std::uint32_t JournalVersion = 1;

struct JournalHeader {
    std::uint32_t version = JournalVersion;
    std::string fileName;       // empty for a melody never saved
    std::int64_t fileSize = -1; // the file as it was when the journal began; -1: none
    std::int64_t fileModifiedNs = 0;
    std::uint64_t fileHash = 0;

    friend bool operator==(const JournalHeader&, const JournalHeader&) = default;
};

struct JournalRecord {
    std::int64_t timeMs = 0; // when the change was made, since the epoch
    MelodyChange change;

    friend bool operator==(const JournalRecord&, const JournalRecord&) = default;
};

std::vector<std::uint8_t> encodeJournalHeader(const JournalHeader& header);
std::vector<std::uint8_t> encodeJournalRecord(const JournalRecord& record);

enum class JournalStatus {
    Read,         // the header and the longest run of whole records from the start
    NotAJournal,  // the file does not begin as a journal does, or its header is damaged
    OtherVersion, // a journal another version of vemo wrote: never misread
};

struct JournalRead {
    JournalStatus status = JournalStatus::NotAJournal;
    JournalHeader header;
    std::vector<JournalRecord> records;
    std::size_t droppedRecords = 0; // damaged or torn records after the last whole one
    std::size_t droppedBytes = 0;
};

// Never reads out of bounds, and allocates only what the bytes hold.
JournalRead readJournal(std::span<const std::uint8_t> bytes);

struct JournalReplay {
    std::size_t applied = 0; // records that rebuilt the melody, from the first whole one on
    std::size_t refused = 0; // records after them that do not fit the melody they reach
};

// Rebuilds the melody the records describe in state; nothing changes without a whole record.
// A record that does not fit the melody it reaches (a row or a column it does not have) ends
// the replay, so damage that passed the checksum still cannot reach past the grid.
JournalReplay replayJournal(const std::vector<JournalRecord>& records, EditorState& state);

// FNV-1a over the bytes: tells whether a file changed since a journal began.
std::uint64_t contentHash(std::span<const std::uint8_t> bytes);

} // namespace vemo
