#pragma once

#include "platform/JournalFile.h"
#include "store/Journal.h"

#include <cstdint>
#include <optional>

namespace vemo {

// Writes every change to a journal as it is made. A record is handed to the kernel at once, so a
// killed editor loses nothing that was drawn; a sync follows at most SyncDelayMs after the first
// record it does not yet cover, however fast the changes come, so a power cut loses at most that.
// Past CompactBytes the journal is rewritten as one whole melody. After a failure it stops.
class JournalWriter {
  public:
    // Under a second: the editor looks at the deadline only between passes, 80 ms apart at most.
    static constexpr std::int64_t SyncDelayMs = 900;
    static constexpr std::size_t CompactBytes = 4u << 20;

    JournalWriter(JournalSink& sink, std::size_t compactBytes = CompactBytes);

    // A journal of the whole melody the change holds (a reset of the history).
    void begin(const JournalHeader& header, const MelodyChange& whole, std::int64_t nowMs);
    void add(const MelodyChange& change, std::int64_t nowMs);
    // Syncs when the deadline has come.
    void tick(std::int64_t nowMs);
    // When tick must next be called; none while everything is synced.
    std::optional<std::int64_t> syncDeadline() const { return deadline_; }
    // False once a write failed: recovery is off until the next begin.
    bool isWorking() const { return isWorking_; }
    std::size_t size() const { return size_; }

  private:
    void keep(const MelodyChange& change);

    JournalSink& sink_;
    std::size_t compactBytes_;
    JournalHeader header_;
    MelodyChange whole_; // the melody as the records so far leave it
    std::size_t size_ = 0;
    std::optional<std::int64_t> deadline_;
    bool isWorking_ = false;
};

} // namespace vemo
