#include "platform/Beeper.h"
#include "platform/BeeperTimeline.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vemo {

namespace {

using SteadyClock = std::chrono::steady_clock;

// A caller that comes back this soon after its previous event's end continues that rhythm.
constexpr std::chrono::nanoseconds JoinTolerance = std::chrono::milliseconds(30);
constexpr std::chrono::milliseconds StopPoll(10);

// Keeps the audio beeper's timing on the steady clock: each thread's events follow one
// another on an absolute timeline, so a late wake-up never adds up to drift.
class SilentBeeper final : public Beeper {
  public:
    SilentBeeper() : timeline_(JoinTolerance.count()) {}

    ~SilentBeeper() override {
        std::unique_lock lock(mutex_);
        aborted_ = true;
        wakeUp_.notify_all();
        // A blocked caller still touches the lock and the condition on its way out.
        wakeUp_.wait(lock, [this] { return activeCalls_ == 0; });
    }

    void beep(std::int32_t /*frequencyHz*/, std::int32_t durationMs,
              const StopFlag* stop = nullptr) override {
        waitEvent(durationMs, stop);
    }

    void rest(std::int32_t durationMs, const StopFlag* stop = nullptr) override {
        waitEvent(durationMs, stop);
    }

    std::int64_t heardUs() override {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   SteadyClock::now().time_since_epoch())
            .count();
    }

    std::int64_t nextStartUs() override {
        std::lock_guard lock(mutex_);
        const std::int64_t now = SteadyClock::now().time_since_epoch().count();
        return timeline_.nextStart(currentThreadKey(), now) / 1000;
    }

    // Events here end exactly at their end: there is nothing left to sound out.
    void finish() override {}

    void abort() override {
        std::lock_guard lock(mutex_);
        aborted_ = true;
        wakeUp_.notify_all();
    }

  private:
    static bool isStopped(const StopFlag* stop) { return stop != nullptr && stop->load() != 0; }

    void waitEvent(std::int32_t durationMs, const StopFlag* stop) {
        if (durationMs <= 0) return;
        std::unique_lock lock(mutex_);
        if (aborted_ || isStopped(stop)) return;
        ++activeCalls_;

        const ThreadKey thread = currentThreadKey();
        const std::chrono::nanoseconds duration = std::chrono::milliseconds(durationMs);
        const std::chrono::nanoseconds now = SteadyClock::now().time_since_epoch();
        const std::chrono::nanoseconds start(
            timeline_.place(thread, now.count(), duration.count()));
        const SteadyClock::time_point end(start + duration);
        // Nobody signals a stop flag: it is looked at as often as an audio buffer would be.
        const auto isCut = [this, stop] { return aborted_ || isStopped(stop); };
        while (SteadyClock::now() < end &&
               !wakeUp_.wait_until(lock, std::min(end, SteadyClock::now() + StopPoll), isCut)) {
        }
        if (isStopped(stop)) timeline_.cut(thread, SteadyClock::now().time_since_epoch().count());

        --activeCalls_;
        if (activeCalls_ == 0) wakeUp_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable wakeUp_;
    BeeperTimeline timeline_;
    bool aborted_ = false;
    int activeCalls_ = 0;
};

} // namespace

std::unique_ptr<Beeper> makeSilentBeeper() {
    return std::make_unique<SilentBeeper>();
}

} // namespace vemo
