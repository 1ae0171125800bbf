#include "convert/ZxBasic.h"

#include "convert/CodeDialects.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vemo {

namespace {

// BEEP's pitch 0, from which it counts equal-tempered semitones.
constexpr double MiddleCHz = 261.63;
constexpr std::int32_t LowestPitch = -60;
constexpr std::int32_t HighestPitch = 69;
constexpr std::int32_t LongestBeepMs = 10000;
// The ROM counts a BEEP's waves in 16 bits and stops with "integer out of range" past 65535;
// a little less leaves room for its own rounding of the pitch.
constexpr std::int64_t MostWaves = 65500;
// PAUSE counts the frames of a 50 Hz picture in 16 bits; PAUSE 0 waits for a key for ever.
constexpr std::int32_t FrameMs = 20;
constexpr std::int32_t LongestPause = 65535;
// BASIC numbers lines up to 9999: the grid's 4096 columns, with their long notes split, fit at
// a step of 1.
constexpr std::size_t LastLineNumber = 9999;

std::string pitchText(std::int32_t frequency) {
    const double semitones = 12.0 * std::log2(std::max(frequency, 1) / MiddleCHz);
    return decimalText(std::llround(semitones * 100.0), 2);
}

std::int32_t longestBeepMs(std::int32_t frequency) {
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(LongestBeepMs, MostWaves * 1000 / std::max(frequency, 1)));
}

std::int32_t framesOf(std::int32_t durationMs) {
    return (durationMs + FrameMs / 2) / FrameMs;
}

std::vector<std::string> statements(const ToneList& tones) {
    std::vector<std::string> lines;
    for (const ToneEvent& event : joinedRests(tones)) {
        if (event.isRest != 0) {
            for (std::int32_t frames = framesOf(event.duration); frames > 0; frames -= LongestPause)
                lines.push_back("PAUSE " + std::to_string(std::min(frames, LongestPause)));
            continue;
        }
        const std::int32_t longestMs = longestBeepMs(event.frequency);
        const std::string pitch = pitchText(event.frequency);
        for (std::int32_t doneMs = 0; doneMs < event.duration; doneMs += longestMs)
            lines.push_back("BEEP " + decimalText(std::min(event.duration - doneMs, longestMs), 3) +
                            "," + pitch);
    }
    return lines;
}

// How many tones `measure` finds wrong (by a positive amount), the first one's column and the
// largest amount. Runs of rests count as one, as they are written.
struct Tally {
    std::int32_t count = 0;
    std::int32_t firstColumn = -1;
    std::int32_t largest = 0;
};

template <typename Measure> Tally tally(const TargetInput& input, Measure measure) {
    TargetInput joined = input;
    joined.tones = joinedRests(input.tones);
    const std::vector<std::int32_t> columns = toneColumns(joined);
    Tally found;
    for (std::size_t i = 0; i < joined.tones.size(); ++i) {
        const std::int32_t amount = measure(joined.tones[i]);
        if (amount <= 0) continue;
        if (found.count++ == 0) found.firstColumn = columns[i];
        found.largest = std::max(found.largest, amount);
    }
    return found;
}

std::string firstAt(const Tally& found) {
    return ", the first at column " + std::to_string(found.firstColumn);
}

} // namespace

std::vector<std::string> zxText(const TargetInput& input) {
    std::vector<std::string> lines = statements(input.tones);
    const std::size_t step = lines.size() * 10 <= LastLineNumber ? 10 : 1;
    for (std::size_t i = 0; i < lines.size(); ++i)
        lines[i] = std::to_string((i + 1) * step) + " " + lines[i];
    return lines;
}

std::vector<TargetProblem> zxCheck(const TargetInput& input) {
    std::vector<TargetProblem> problems;
    const HzRange pitches{MiddleCHz * std::exp2(LowestPitch / 12.0),
                          MiddleCHz * std::exp2(HighestPitch / 12.0)};
    if (auto outside = notesOutside(input, pitches, "ZX Spectrum BEEP", "pitches -60 to 69",
                                    "pitch -60 (8.2 Hz)", "pitch 69 (14080 Hz)"))
        problems.push_back(*outside);

    const Tally rests = tally(input, [](const ToneEvent& event) {
        return event.isRest != 0 ? std::abs(framesOf(event.duration) * FrameMs - event.duration)
                                 : 0;
    });
    if (rests.count > 0)
        problems.push_back(
            {"ZX Spectrum PAUSE counts 20 ms frames: " + countedAre(rests.count, "rest") +
                 " not a whole number of frames, off by up to " + std::to_string(rests.largest) +
                 " ms" + firstAt(rests),
             std::nullopt});

    const Tally longNotes = tally(input, [](const ToneEvent& event) {
        return event.isRest == 0 && event.duration > longestBeepMs(event.frequency) ? 1 : 0;
    });
    if (longNotes.count > 0)
        problems.push_back({"ZX Spectrum BEEP lasts at most 10 seconds and 65535 waves: " +
                                countedAre(longNotes.count, "note") +
                                " longer and played as several BEEPs" + firstAt(longNotes),
                            std::nullopt});
    return problems;
}

} // namespace vemo
