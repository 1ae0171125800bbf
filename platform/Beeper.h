#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

namespace vemo {

class Runtime;

// Ends the events issued under it: once any thread sets it non-zero, the sounding event falls
// silent within one audio buffer, its blocked call returns, and later calls under it return at
// once without a sound. A tied tone may last an hour; a stop must not wait for its end.
using StopFlag = std::atomic<std::int32_t>;

// One-voice beeper. beep and rest block until the event is over. Events issued back to back by
// one thread are placed end to end on the beeper's clock, so a melody keeps its rhythm; an event
// issued after a pause starts at once. Any thread may call; tones of different threads are mixed.
// A frequency of 0 or less sounds like a rest.
class Beeper {
  public:
    virtual ~Beeper() = default;
    virtual void beep(std::int32_t frequencyHz, std::int32_t durationMs,
                      const StopFlag* stop = nullptr) = 0;
    virtual void rest(std::int32_t durationMs, const StopFlag* stop = nullptr) = 0;
    // Blocks until the calling thread's last event has sounded out. beep and rest return a
    // little early so that the next event is queued in time; a thread that ends after its last
    // event calls this, so that it counts as running for as long as it is heard.
    virtual void finish() = 0;
    // Makes every blocked and later call return at once: used at the end of the program so
    // that no worker outlives it.
    virtual void abort() = 0;

    // The beeper's clock in microseconds. heardUs is the moment being heard now: the output's
    // queue is taken off what has been produced. nextStartUs is where an event the calling
    // thread issued now would start. Both are -1 for a beeper without a clock.
    virtual std::int64_t heardUs() { return -1; }
    virtual std::int64_t nextStartUs() { return -1; }
};

// Same timing as the audio beeper on the steady clock, without sound.
std::unique_ptr<Beeper> makeSilentBeeper();

} // namespace vemo
