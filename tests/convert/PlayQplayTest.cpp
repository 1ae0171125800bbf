// qplay (Debian's hxtools) is a PLAY interpreter that shares no code with vemo: what it renders
// from vemo's text is measured against vemo's own account of how an interpreter sounds it.

#include "convert/EqualTemper.h"
#include "convert/PlayTarget.h"
#include "tests/convert/PlayCheck.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace vemo {
namespace {

constexpr std::size_t SamplesPerMs = 48;

// 16-bit samples at 48 kHz; qplay's square wave is never 0 while a note sounds.
std::vector<std::int16_t> rendered(const std::string& path) {
    // qplay reads bare strings, not BASIC; a string it cannot read can keep it looping.
    const std::string command = "sed -e 's/^PLAY \"//' -e 's/\"$//' '" + path +
                                "' | timeout 30 qplay -i 0 -q 1 2>/dev/null";
    std::vector<std::int16_t> samples;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return samples;
    std::int16_t buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, sizeof buffer[0], 4096, pipe)) > 0;)
        samples.insert(samples.end(), buffer, buffer + read);
    pclose(pipe);
    return samples;
}

// Where sound turns to silence or back, and the end.
std::vector<std::size_t> changesOf(const std::vector<std::int16_t>& samples) {
    std::vector<std::size_t> changes;
    for (std::size_t at = 1; at <= samples.size(); ++at)
        if (at == samples.size() || (samples[at] != 0) != (samples[at - 1] != 0))
            changes.push_back(at);
    return changes;
}

// Rising edges counted over the stretch; qplay starts each note's wave afresh, and every tone
// here is one note of the text.
double measuredHz(const std::vector<std::int16_t>& samples, std::size_t first, std::size_t end) {
    std::vector<std::size_t> edges;
    for (std::size_t at = first + 1; at < end; ++at)
        if (samples[at - 1] < 0 && samples[at] > 0) edges.push_back(at);
    return edges.size() < 2
               ? 0.0
               : 48000.0 * double(edges.size() - 1) / double(edges.back() - edges.front());
}

TEST(PlayInQplay, PitchesAndLengthsAreWhatVemoSaysAnInterpreterPlays) {
    if (std::system("command -v qplay >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "qplay is missing: apt-get install hxtools";
    // Every semitone PLAY has, in pairs of the same pitch, tied over one to three columns, rests
    // between; a column no tempo gives exactly; many statements.
    ToneList wandering;
    for (std::int32_t index = 0; index < 168; ++index) {
        const auto frequency =
            std::int32_t(std::lround(semitoneFrequency(36 + index / 2 * 37 % 84)));
        wandering.push_back(index % 7 == 3 ? ToneEvent{0, 1, 137}
                                           : ToneEvent{frequency, 0, (index % 3 + 1) * 137});
    }
    const std::vector<TargetInput> melodies = {
        {{{440, 0, 240}, {0, 1, 120}, {297, 0, 120}}, 120, 0, 16, "sample"},
        {wandering, 137, 0, 16, "wandering"}};
    const test::TempFolder folder;
    for (const TargetInput& melody : melodies) {
        const std::string path = folder.file(melody.name + ".txt");
        std::ofstream(path) << test::joinedLines(playText(melody));
        const std::vector<std::int16_t> samples = rendered(path);
        const ToneList sound = playSound(melody);
        std::vector<std::int16_t> silentOrNot;
        for (const ToneEvent& tone : sound)
            silentOrNot.insert(silentOrNot.end(), std::size_t(tone.duration) * SamplesPerMs,
                               std::int16_t(tone.isRest == 0));
        const std::vector<std::size_t> expected = changesOf(silentOrNot);
        const std::vector<std::size_t> heard = changesOf(samples);
        ASSERT_EQ(heard.size(), expected.size()) << melody.name;
        for (std::size_t index = 0; index < heard.size(); ++index) {
            // qplay counts whole samples a note: a sample a note apart, and a millisecond.
            const double allowed = double(SamplesPerMs + index);
            EXPECT_NEAR(double(heard[index]), double(expected[index]), allowed)
                << melody.name << " run " << index;
        }
        std::size_t start = 0;
        for (const ToneEvent& tone : sound) {
            const std::size_t end = start + std::size_t(tone.duration) * SamplesPerMs;
            // Away from the edges, where rounding and qplay's whole samples a note shift them.
            if (tone.isRest == 0) {
                EXPECT_NEAR(measuredHz(samples, start + 8 * SamplesPerMs, end - 8 * SamplesPerMs),
                            tone.frequency, 1.0 + tone.frequency / 100.0)
                    << melody.name << " tone at " << start / SamplesPerMs << " ms";
            }
            start = end;
        }
    }
}

} // namespace
} // namespace vemo
