// How well the audio beeper keeps a melody's rhythm: a fixed pseudo-random melody goes through
// SDL's disk driver at real-time pace, and every event's onset is located in the written
// samples and compared with the ideal back-to-back schedule.

#include "platform/ToneMixer.h"
#include "platform/sdl/AudioBeeper.h"
#include "tests/sdl/DiskAudio.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace vemo {
namespace {

constexpr int EventCount = 64;
constexpr std::int32_t ShortestMs = 1;
constexpr std::int32_t LongestMs = 250;
constexpr std::uint32_t MelodySeed = 20240607;
constexpr int RestOneIn = 4;
// Onsets are looked for this far around their ideal place.
constexpr std::int64_t SearchWindowSamples = 20 * SamplesPerMs;
// Keeps the output open until the last tone is written in full.
constexpr std::int32_t TailRestMs = 100;
constexpr std::int32_t PitchesHz[] = {220, 247, 262, 294, 330, 349, 392, 440,
                                      494, 523, 587, 659, 698, 784, 880, 988};

struct Event {
    std::int32_t frequencyHz; // 0 for a rest
    std::int32_t durationMs;
    std::int64_t lengthSamples() const { return durationMs * SamplesPerMs; }
};

// Starts and ends with a tone and never has two rests in a row, so that every onset shows.
std::vector<Event> makeMelody() {
    std::mt19937 random(MelodySeed);
    std::uniform_int_distribution<std::int32_t> duration(ShortestMs, LongestMs);
    std::uniform_int_distribution<int> restChance(1, RestOneIn);
    std::uniform_int_distribution<std::size_t> pitch(0, std::size(PitchesHz) - 1);
    std::vector<Event> melody;
    std::int32_t previousHz = 0;
    for (int index = 0; index < EventCount; ++index) {
        const bool canRest = index > 0 && index < EventCount - 1 && previousHz != 0;
        std::int32_t frequencyHz = 0;
        if (!canRest || restChance(random) != 1) {
            do {
                frequencyHz = PitchesHz[pitch(random)];
            } while (frequencyHz == previousHz);
        }
        melody.push_back(Event{frequencyHz, duration(random)});
        previousHz = frequencyHz;
    }
    return melody;
}

// Each event's own sound as the mixer makes it, from its start to the end of its tail; empty for
// a rest.
std::vector<std::vector<std::int16_t>> soundsOf(const std::vector<Event>& melody) {
    std::vector<std::vector<std::int16_t>> sounds;
    for (const Event& event : melody) {
        sounds.push_back(event.frequencyHz == 0
                             ? std::vector<std::int16_t>{}
                             : expectedSound({{event.frequencyHz, event.durationMs}}));
    }
    return sounds;
}

std::int32_t soundAt(const std::vector<std::int16_t>& sound, std::int64_t offset) {
    return offset >= 0 && offset < static_cast<std::int64_t>(sound.size())
               ? sound[static_cast<std::size_t>(offset)]
               : 0;
}

struct Measured {
    double largestOnsetErrorMs = 0;
    double endDriftMs = 0;
    int onsetsFound = 0;
};

// Finds each event where the previous event's sound gives way to its own. Both are modelled
// sample for sample, the overlap of a tail with the next onset included, so that a tone queued
// too late shows as a late onset.
Measured measure(const std::vector<Event>& melody, const std::vector<std::int16_t>& samples) {
    Measured result;
    const auto size = static_cast<std::int64_t>(samples.size());
    const auto sampleAt = [&](std::int64_t index) -> std::int32_t {
        return index >= 0 && index < size ? samples[static_cast<std::size_t>(index)] : 0;
    };
    const auto sounds = soundsOf(melody);
    const auto firstAudible = static_cast<std::int64_t>(firstSoundAt(samples));
    if (firstAudible == size) return result;

    std::int64_t idealStart = firstAudible - static_cast<std::int64_t>(firstSoundAt(sounds[0]));
    std::int64_t previousStart = idealStart;
    ++result.onsetsFound;
    for (std::size_t index = 1; index < melody.size(); ++index) {
        const auto& previous = sounds[index - 1];
        const auto& current = sounds[index];
        idealStart += melody[index - 1].lengthSamples();
        const std::int64_t from = std::max(previousStart + 1, idealStart - SearchWindowSamples);
        const std::int64_t to =
            idealStart + std::min(melody[index].lengthSamples(), SearchWindowSamples);
        std::int64_t bestStart = idealStart;
        std::int64_t fewestMisses = -1;
        for (std::int64_t start = from; start <= to; ++start) {
            std::int64_t misses = 0;
            for (std::int64_t sample = from; sample < to; ++sample) {
                const std::int32_t model =
                    soundAt(previous, sample - previousStart) + soundAt(current, sample - start);
                if (model != sampleAt(sample)) ++misses;
            }
            const bool isCloser = std::abs(start - idealStart) < std::abs(bestStart - idealStart);
            if (fewestMisses < 0 || misses < fewestMisses || (misses == fewestMisses && isCloser)) {
                fewestMisses = misses;
                bestStart = start;
            }
        }
        const double errorMs = static_cast<double>(std::abs(bestStart - idealStart)) / SamplesPerMs;
        result.largestOnsetErrorMs = std::max(result.largestOnsetErrorMs, errorMs);
        ++result.onsetsFound;
        previousStart = bestStart;
    }
    const auto end = static_cast<std::int64_t>(soundEnd(samples));
    const std::int64_t idealEnd = idealStart + static_cast<std::int64_t>(soundEnd(sounds.back()));
    result.endDriftMs = static_cast<double>(end - idealEnd) / SamplesPerMs;
    return result;
}

void BM_BeeperRhythmOnDiskDriver(benchmark::State& state) {
    const DiskAudio diskAudio("beeper-timing");
    const std::vector<Event> melody = makeMelody();

    Measured worst;
    for (auto _ : state) {
        {
            auto beeper = makeAudioBeeper("vemo");
            for (const Event& event : melody) {
                if (event.frequencyHz == 0) {
                    beeper->rest(event.durationMs);
                } else {
                    beeper->beep(event.frequencyHz, event.durationMs);
                }
            }
            beeper->rest(TailRestMs);
        }
        state.PauseTiming();
        const Measured measured = measure(melody, diskAudio.samples());
        worst.largestOnsetErrorMs =
            std::max(worst.largestOnsetErrorMs, measured.largestOnsetErrorMs);
        if (std::abs(measured.endDriftMs) >= std::abs(worst.endDriftMs)) {
            worst.endDriftMs = measured.endDriftMs;
        }
        worst.onsetsFound = measured.onsetsFound;
        state.ResumeTiming();
    }

    state.counters["largestOnsetErrorMs"] = worst.largestOnsetErrorMs;
    state.counters["endDriftMs"] = worst.endDriftMs;
    state.counters["onsetsFound"] = worst.onsetsFound;
    std::int64_t idealMs = 0;
    for (const Event& event : melody)
        idealMs += event.durationMs;
    state.counters["melodyMs"] = static_cast<double>(idealMs);
}

BENCHMARK(BM_BeeperRhythmOnDiskDriver)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vemo

BENCHMARK_MAIN();
