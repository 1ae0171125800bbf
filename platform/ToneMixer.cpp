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
constexpr std::int64_t KernelTaps = 2 * HalfKernelSamples;
constexpr std::int64_t PhasesPerSample = 256;
constexpr std::int64_t StepTableSize = KernelTaps * PhasesPerSample + 1;
// Harmonics up to about 19 kHz pass; from about 23 kHz on, what would fold back below the
// half-rate is more than 80 dB down.
constexpr double CutoffHz = 21000.0;
constexpr double KaiserBeta = 8.6;
// Pitches are whole thousandths of a hertz and a square wave switches twice per cycle: edge k
// of a voice lies exactly k * HalfRate / milliHz samples in.
constexpr std::int64_t HalfRate = SampleRateHz / 2 * MilliHzPerHz;
// Samples mixed at a time: the scratch room stays small enough for the cache.
constexpr std::size_t StretchSamples = 1024;

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

// What the mixer adds around an edge so that a hard square becomes band-limited: the smooth
// step minus the hard one, for the KernelTaps samples from HalfKernelSamples before the first
// sample on or after the edge, in a voice's amplitude. Row p is for an edge p / PhasesPerSample
// of a sample before that sample; an edge between two rows takes a blend of both.
std::vector<float> makeResidualTable() {
    const std::vector<float>& step = stepTable();
    std::vector<float> table(static_cast<std::size_t>((PhasesPerSample + 1) * KernelTaps));
    for (std::int64_t phase = 0; phase <= PhasesPerSample; ++phase) {
        for (std::int64_t tap = 0; tap < KernelTaps; ++tap) {
            const double hard = tap >= HalfKernelSamples ? 1.0 : 0.0;
            const double smooth = step[static_cast<std::size_t>(tap * PhasesPerSample + phase)];
            table[static_cast<std::size_t>(phase * KernelTaps + tap)] =
                static_cast<float>((smooth - hard) * VoiceAmplitude);
        }
    }
    return table;
}

const std::vector<float>& residualTable() {
    static const std::vector<float> table = makeResidualTable();
    return table;
}

std::int64_t floorDiv(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t quotient = numerator / denominator;
    return quotient * denominator > numerator ? quotient - 1 : quotient;
}

std::int64_t ceilDiv(std::int64_t numerator, std::int64_t denominator) {
    return -floorDiv(-numerator, denominator);
}

// Samples of one voice from sample `from` (counted from its first edge) up to `to`.
struct Stretch {
    float* samples;
    const float* residuals;
    std::int64_t from;
    std::int64_t to;
};

// A voice's edges in order, each as its first hard sample and how far before that sample it
// lies, in 1 / milliHz of a sample. Stepping on needs no division, which would cost more than
// the kernel.
class EdgeWalk {
  public:
    EdgeWalk(std::int64_t edge, std::int64_t milliHz)
        : edge_(edge), milliHz_(milliHz), samplesPerEdge_(HalfRate / milliHz),
          remainder_(HalfRate % milliHz), atOrAfter_(ceilDiv(edge * HalfRate, milliHz)),
          before_(atOrAfter_ * milliHz - edge * HalfRate) {}

    std::int64_t edge() const { return edge_; }
    std::int64_t atOrAfter() const { return atOrAfter_; }
    std::int64_t before() const { return before_; }

    void next() {
        ++edge_;
        atOrAfter_ += samplesPerEdge_;
        before_ -= remainder_;
        if (before_ < 0) {
            before_ += milliHz_;
            ++atOrAfter_;
        }
    }

  private:
    std::int64_t edge_;
    std::int64_t milliHz_;
    std::int64_t samplesPerEdge_;
    std::int64_t remainder_;
    std::int64_t atOrAfter_;
    std::int64_t before_;
};

// The hard square wave: +1 in even half periods, -1 in odd ones, counted in whole numbers from
// the voice's start so that the pitch stays exact however long the voice lasts.
void putHardSquare(const Stretch& out, std::int64_t length, std::int64_t milliHz) {
    // Silence before the start and after the end, within the kernel's reach.
    std::int64_t at = std::clamp<std::int64_t>(0, out.from, out.to);
    const std::int64_t end = std::clamp(length, at, out.to);
    std::fill(out.samples, out.samples + (at - out.from), 0.0f);
    std::fill(out.samples + (end - out.from), out.samples + (out.to - out.from), 0.0f);
    if (at >= end) return;
    EdgeWalk walk(at * milliHz / HalfRate + 1, milliHz);
    float level = walk.edge() % 2 == 1 ? VoiceAmplitude : -VoiceAmplitude;
    while (at < end) {
        const std::int64_t next = std::min(end, walk.atOrAfter());
        std::fill(out.samples + (at - out.from), out.samples + (next - out.from), level);
        at = next;
        level = -level;
        walk.next();
    }
}

// Adds an edge of the given height (in amplitudes) whose first hard sample is atOrAfter and
// which lies before / milliHz of a sample before it; phasesPerUnit is PhasesPerSample / milliHz.
// Every edge is added in the same order whatever the stretch, so that the wave does not depend
// on how it is cut into buffers.
void addEdge(const Stretch& out, std::int64_t atOrAfter, std::int64_t before, double phasesPerUnit,
             float height) {
    const std::int64_t windowStart = atOrAfter - HalfKernelSamples;
    const std::int64_t from = std::max(windowStart, out.from);
    const std::int64_t to = std::min(windowStart + KernelTaps, out.to);
    if (from >= to) return;
    // before < milliHz, so the phase stays below PhasesPerSample.
    const double position = static_cast<double>(before) * phasesPerUnit;
    const auto phase = static_cast<std::int64_t>(position);
    const auto weight = static_cast<float>(position - static_cast<double>(phase));
    const float lowerShare = height * (1.0f - weight);
    const float upperShare = height * weight;
    const float* lower = out.residuals + phase * KernelTaps + (from - windowStart);
    const float* upper = lower + KernelTaps;
    float* samples = out.samples + (from - out.from);
    const std::int64_t count = to - from;
    for (std::int64_t tap = 0; tap < count; ++tap)
        samples[tap] += lowerShare * lower[tap] + upperShare * upper[tap];
}

// Every edge that reaches the stretch: the start, the edges strictly inside the voice (edge k
// leaves half period k - 1: odd edges fall, even ones rise) and the end.
void addEdges(const Stretch& out, std::int64_t length, std::int64_t milliHz) {
    const double phasesPerUnit =
        static_cast<double>(PhasesPerSample) / static_cast<double>(milliHz);
    addEdge(out, 0, 0, phasesPerUnit, 1.0f);
    const std::int64_t lastInside = (length * milliHz - 1) / HalfRate;
    const std::int64_t firstEdge =
        std::max<std::int64_t>(1, floorDiv((out.from - HalfKernelSamples) * milliHz, HalfRate) + 1);
    const std::int64_t lastEdge =
        std::min(floorDiv((out.to + HalfKernelSamples - 1) * milliHz, HalfRate), lastInside);
    for (EdgeWalk walk(firstEdge, milliHz); walk.edge() <= lastEdge; walk.next())
        addEdge(out, walk.atOrAfter(), walk.before(), phasesPerUnit,
                walk.edge() % 2 == 1 ? -2.0f : 2.0f);
    addEdge(out, length, 0, phasesPerUnit, lastInside % 2 == 0 ? -1.0f : 1.0f);
}

} // namespace

double bandLimitedStep(double offsetSamples) {
    const auto half = static_cast<double>(HalfKernelSamples);
    if (offsetSamples <= -half) return 0.0;
    if (offsetSamples >= half) return 1.0;
    const float* table = stepTable().data();
    const double position = (offsetSamples + half) * PhasesPerSample;
    const auto index = std::min(static_cast<std::int64_t>(position), StepTableSize - 2);
    const double fraction = position - static_cast<double>(index);
    const auto at = static_cast<std::size_t>(index);
    return table[at] + fraction * (table[at + 1] - table[at]);
}

ToneMixer::ToneMixer() : voiceSamples_(StretchSamples), sums_(StretchSamples) {
    // Built here rather than in the first audio callback, which must not stall.
    residualTable();
}

void ToneMixer::addVoice(std::int64_t startSample, std::int64_t endSample, std::int32_t frequencyHz,
                         const StopFlag* stop) {
    addVoiceMilliHz(startSample, endSample, std::int64_t{frequencyHz} * MilliHzPerHz, stop);
}

void ToneMixer::addVoiceMilliHz(std::int64_t startSample, std::int64_t endSample,
                                std::int64_t milliHz, const StopFlag* stop) {
    if (milliHz <= 0 || endSample <= startSample) return;
    voices_.push_back(Voice{startSample, endSample, milliHz, stop});
}

// The hard wave plus, around every edge, the difference between its smooth step and its hard
// one: the kernel runs only near edges.
void ToneMixer::addVoiceTo(const Voice& voice, std::int64_t firstSample, std::size_t count) {
    const std::int64_t first = firstSample - voice.startSample - ToneLatencySamples;
    const std::int64_t length = voice.endSample - voice.startSample;
    const Stretch out{
        voiceSamples_.data(), residualTable().data(), std::max(first, 1 - HalfKernelSamples),
        std::min(first + static_cast<std::int64_t>(count), length + HalfKernelSamples)};
    if (out.from >= out.to) return;
    const auto size = static_cast<std::size_t>(out.to - out.from);
    putHardSquare(out, length, voice.milliHz);
    addEdges(out, length, voice.milliHz);
    // Each voice is rounded on its own, half away from zero, so that voices add up exactly.
    std::int32_t* sums = sums_.data() + (out.from - first);
    for (std::size_t index = 0; index < size; ++index) {
        const float value = out.samples[index];
        sums[index] += static_cast<std::int32_t>(value + (value < 0.0f ? -0.5f : 0.5f));
    }
}

void ToneMixer::mix(std::int16_t* samples, std::size_t sampleCount, std::int64_t firstSample) {
    constexpr std::int32_t Lowest = std::numeric_limits<std::int16_t>::min();
    constexpr std::int32_t Highest = std::numeric_limits<std::int16_t>::max();
    std::erase_if(voices_, [](const Voice& voice) {
        return voice.stop != nullptr && voice.stop->load(std::memory_order_relaxed) != 0;
    });
    for (std::size_t done = 0; done < sampleCount; done += StretchSamples) {
        const std::size_t count = std::min(StretchSamples, sampleCount - done);
        std::fill_n(sums_.data(), count, 0);
        for (const Voice& voice : voices_)
            addVoiceTo(voice, firstSample + static_cast<std::int64_t>(done), count);
        for (std::size_t index = 0; index < count; ++index)
            samples[done + index] =
                static_cast<std::int16_t>(std::clamp(sums_[index], Lowest, Highest));
    }
    const std::int64_t nextSample = firstSample + static_cast<std::int64_t>(sampleCount);
    std::erase_if(voices_, [nextSample](const Voice& voice) {
        return voice.endSample + ToneTailSamples <= nextSample;
    });
}

} // namespace vemo
