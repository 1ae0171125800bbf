#include "convert/EqualTemper.h"
#include "convert/RtttlImport.h"
#include "convert/RtttlWriter.h"
#include "model/PitchTable.h"
#include "sound/ToneList.h"
#include "store/MelodyCodec.h"
#include "tests/convert/CorpusReplay.h"
#include "tests/convert/RtttlCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <numeric>
#include <optional>
#include <random>
#include <regex>
#include <sstream>

namespace vemo {
namespace {

std::int32_t uniform(std::mt19937& random, std::int32_t low, std::int32_t high) {
    return std::uniform_int_distribution<std::int32_t>(low, high)(random);
}

// Columns one note value gives on the grid: plain or, asked for, dotted; a whole number.
std::vector<std::int32_t> singleNoteColumns(std::int32_t grid, bool withDotted = true) {
    std::vector<std::int32_t> columns;
    for (std::int32_t value = 1; value <= 32; value *= 2) {
        if (grid % value == 0) columns.push_back(grid / value);
        if (withDotted && (3 * grid) % (2 * value) == 0) columns.push_back(3 * grid / (2 * value));
    }
    return columns;
}

struct Event {
    std::int32_t semitone; // 0: a rest
    std::int32_t columns;
};

// A note item as a player that reads the dot before the octave, or one that reads it after the
// octave, takes it: value, name, octave, dot; none where that player would stumble.
std::optional<std::array<std::string, 4>> readItem(const std::string& item, bool isDotFirst) {
    static const std::regex dotFirst(R"(^(\d*)([a-hp]#?)(\.?)(\d?)$)");
    static const std::regex dotLast(R"(^(\d*)([a-hp]#?)(\d?)(\.?)$)");
    std::smatch match;
    if (!std::regex_match(item, match, isDotFirst ? dotFirst : dotLast)) return std::nullopt;
    return std::array<std::string, 4>{match[1], match[2], match[isDotFirst ? 4 : 3],
                                      match[isDotFirst ? 3 : 4]};
}

// Where the text breaks the portable rules: d, o and b in that order, b at most 255, the default
// octave 4 to 7, every note read alike whichever side of the octave a player looks for the dot.
std::string portabilityProblem(const std::string& text) {
    static const std::regex header(R"(^[^:]+:d=(1|2|4|8|16|32),o=[4-7],b=(\d+):(.*)$)");
    std::smatch match;
    if (!std::regex_match(text, match, header)) return "the settings: " + text.substr(0, 40);
    const int tempo = std::stoi(match[2]);
    if (tempo < 1 || tempo > 255) return "b=" + std::to_string(tempo);
    std::stringstream notes(match[3]);
    for (std::string item; std::getline(notes, item, ',');) {
        const auto first = readItem(item, true);
        if (!first || first != readItem(item, false)) return "the note '" + item + "'";
    }
    return {};
}

TEST(RtttlRoundTrip, RandomTonesComeBackWithTheirRhythmOnTheNearestRowsAndReadAlikeEverywhere) {
    std::mt19937 random(1407u);
    Melody rows;
    rows.lastRow = MelodyLastRow;
    Pitch pitch;
    buildPitchTable(pitch, StartOctaveShift, rows.lastRow);
    for (int trial = 0; trial < 300; ++trial) {
        const std::int32_t grid = std::array{8, 16, 32}[uniform(random, 0, 2)];
        const std::int32_t columnMs = uniform(random, 1, 999);
        // Tones at equal-tempered pitches over the whole grid, empty columns between some;
        // dotted lengths in one octave only, which the ringtone then takes as its default.
        const std::int32_t dottedOctave = uniform(random, 4, 7);
        std::vector<Event> events;
        const std::int32_t count = uniform(random, 1, 60);
        for (std::int32_t i = 0; i < count; ++i) {
            if (i > 0 && uniform(random, 0, 3) == 0)
                for (std::int32_t rest = uniform(random, 1, 5); rest > 0; --rest)
                    events.push_back({0, 1});
            const std::int32_t semitone = uniform(random, 24, 119);
            const std::vector<std::int32_t> lengths =
                singleNoteColumns(grid, semitone / 12 - 1 == dottedOctave);
            events.push_back({semitone, lengths[uniform(random, 0, int(lengths.size()) - 1)]});
        }
        ToneList written;
        for (const Event& event : events)
            written.push_back({event.semitone == 0 ? 0
                                                   : static_cast<std::int32_t>(std::lround(
                                                         semitoneFrequency(event.semitone))),
                               event.semitone == 0 ? 1 : 0, event.columns * columnMs});
        const std::string text = writeRtttl(written, columnMs, grid, "random");
        ASSERT_EQ(portabilityProblem(text), "") << text;
        const RtttlParse parsed = parseRtttl(text);
        ASSERT_TRUE(parsed.song.has_value()) << parsed.reason << "\n" << text;
        // Read at the note value a column was written as, the columns come back one for one.
        const std::int32_t value = rtttlColumnValue(columnMs, grid);
        const MelodyImport result = importRtttl(*parsed.song, value);
        ASSERT_EQ(test::holdableProblem(result.melody), "");
        EXPECT_EQ(result.octaveMovedNotes, 0);

        // The rows lie within a quarter tone of equal temperament, so each semitone has its
        // own row: C1 at the bottom.
        ToneList expected;
        const std::int32_t heardMs = result.melody.columnDuration;
        for (const Event& event : events) {
            const std::int32_t row = rows.lastRow - (event.semitone - 24);
            expected.push_back({event.semitone == 0 ? 0 : rowFrequency(rows, pitch, row),
                                event.semitone == 0 ? 1 : 0, event.columns * heardMs});
        }
        ASSERT_EQ(buildToneList(result.melody, result.pitch, melodyRange(result.melody, {})),
                  expected)
            << text;
        // Every note lands on its column; the tempo's rounding is told on its own.
        EXPECT_EQ(result.largestSnapErrorMs, 0) << text;
    }
}

TEST(RtttlRoundTrip, ALengthNoNoteValueGivesBecomesSeveralNotesOfItsPitch) {
    for (const std::int32_t grid : {8, 16, 32}) {
        // 100 ms columns: eighths would need b=300, so they are written as sixteenths.
        const std::int32_t value = rtttlColumnValue(100, grid);
        EXPECT_EQ(value, grid == 8 ? 16 : grid);
        const std::vector<std::int32_t> single = singleNoteColumns(value);
        for (std::int32_t columns = 1; columns <= 100; ++columns) {
            const std::string text = writeRtttl({{440, 0, columns * 100}}, 100, grid, "x");
            const RtttlParse parsed = parseRtttl(text);
            ASSERT_TRUE(parsed.song.has_value()) << text;
            const auto& notes = parsed.song->notes;
            const bool isSingle = std::find(single.begin(), single.end(), columns) != single.end();
            EXPECT_EQ(notes.size() == 1, isSingle) << text;
            std::int32_t total = 0;
            for (const RtttlNote& note : notes) {
                EXPECT_EQ(note.semitone, 69) << text;
                total += (note.isDotted ? 3 * value / 2 : value) / note.value;
            }
            EXPECT_EQ(total, columns) << text;
            EXPECT_TRUE(text.starts_with("x:d=")) << text;
            EXPECT_NE(text.find(",o=4,b=" + std::to_string(2400 / value) + ":"), std::string::npos)
                << text;
        }
    }
}

TEST(RtttlRoundTrip, WritesTheNearestEqualTemperedNoteAndASafeName) {
    // 264 Hz (the grid's C) is C4, 277 C#4, 7920 B8, 30 Hz B0 below the grid. Columns of 10 ms
    // would need b=750 even as 32nds: the tempo stops at 255.
    const ToneList tones = {{264, 0, 10},  {277, 0, 10}, {0, 1, 10},
                            {7920, 0, 10}, {30, 0, 10},  {33, 0, 10}};
    EXPECT_EQ(writeRtttl(tones, 10, 16, "a:b,c\n"), "abc:d=32,o=4,b=255:c,c#,p,b8,b0,c1");
    EXPECT_EQ(rtttlName(""), "vemo");
    EXPECT_EQ(rtttlName(std::string(100, 'n')).size(), 64u);
}

TEST(RtttlRoundTrip, FuzzCorpusReplaysCleanly) {
    test::replayCorpus("tests/convert/corpus", test::rtttlProblem,
                       [](const std::string& text) { return parseRtttl(text).song.has_value(); });
}

} // namespace
} // namespace vemo
