#include "platform/sdl/AudioBeeper.h"

#include "platform/BeeperTimeline.h"
#include "platform/ToneMixer.h"

#include <SDL.h>

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>

namespace vemo {

namespace {

constexpr std::uint8_t MonoChannels = 1;
// About 11 ms: a preview starts quickly, yet the callback does not run too often.
constexpr Uint16 BufferSamples = 512;
// A blocking call returns this many buffers before its event ends, so that the caller's next
// event is queued before the callback reaches that end.
constexpr std::int64_t ReturnEarlyBuffers = 2;
// A caller that comes back this soon after its previous event's end continues that rhythm.
constexpr std::int64_t JoinToleranceMs = 30;
// If the device stops asking for samples, a blocked call still returns this long after its
// event should have ended.
constexpr std::chrono::milliseconds StallMargin(500);

// libasound writes every failed probe of a missing sound card to standard error, eight lines
// before the program can say in one that sound is off. Its error handler is a silent one while
// the output is opened. The library is found at run time, as SDL finds it: a system without it
// has nothing to silence.
class QuietAlsa {
  public:
    QuietAlsa() {
        library_ = ::dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
        if (!library_) return;
        setHandler_ = reinterpret_cast<SetHandler>(::dlsym(library_, "snd_lib_error_set_handler"));
        if (setHandler_) setHandler_(&silent);
    }
    ~QuietAlsa() {
        if (setHandler_) setHandler_(nullptr); // the library's own handler again
        if (library_) ::dlclose(library_);
    }
    QuietAlsa(const QuietAlsa&) = delete;
    QuietAlsa& operator=(const QuietAlsa&) = delete;

  private:
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    static void silent(const char*, int, const char*, int, const char*, ...) {}

    void* library_ = nullptr;
    SetHandler setHandler_ = nullptr;
};

class AudioBeeper final : public Beeper {
  public:
    AudioBeeper() : timeline_(JoinToleranceMs * SamplesPerMs) {}

    AudioBeeper(const AudioBeeper&) = delete;
    AudioBeeper& operator=(const AudioBeeper&) = delete;

    ~AudioBeeper() override {
        {
            std::unique_lock lock(mutex_);
            aborted_ = true;
            progress_.notify_all();
            // A blocked caller still touches the lock and the condition on its way out.
            progress_.wait(lock, [this] { return activeCalls_ == 0; });
        }
        if (device_ != 0) SDL_CloseAudioDevice(device_);
        if (isAudioInitialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    // Returns an empty text on success, else SDL's reason.
    std::string open() {
        const QuietAlsa quiet;
        // SDL's own SIGINT/SIGTERM handlers only queue an event nobody reads: the program
        // would ignore kill. The programs handle signals themselves.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_Init(SDL_INIT_AUDIO) != 0) return SDL_GetError();
        isAudioInitialised_ = true;

        SDL_AudioSpec wanted{};
        wanted.freq = SampleRateHz;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = MonoChannels;
        wanted.samples = BufferSamples;
        wanted.callback = &AudioBeeper::fill;
        wanted.userdata = this;
        SDL_AudioSpec obtained{};
        // No changes allowed: SDL converts for the device, so the clock is exactly 48 kHz.
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (device_ == 0) return SDL_GetError();

        returnEarlySamples_ = ReturnEarlyBuffers * obtained.samples;
        bufferSamples_ = obtained.samples;
        SDL_PauseAudioDevice(device_, 0);
        return {};
    }

    void beep(std::int32_t frequencyHz, std::int32_t durationMs,
              const StopFlag* stop = nullptr) override {
        play(frequencyHz, durationMs, stop);
    }

    void rest(std::int32_t durationMs, const StopFlag* stop = nullptr) override {
        play(0, durationMs, stop);
    }

    void finish() override {
        std::unique_lock lock(mutex_);
        if (aborted_) return;
        ++activeCalls_;
        waitForSample(lock, timeline_.endOf(currentThreadKey()));
        --activeCalls_;
        if (activeCalls_ == 0) progress_.notify_all();
    }

    // The callback fills the buffer after the one being played, so what is heard lies one
    // buffer behind what was produced, and the mixer's own delay behind that; between
    // callbacks it moves on with the steady clock.
    std::int64_t heardUs() override {
        std::lock_guard lock(mutex_);
        const auto sinceFillUs = std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now() - lastFillTime_)
                                     .count();
        const std::int64_t heardSamples = std::clamp<std::int64_t>(
            playedSamples_ - bufferSamples_ + sinceFillUs * SamplesPerMs / 1000, 0, playedSamples_);
        return (heardSamples - ToneLatencySamples) * 1000 / SamplesPerMs;
    }

    std::int64_t nextStartUs() override {
        std::lock_guard lock(mutex_);
        return timeline_.nextStart(currentThreadKey(), playedSamples_) * 1000 / SamplesPerMs;
    }

    std::int64_t producedSamples() {
        std::lock_guard lock(mutex_);
        return playedSamples_;
    }

    void abort() override {
        std::lock_guard lock(mutex_);
        aborted_ = true;
        mixer_.clear();
        progress_.notify_all();
    }

  private:
    static void SDLCALL fill(void* userdata, Uint8* stream, int byteCount) {
        auto* beeper = static_cast<AudioBeeper*>(userdata);
        const std::size_t sampleCount = static_cast<std::size_t>(byteCount) / sizeof(std::int16_t);
        {
            std::lock_guard lock(beeper->mutex_);
            beeper->mixer_.mix(reinterpret_cast<std::int16_t*>(stream), sampleCount,
                               beeper->playedSamples_);
            beeper->playedSamples_ += static_cast<std::int64_t>(sampleCount);
            beeper->lastFillTime_ = std::chrono::steady_clock::now();
        }
        beeper->progress_.notify_all();
    }

    static bool isStopped(const StopFlag* stop) { return stop != nullptr && stop->load() != 0; }

    // A frequency of 0 is a rest: the timeline advances in silence.
    void play(std::int32_t frequencyHz, std::int32_t durationMs, const StopFlag* stop) {
        if (durationMs <= 0) return;
        std::unique_lock lock(mutex_);
        if (aborted_) return;
        const ThreadKey thread = currentThreadKey();
        if (!isStopped(stop)) {
            ++activeCalls_;
            const std::int64_t durationSamples = durationMs * SamplesPerMs;
            const std::int64_t startSample =
                timeline_.place(thread, playedSamples_, durationSamples);
            const std::int64_t endSample = startSample + durationSamples;
            mixer_.addVoice(startSample, endSample, frequencyHz, stop);
            waitForSample(lock, endSample - returnEarlySamples_, stop);
            --activeCalls_;
            if (activeCalls_ == 0) progress_.notify_all();
        }
        // The mixer has dropped the stopped voices; nothing of this thread is left to hear.
        if (isStopped(stop)) timeline_.cut(thread, playedSamples_);
    }

    // Waits until the callback has produced the sample, or the beeper is aborted, or the stop
    // flag is set (seen at the next buffer), or the device has stalled past the margin.
    void waitForSample(std::unique_lock<std::mutex>& lock, std::int64_t sample,
                       const StopFlag* stop = nullptr) {
        const std::chrono::milliseconds expectedWait(
            std::max<std::int64_t>(0, sample - playedSamples_) / SamplesPerMs);
        const auto deadline = std::chrono::steady_clock::now() + expectedWait + StallMargin;
        progress_.wait_until(lock, deadline, [this, sample, stop] {
            return aborted_ || playedSamples_ >= sample || isStopped(stop);
        });
    }

    std::mutex mutex_;
    std::condition_variable progress_;
    ToneMixer mixer_;
    BeeperTimeline timeline_;
    // The audio clock: how many samples the callback has produced so far.
    std::int64_t playedSamples_ = 0;
    std::int64_t returnEarlySamples_ = 0;
    std::int64_t bufferSamples_ = 0;
    std::chrono::steady_clock::time_point lastFillTime_ = std::chrono::steady_clock::now();
    SDL_AudioDeviceID device_ = 0;
    bool isAudioInitialised_ = false;
    bool aborted_ = false;
    int activeCalls_ = 0;
};

} // namespace

std::int64_t producedSamples(Beeper& beeper) {
    auto* audio = dynamic_cast<AudioBeeper*>(&beeper);
    return audio != nullptr ? audio->producedSamples() : -1;
}

std::unique_ptr<Beeper> makeAudioBeeper(const std::string& programName) {
    auto beeper = std::make_unique<AudioBeeper>();
    const std::string failure = beeper->open();
    if (failure.empty()) return beeper;

    beeper.reset();
    std::fprintf(stderr, "%s: no audio output (%s), sound is off\n", programName.c_str(),
                 failure.c_str());
    return makeSilentBeeper();
}

} // namespace vemo
