#pragma once

#include "platform/sdl/AudioBeeper.h"

#include <chrono>
#include <future>

namespace vemo {

struct StoppedTone {
    std::int64_t requestSample = 0; // the audio clock when the stop was asked for
    bool hasPlayerReturned = false; // within a few seconds of the request
};

// A tied tone of a minute and a tone after it play under a stop flag on the audio beeper (open
// a DiskAudio first to record it); after delay the flag is set.
inline StoppedTone stopLongTone(std::chrono::milliseconds delay) {
    constexpr std::int32_t LongToneMs = 60000;
    constexpr std::int32_t TailRestMs = 100;
    StopFlag stop{0};
    StoppedTone result;
    auto beeper = makeAudioBeeper("vemo");
    auto player = std::async(std::launch::async, [&] {
        beeper->beep(440, LongToneMs, &stop);
        beeper->beep(880, LongToneMs, &stop);
        beeper->finish();
    });
    player.wait_for(delay);
    result.requestSample = producedSamples(*beeper);
    stop = 1;
    result.hasPlayerReturned =
        player.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    player.wait();
    beeper->rest(TailRestMs);
    return result;
}

} // namespace vemo
