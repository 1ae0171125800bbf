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
#include <fstream>
#include <iterator>
#include <random>

namespace vemo {
namespace {

std::int32_t uniform(std::mt19937& random, std::int32_t low, std::int32_t high) {
    return std::uniform_int_distribution<std::int32_t>(low, high)(random);
}

// Columns one note value gives on the grid: plain or dotted, a whole number of columns.
std::vector<std::int32_t> singleNoteColumns(std::int32_t grid) {
    std::vector<std::int32_t> columns;
    for (std::int32_t value = 1; value <= 32; value *= 2) {
        if (grid % value == 0) columns.push_back(grid / value);
        if ((3 * grid) % (2 * value) == 0) columns.push_back(3 * grid / (2 * value));
    }
    return columns;
}

struct Event {
    std::int32_t semitone; // 0: a rest
    std::int32_t columns;
};

TEST(RtttlRoundTrip, RandomTonesComeBackWithTheirRhythmOnTheNearestRows) {
    std::mt19937 random(1407u);
    Melody rows;
    rows.lastRow = MelodyLastRow;
    Pitch pitch;
    buildPitchTable(pitch, StartOctaveShift, rows.lastRow);
    for (int trial = 0; trial < 300; ++trial) {
        const std::int32_t grid = std::array{8, 16, 32}[uniform(random, 0, 2)];
        const std::int32_t columnMs = uniform(random, 1, 999);
        const std::vector<std::int32_t> lengths = singleNoteColumns(grid);
        // Tones at equal-tempered pitches over the whole grid, empty columns between some.
        std::vector<Event> events;
        const std::int32_t count = uniform(random, 1, 60);
        for (std::int32_t i = 0; i < count; ++i) {
            if (i > 0 && uniform(random, 0, 3) == 0)
                for (std::int32_t rest = uniform(random, 1, 5); rest > 0; --rest)
                    events.push_back({0, 1});
            events.push_back(
                {uniform(random, 24, 119), lengths[uniform(random, 0, int(lengths.size()) - 1)]});
        }
        ToneList written;
        for (const Event& event : events)
            written.push_back({event.semitone == 0 ? 0
                                                   : static_cast<std::int32_t>(std::lround(
                                                         semitoneFrequency(event.semitone))),
                               event.semitone == 0 ? 1 : 0, event.columns * columnMs});
        const std::string text = writeRtttl(written, columnMs, grid, "random");
        const RtttlParse parsed = parseRtttl(text);
        ASSERT_TRUE(parsed.song.has_value()) << parsed.reason << "\n" << text;
        const MelodyImport result = importRtttl(*parsed.song, grid);
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
        const std::vector<std::int32_t> single = singleNoteColumns(grid);
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
                total += (note.isDotted ? 3 * grid / 2 : grid) / note.value;
            }
            EXPECT_EQ(total, columns) << text;
            EXPECT_EQ(text.substr(0, text.find(':', 2) + 1),
                      "x:d=4,o=5,b=" + std::to_string(std::lround(2400.0 / grid)) + ":");
        }
    }
}

TEST(RtttlRoundTrip, WritesTheNearestEqualTemperedNoteAndASafeName) {
    // 264 Hz (the grid's C) is C4, 277 C#4, 7920 B8, 30 Hz B0 below the grid.
    const ToneList tones = {{264, 0, 10},  {277, 0, 10}, {0, 1, 10},
                            {7920, 0, 10}, {30, 0, 10},  {33, 0, 10}};
    EXPECT_EQ(writeRtttl(tones, 10, 16, "a:b,c\n"),
              "abc:d=4,o=5,b=1500:16c4,16c#4,16p,16b8,16b0,16c1");
    EXPECT_EQ(rtttlName(""), "vemo");
    EXPECT_EQ(rtttlName(std::string(100, 'n')).size(), 64u);
}

TEST(RtttlRoundTrip, FuzzCorpusReplaysCleanly) {
    test::replayCorpus("tests/convert/corpus", test::rtttlProblem,
                       [](const std::string& text) { return parseRtttl(text).song.has_value(); });
}

} // namespace
} // namespace vemo
