#include "store/JournalWriter.h"

#include <algorithm>

namespace vemo {

JournalWriter::JournalWriter(JournalSink& sink, std::size_t compactBytes)
    : sink_(sink), compactBytes_(compactBytes) {}

void JournalWriter::begin(const JournalHeader& header, const MelodyChange& whole,
                          std::int64_t nowMs) {
    header_ = header;
    whole_ = whole;
    std::vector<std::uint8_t> bytes = encodeJournalHeader(header_);
    const std::vector<std::uint8_t> record = encodeJournalRecord({nowMs, whole_});
    bytes.insert(bytes.end(), record.begin(), record.end());
    isWorking_ = sink_.replace(bytes);
    size_ = bytes.size();
    deadline_.reset();
}

void JournalWriter::keep(const MelodyChange& change) {
    if (change.isWhole || change.frame.lastColumn != whole_.frame.lastColumn) {
        const std::int32_t lastRow = whole_.lastRow;
        whole_ = change;
        whole_.lastRow = change.isWhole ? change.lastRow : lastRow;
    } else {
        std::copy(change.notes.begin(), change.notes.end(),
                  whole_.notes.begin() + change.firstColumn);
        std::copy(change.marks.begin(), change.marks.end(),
                  whole_.marks.begin() + change.firstColumn);
        whole_.frame = change.frame;
    }
    whole_.name.clear();
    whole_.isWhole = true;
    whole_.firstColumn = 0;
}

void JournalWriter::add(const MelodyChange& change, std::int64_t nowMs) {
    if (!isWorking_) return;
    keep(change);
    if (size_ > compactBytes_) {
        begin(header_, whole_, nowMs);
        return;
    }
    const std::vector<std::uint8_t> record = encodeJournalRecord({nowMs, change});
    isWorking_ = sink_.append(record);
    size_ += record.size();
    if (!deadline_) deadline_ = nowMs + SyncDelayMs;
    tick(nowMs);
}

void JournalWriter::tick(std::int64_t nowMs) {
    if (!isWorking_ || !deadline_ || nowMs < *deadline_) return;
    isWorking_ = sink_.sync();
    deadline_.reset();
}

} // namespace vemo
