#include "platform/Beeper.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

namespace vemo {
namespace {

using namespace std::chrono_literals;

// Long enough that a call which ignores abort would be noticed, far below the wait below.
constexpr std::int32_t LongToneMs = 30000;
constexpr auto ReturnWithin = 5s;

TEST(SilentBeeper, BlocksForTheWholeSequence) {
    auto beeper = makeSilentBeeper();
    constexpr int EventCount = 10;
    constexpr std::int32_t EventMs = 20;
    const auto begin = std::chrono::steady_clock::now();
    for (int index = 0; index < EventCount; ++index) {
        if (index % 2 == 0) {
            beeper->beep(440, EventMs);
        } else {
            beeper->rest(EventMs);
        }
    }
    const auto elapsed = std::chrono::steady_clock::now() - begin;
    EXPECT_GE(elapsed, std::chrono::milliseconds(EventCount * EventMs));
}

TEST(SilentBeeper, AbortReleasesABlockedCallAndEveryLaterOne) {
    auto beeper = makeSilentBeeper();
    auto blocked = std::async(std::launch::async, [&] { beeper->beep(440, LongToneMs); });
    EXPECT_EQ(blocked.wait_for(50ms), std::future_status::timeout);
    beeper->abort();
    EXPECT_EQ(blocked.wait_for(ReturnWithin), std::future_status::ready);

    auto later = std::async(std::launch::async, [&] {
        beeper->beep(440, LongToneMs);
        beeper->rest(LongToneMs);
    });
    EXPECT_EQ(later.wait_for(ReturnWithin), std::future_status::ready);
}

TEST(SilentBeeper, DestructionReleasesABlockedCaller) {
    auto beeper = makeSilentBeeper();
    Beeper* raw = beeper.get();
    std::promise<void> calling;
    auto blocked = std::async(std::launch::async, [raw, &calling] {
        calling.set_value();
        raw->rest(LongToneMs);
    });
    calling.get_future().wait();
    // Give the caller time to get inside the call before the beeper goes away.
    std::this_thread::sleep_for(100ms);
    beeper.reset();
    EXPECT_EQ(blocked.wait_for(ReturnWithin), std::future_status::ready);
}

} // namespace
} // namespace vemo
