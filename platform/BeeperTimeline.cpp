#include "platform/BeeperTimeline.h"

#include <atomic>
#include <iterator>

namespace vemo {

namespace {

// Preview threads come and go, one per note set with the mouse; past this many timelines the
// ones that can no longer be joined are dropped so the table stays small.
constexpr std::size_t IdleTimelineLimit = 16;

} // namespace

ThreadKey currentThreadKey() {
    static std::atomic<ThreadKey> nextKey{1};
    thread_local const ThreadKey key = nextKey.fetch_add(1);
    return key;
}

BeeperTimeline::BeeperTimeline(std::int64_t joinToleranceTicks)
    : joinToleranceTicks_(joinToleranceTicks) {}

std::int64_t BeeperTimeline::place(ThreadKey thread, std::int64_t nowTicks,
                                   std::int64_t durationTicks) {
    if (endTicks_.size() >= IdleTimelineLimit) forgetIdleThreads(nowTicks);

    const std::int64_t startTicks = nextStart(thread, nowTicks);
    endTicks_[thread] = startTicks + durationTicks;
    return startTicks;
}

void BeeperTimeline::forgetIdleThreads(std::int64_t nowTicks) {
    for (auto entry = endTicks_.begin(); entry != endTicks_.end();) {
        if (entry->second + joinToleranceTicks_ < nowTicks) {
            entry = endTicks_.erase(entry);
        } else {
            entry = std::next(entry);
        }
    }
}

} // namespace vemo
