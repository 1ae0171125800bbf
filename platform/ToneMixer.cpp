#include "platform/ToneMixer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace vemo {

namespace {

// A square wave switched at sample boundaries aliases badly on high notes. Instead every edge,
// the start and the end of a voice included, is a band-limited step placed at its exact
// fractional time: a Kaiser-windowed sinc, integrated into a step and tabulated at a fine phase
// step. The kernel is symmetric, so every edge keeps its exact shape and centre; that costs a
// constant delay of half its length, the same for every voice, so rhythm stays exact. A
// minimum-phase step would need no delay but smears each edge after its time.
constexpr std::int64_t HalfKernelSamples = ToneLatencySamples;
constexpr std::int64_t PhasesPerSample = 256;
constexpr std::int64_t StepTableSize = 2 * HalfKernelSamples * PhasesPerSample + 1;
// Harmonics up to about 19 kHz pass; from about 23 kHz on, what would fold back below the
// half-rate is more than 80 dB down.
constexpr double CutoffHz = 21000.0;
constexpr double KaiserBeta = 8.6;
// A square wave switches twice per cycle: edge k of a voice lies k * HalfRate / f samples in.
constexpr std::int64_t HalfRate = SampleRateHz / 2;

double besselI0(double x) {
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; term > 1e-15 * sum; ++k) {
        const double factor = x / (2.0 * k);
        term *= factor * factor;
        sum += term;
    }
    return sum;
}

double kernel(double offsetSamples) {
    const double cutoff = CutoffHz / SampleRateHz;
    const double x = std::numbers::pi * 2.0 * cutoff * offsetSamples;
    const double sinc = x == 0.0 ? 1.0 : std::sin(x) / x;
    const double ratio = offsetSamples / static_cast<double>(HalfKernelSamples);
    return sinc * besselI0(KaiserBeta * std::sqrt(std::max(0.0, 1.0 - ratio * ratio)));
}

// The band-limited unit step from HalfKernelSamples before its edge to as many after, integrated
// with Simpson's rule and scaled to end at exactly 1 so that steps leave no offset behind.
std::vector<float> makeStepTable() {
    std::vector<double> step(StepTableSize, 0.0);
    constexpr double Phase = 1.0 / PhasesPerSample;
    double sum = 0.0;
    for (std::size_t index = 1; index < step.size(); ++index) {
        const double from =
            -static_cast<double>(HalfKernelSamples) + static_cast<double>(index - 1) * Phase;
        sum +=
            Phase / 6.0 * (kernel(from) + 4.0 * kernel(from + Phase / 2.0) + kernel(from + Phase));
        step[index] = sum;
    }
    std::vector<float> table(step.size());
    for (std::size_t index = 0; index < step.size(); ++index)
        table[index] = static_cast<float>(step[index] / sum);
    return table;
}

const std::vector<float>& stepTable() {
    static const std::vector<float> table = makeStepTable();
    return table;
}

// The band-limited step at offsetSamples from its edge, for |offsetSamples| < HalfKernelSamples.
double smoothStep(const float* table, double offsetSamples) {
    const double position =
        (offsetSamples + static_cast<double>(HalfKernelSamples)) * PhasesPerSample;
    const auto index = std::min(static_cast<std::int64_t>(position), StepTableSize - 2);
    const double fraction = position - static_cast<double>(index);
    const auto at = static_cast<std::size_t>(index);
    return table[at] + fraction * (table[at + 1] - table[at]);
}

std::int64_t floorDiv(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t quotient = numerator / denominator;
    return quotient * denominator > numerator ? quotient - 1 : quotient;
}

// The sharp wave: +1 in even half periods, -1 in odd ones, counted in whole numbers from the
// voice's start so that the pitch stays exact however long the voice lasts.
double sharpSquare(std::int64_t halfPeriod) {
    return halfPeriod % 2 == 0 ? 1.0 : -1.0;
}

} // namespace

ToneMixer::ToneMixer() {
    // Built here rather than in the first audio callback, which must not stall.
    stepTable();
}

void ToneMixer::addVoice(std::int64_t startSample, std::int64_t endSample, std::int32_t frequencyHz,
                         const StopFlag* stop) {
    if (frequencyHz <= 0 || endSample <= startSample) return;
    voices_.push_back(Voice{startSample, endSample, frequencyHz, stop});
}

// The sharp wave plus, for every edge within half a kernel, the difference between its smooth
// step and its sharp one.
std::int32_t ToneMixer::voiceValue(const Voice& voice, std::int64_t sample) {
    const std::int64_t at = sample - voice.startSample - ToneLatencySamples;
    const std::int64_t length = voice.endSample - voice.startSample;
    if (at <= -HalfKernelSamples || at >= length + HalfKernelSamples) return 0;
    const float* table = stepTable().data();
    const std::int64_t frequencyHz = voice.frequencyHz;
    const double samplesPerUnit = 1.0 / static_cast<double>(frequencyHz);
    // An edge's offset is kept exact as a whole-number numerator over the frequency; its sign
    // says whether the sharp wave has already taken the step.
    const auto correction = [&](double height, std::int64_t numerator) {
        const double sharp = numerator >= 0 ? 1.0 : 0.0;
        const double offset = static_cast<double>(numerator) * samplesPerUnit;
        return height * (smoothStep(table, offset) - sharp);
    };

    double value = at >= 0 && at < length ? sharpSquare(at * frequencyHz / HalfRate) : 0.0;
    if (at < HalfKernelSamples) value += correction(1.0, at * frequencyHz);
    if (at > length - HalfKernelSamples) {
        const double last = sharpSquare((length * frequencyHz - 1) / HalfRate);
        value += correction(-last, (at - length) * frequencyHz);
    }
    // The edges inside the voice, those strictly between its start and its end. Edge k leaves
    // half period k - 1: odd edges fall, even ones rise.
    const std::int64_t firstEdge =
        std::max<std::int64_t>(1, floorDiv((at - HalfKernelSamples) * frequencyHz, HalfRate) + 1);
    const std::int64_t lastEdge =
        std::min(floorDiv((at + HalfKernelSamples) * frequencyHz - 1, HalfRate),
                 (length * frequencyHz - 1) / HalfRate);
    double height = firstEdge % 2 == 1 ? -2.0 : 2.0;
    std::int64_t numerator = at * frequencyHz - firstEdge * HalfRate;
    for (std::int64_t edge = firstEdge; edge <= lastEdge; ++edge) {
        value += correction(height, numerator);
        height = -height;
        numerator -= HalfRate;
    }
    return static_cast<std::int32_t>(std::lround(value * VoiceAmplitude));
}

void ToneMixer::mix(std::int16_t* samples, std::size_t sampleCount, std::int64_t firstSample) {
    constexpr std::int32_t Lowest = std::numeric_limits<std::int16_t>::min();
    constexpr std::int32_t Highest = std::numeric_limits<std::int16_t>::max();
    std::erase_if(voices_, [](const Voice& voice) {
        return voice.stop != nullptr && voice.stop->load(std::memory_order_relaxed) != 0;
    });
    for (std::size_t index = 0; index < sampleCount; ++index) {
        const std::int64_t sample = firstSample + static_cast<std::int64_t>(index);
        // Each voice is rounded on its own, so that voices add up exactly.
        std::int32_t sum = 0;
        for (const Voice& voice : voices_)
            sum += voiceValue(voice, sample);
        samples[index] = static_cast<std::int16_t>(std::clamp(sum, Lowest, Highest));
    }
    const std::int64_t nextSample = firstSample + static_cast<std::int64_t>(sampleCount);
    std::erase_if(voices_, [nextSample](const Voice& voice) {
        return voice.endSample + ToneTailSamples <= nextSample;
    });
}

} // namespace vemo
