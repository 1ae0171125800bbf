#include "platform/BeeperTimeline.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace vemo {
namespace {

constexpr std::int64_t Tolerance = 30;

// Keys of threads that are alive at the same time.
std::vector<ThreadKey> distinctThreadKeys(std::size_t count) {
    std::vector<ThreadKey> keys;
    for (std::size_t index = 0; index < count; ++index)
        std::thread([&keys] { keys.push_back(currentThreadKey()); }).join();
    return keys;
}

TEST(BeeperTimeline, ThreadsNeverShareAKeyEvenWhenTheirIdsAreReused) {
    const auto keys = distinctThreadKeys(50);
    for (std::size_t i = 0; i < keys.size(); ++i)
        for (std::size_t j = i + 1; j < keys.size(); ++j) EXPECT_NE(keys[i], keys[j]);
    EXPECT_EQ(currentThreadKey(), currentThreadKey());
}

TEST(BeeperTimeline, FirstEventOfAThreadStartsAtOnce) {
    BeeperTimeline timeline(Tolerance);
    EXPECT_EQ(timeline.place(currentThreadKey(), 1000, 50), 1000);
}

TEST(BeeperTimeline, EventsQueuedBeforeTheEndFollowWithoutGapOrDrift) {
    BeeperTimeline timeline(Tolerance);
    const auto self = currentThreadKey();
    std::int64_t expectedStart = timeline.place(self, 0, 0);
    const std::vector<std::int64_t> durations{7, 120, 1, 250, 33, 64};
    for (const std::int64_t duration : durations) {
        // The caller comes back a little before the end, as a blocking call returns early.
        const std::int64_t issuedAt = expectedStart - 3;
        EXPECT_EQ(timeline.place(self, issuedAt, duration), expectedStart);
        expectedStart += duration;
    }
}

TEST(BeeperTimeline, LateCallerWithinToleranceKeepsTheRhythm) {
    BeeperTimeline timeline(Tolerance);
    const auto self = currentThreadKey();
    timeline.place(self, 100, 40);
    EXPECT_EQ(timeline.place(self, 140 + Tolerance, 10), 140);
    EXPECT_EQ(timeline.place(self, 151, 10), 150);
}

TEST(BeeperTimeline, EventAfterAPauseStartsAtOnce) {
    BeeperTimeline timeline(Tolerance);
    const auto self = currentThreadKey();
    timeline.place(self, 100, 40);
    EXPECT_EQ(timeline.place(self, 140 + Tolerance + 1, 10), 171);
    EXPECT_EQ(timeline.place(self, 181, 5), 181);
}

TEST(BeeperTimeline, ThreadsKeepSeparateTimelines) {
    BeeperTimeline timeline(Tolerance);
    const auto ids = distinctThreadKeys(2);
    EXPECT_EQ(timeline.place(ids[0], 0, 1000), 0);
    EXPECT_EQ(timeline.place(ids[1], 10, 20), 10);
    EXPECT_EQ(timeline.place(ids[0], 990, 5), 1000);
    EXPECT_EQ(timeline.place(ids[1], 25, 5), 30);
}

TEST(BeeperTimeline, ForgetsFinishedThreadsButNotOnesThatCanStillJoin) {
    BeeperTimeline timeline(Tolerance);
    const auto ids = distinctThreadKeys(100);
    const auto longRunner = ids.front();
    timeline.place(longRunner, 0, 100000);
    for (std::size_t index = 1; index < ids.size(); ++index) {
        const auto issuedAt = static_cast<std::int64_t>(index) * 1000;
        timeline.place(ids[index], issuedAt, 1);
    }
    EXPECT_LT(timeline.threadCount(), ids.size() / 2);
    EXPECT_EQ(timeline.place(longRunner, 99990, 10), 100000);
}

} // namespace
} // namespace vemo
