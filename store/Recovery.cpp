#include "store/Recovery.h"

#include "platform/JournalFolder.h"

#include <ctime>

namespace vemo {

namespace {

// Journals are small; one far past the compaction limit is not one vemo wrote.
constexpr std::size_t LargestJournal = 64u << 20;

bool hasChangedSince(const JournalHeader& header) {
    if (header.fileName.empty()) return false;
    const auto stamp = fileStamp(header.fileName);
    if (!stamp) return header.fileSize >= 0;
    if (stamp->size == header.fileSize && stamp->modifiedNs == header.fileModifiedNs) return false;
    const FileBytes now = readFileBytes(header.fileName, LargestJournal);
    return !now || contentHash(now.bytes) != header.fileHash;
}

std::string localTime(std::int64_t ms) {
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm parts{};
    ::localtime_r(&seconds, &parts);
    char text[32] = {};
    std::strftime(text, sizeof(text), "%H:%M:%S on %Y-%m-%d", &parts);
    return text;
}

} // namespace

Recovery recoverJournal(const std::string& path, EditorState& state) {
    Recovery recovery;
    const FileBytes file = readFileBytes(path, LargestJournal);
    if (!file) {
        recovery.reason = file.outcome.reason;
        return recovery;
    }
    const JournalRead read = readJournal(file.bytes);
    recovery.header = read.header;
    if (read.status == JournalStatus::OtherVersion) {
        recovery.reason = "it was written by another version of vemo (journal version " +
                          std::to_string(read.header.version) + ")";
        return recovery;
    }
    if (read.status != JournalStatus::Read) {
        recovery.reason = "it is not a vemo journal, or its start is damaged";
        return recovery;
    }
    const JournalReplay replay = replayJournal(read.records, state);
    recovery.hasMelody = replay.applied > 0;
    if (!recovery.hasMelody) recovery.reason = "it holds no melody";
    recovery.changes = replay.applied > 0 ? replay.applied - 1 : 0;
    recovery.dropped = read.droppedRecords + replay.refused;
    if (replay.applied > 0) recovery.lastChangeMs = read.records[replay.applied - 1].timeMs;
    recovery.hasFileChanged = hasChangedSince(read.header);
    recovery.records.assign(read.records.begin(),
                            read.records.end() - static_cast<std::ptrdiff_t>(replay.refused));
    return recovery;
}

std::string recoveryText(const Recovery& recovery) {
    const JournalHeader& header = recovery.header;
    std::string text = header.fileName.empty() ? "a new melody" : "'" + header.fileName + "'";
    text += ", " + std::to_string(recovery.changes) +
            (recovery.changes == 1 ? " change" : " changes") + ", the last at " +
            localTime(recovery.lastChangeMs);
    if (recovery.dropped > 0)
        text += "\r\n" + std::to_string(recovery.dropped) +
                (recovery.dropped == 1 ? " damaged record was" : " damaged records were") +
                " left out: the changes before them are all there";
    if (recovery.hasFileChanged)
        text += "\r\nthe file has changed on disk since these changes began";
    return text;
}

} // namespace vemo
