#include "convert/EsphomeTarget.h"
#include "convert/FmfFile.h"
#include "convert/Formats.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <sstream>

namespace vemo {
namespace {

// Tones of so many columns each; 0 Hz is an empty column.
TargetInput melody(const std::vector<std::pair<std::int32_t, std::int32_t>>& hzColumns,
                   std::int32_t columnMs, std::int32_t firstColumn = 0) {
    TargetInput input{{}, columnMs, firstColumn, DefaultGridStep, "tune"};
    for (const auto& [hz, columns] : hzColumns)
        input.tones.push_back({hz, hz == 0 ? 1 : 0, columns * columnMs});
    return input;
}

std::vector<std::string> problemTexts(std::string_view format, const TargetInput& input) {
    std::vector<std::string> texts;
    for (const TargetProblem& problem : formatNamed(format)->check(input))
        texts.push_back(problem.text);
    return texts;
}

// The melody the help page writes out: 440 Hz tied over two 120 ms columns, an empty column,
// 297 Hz. Each device plays it as vemo does.
TEST(RingtoneTargets, TheHelpPagesMelodyReadsAsItSays) {
    const TargetInput sample = melody({{440, 2}, {0, 1}, {297, 1}}, 120);
    const std::vector<std::pair<std::string_view, std::vector<std::string>>> texts = {
        {"rtttl", {"tune:d=16,o=4,b=125:8a,p,d"}},
        {"esphome",
         {"# tune for ESPHome's rtttl component; start it with script.execute: play_tune",
          "script:", "  - id: play_tune",
          "    then:", "      - rtttl.play:", "          rtttl: 'tune:d=16,o=4,b=125:8a,p,d'"}},
        {"fmf",
         {"Filetype: Flipper Music Format", "Version: 0", "BPM: 125", "Duration: 16", "Octave: 4",
          "Notes: 8A, P, D"}},
    };
    for (const auto& [name, lines] : texts) {
        const Format& format = *formatNamed(name);
        EXPECT_EQ(format.text(sample), lines) << name;
        EXPECT_TRUE(format.check(sample).empty()) << name;
        EXPECT_EQ(format.sound(sample), (ToneList{{440, 0, 240}, {0, 1, 120}, {294, 0, 120}}))
            << name;
    }
}

TEST(RingtoneTargets, EachCheckCountsWhatItsDeviceCannotPlay) {
    const std::vector<std::tuple<std::string_view, TargetInput, std::vector<std::string>>> cases = {
        {"esphome",
         melody(std::vector<std::pair<std::int32_t, std::int32_t>>(12, {132, 1}), 120, 31),
         {"ESPHome plays octaves 4 to 7 only: 12 notes are below C4, the first at column 31"}},
        {"esphome",
         melody({{440, 5}}, 120),
         {"ESPHome has no single note of their length: 1 tone is played as several notes with "
          "10 ms breaks, the first at column 0"}},
        {"esphome",
         melody({{440, 1}, {494, 1}, {523, 1}, {587, 1}}, 90),
         {"ESPHome counts whole beats a minute and whole milliseconds, b=167: the melody lasts "
          "356 ms instead of 360 ms"}},
        {"rtttl",
         melody({{440, 1}, {494, 1}, {523, 1}, {587, 1}}, 90),
         {"RTTTL counts whole beats a minute, b=167: the melody lasts 359 ms instead of 360 ms"}},
        // Octave 5 gains most from dots; A3's dotted quarter becomes a quarter and an eighth.
        {"rtttl",
         melody({{220, 6}, {880, 6}, {880, 1}}, 120),
         {"RTTTL has no single note of their length: 1 tone is played as several notes, the "
          "first at column 0"}},
        {"rtttl",
         melody({{440, 1}, {494, 1}}, 20),
         {"RTTTL takes b=255 at most: the melody lasts 59 ms instead of 40 ms"}},
        {"fmf",
         melody({{440, 4}, {494, 5}}, 130),
         {"Flipper Music Format has no single note of their length: 1 tone is played as several "
          "notes, the first at column 4",
          "The Flipper counts whole beats a minute and whole milliseconds, BPM 115: the melody "
          "lasts 1172 ms instead of 1170 ms"}},
    };
    for (const auto& [format, input, expected] : cases)
        EXPECT_EQ(problemTexts(format, input), expected) << format;
    // Moving the notes by octaves is the fix: into C4 to B7, with half a semitone to spare.
    const auto fit = esphomeCheck(std::get<1>(cases.front())).front().octaveFit;
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->lowest, 254.2, 0.1);
    EXPECT_NEAR(fit->highest, 4066.8, 0.1);
}

TEST(RingtoneTargets, SoundsAsTheDevicePlays) {
    // ESPHome: C3 moves up to its table's C4, a note of the frequency just heard waits 10 ms.
    EXPECT_EQ(esphomeSound(melody({{440, 1}, {440, 1}, {132, 1}}, 120)),
              (ToneList{{440, 0, 120}, {0, 1, 10}, {440, 0, 110}, {262, 0, 120}}));
    // The Flipper: BPM 115 makes a quarter 521.7 ms and a sixteenth 130.4, cut to whole ms.
    EXPECT_EQ(fmfSound(melody({{440, 4}, {0, 1}, {494, 5}}, 130)),
              (ToneList{{440, 0, 521}, {0, 1, 130}, {494, 0, 521}, {494, 0, 130}}));
}

// Everything ESPHome's player takes, the dot only where no octave digit stands beside it.
std::string esphomeProblem(const std::string& yaml) {
    static const std::regex song(
        R"(rtttl: '([A-Za-z0-9_-]{1,15}):d=(1|2|4|8|16|32),o=[4-7],b=(\d+):([^']*)')");
    static const std::regex note(R"(^(1|2|4|8|16|32)?(p\.?|[a-g]#?[4-7]?|[a-g]#?\.)$)");
    std::smatch match;
    if (!std::regex_search(yaml, match, song)) return "no song ESPHome takes";
    if (const int tempo = std::stoi(match[3]); tempo < 1 || tempo > 255)
        return "b=" + std::to_string(tempo);
    std::stringstream notes(match[4]);
    for (std::string item; std::getline(notes, item, ',');)
        if (!std::regex_match(item, note)) return "the note '" + item + "'";
    return {};
}

TEST(RingtoneTargets, EsphomesSongKeepsEveryLimitOfItsPlayer) {
    std::mt19937 random(2024u);
    const auto uniform = [&](std::int32_t low, std::int32_t high) {
        return std::uniform_int_distribution<std::int32_t>(low, high)(random);
    };
    for (int trial = 0; trial < 200; ++trial) {
        // Any grid, any column length, any of the grid's pitches, lengths no note value gives.
        std::vector<std::pair<std::int32_t, std::int32_t>> tones;
        for (std::int32_t count = uniform(1, 40); count > 0; --count)
            tones.push_back({uniform(0, 3) == 0 ? 0 : uniform(33, 7900), uniform(1, 40)});
        TargetInput input = melody(tones, uniform(1, 999));
        input.gridStep = std::array{8, 16, 32}[uniform(0, 2)];
        input.name = std::string(uniform(0, 40), "a:b c'd"[uniform(0, 6)]);
        std::string yaml;
        for (const std::string& line : esphomeText(input))
            yaml += line + "\n";
        ASSERT_EQ(esphomeProblem(yaml), "") << yaml;
    }
}

} // namespace
} // namespace vemo
