#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace vemo {

// The running timeline of every thread that uses one beeper, on that beeper's clock counted in
// ticks (audio samples, or steady-clock nanoseconds). An event issued no later than
// joinToleranceTicks after the end of the same thread's previous event starts exactly at that
// end, so a melody played through blocking calls keeps its rhythm without gaps or drift; an
// event issued after a longer pause starts at once.
// Not synchronised: the owning beeper holds its lock around every call.
// A key of the calling thread that no later thread gets again. A std::thread::id may be
// reused by the next thread, which would then continue a finished thread's rhythm and start
// its first tone in the past.
using ThreadKey = std::uint64_t;
ThreadKey currentThreadKey();

class BeeperTimeline {
  public:
    explicit BeeperTimeline(std::int64_t joinToleranceTicks);

    // Places an event of durationTicks that thread issues at nowTicks; returns its start tick.
    std::int64_t place(ThreadKey thread, std::int64_t nowTicks, std::int64_t durationTicks);

    // Where an event the thread issues at nowTicks would start, without placing it.
    std::int64_t nextStart(ThreadKey thread, std::int64_t nowTicks) const {
        const auto found = endTicks_.find(thread);
        if (found != endTicks_.end() && nowTicks <= found->second + joinToleranceTicks_)
            return found->second;
        return nowTicks;
    }

    // A stopped thread's timeline ends at nowTicks at the latest, so finishing it waits no more.
    void cut(ThreadKey thread, std::int64_t nowTicks) {
        const auto found = endTicks_.find(thread);
        if (found != endTicks_.end() && found->second > nowTicks) found->second = nowTicks;
    }

    std::size_t threadCount() const { return endTicks_.size(); }

    // The end of the thread's last event; 0 when it has none.
    std::int64_t endOf(ThreadKey thread) const {
        const auto found = endTicks_.find(thread);
        return found == endTicks_.end() ? 0 : found->second;
    }

  private:
    void forgetIdleThreads(std::int64_t nowTicks);

    std::int64_t joinToleranceTicks_;
    std::unordered_map<ThreadKey, std::int64_t> endTicks_;
};

} // namespace vemo
