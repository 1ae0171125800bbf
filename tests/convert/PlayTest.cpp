#include "convert/PlayImport.h"
#include "convert/PlayParser.h"
#include "convert/PlayTarget.h"
#include "sound/ToneList.h"
#include "tests/convert/CorpusReplay.h"
#include "tests/convert/PlayCheck.h"
#include "tests/support/MelodyFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace vemo {
namespace {

using Lines = std::vector<std::string>;

struct Written {
    ToneList tones;
    std::int32_t columnMs;
    std::string text;
    std::vector<std::string> problems;
};

// Sharps with '+' and octave steps; notes moved into the octaves and a column no tempo gives; a
// tied note parted from the same pitch and a chain no single note value gives; a column shorter
// than any note. The melody of the help page is the export's test.
TEST(Play, EachMelodyIsWrittenAndCheckedAsPlayHasIt) {
    const std::vector<Written> cases = {
        {{{277, 0, 100}, {311, 0, 100}, {528, 0, 100}, {132, 0, 100}},
         100,
         "PLAY \"T150L16O2MNC+D+>CO1C\"",
         {}},
        {{{33, 0, 137}, {16000, 0, 137}},
         137,
         "PLAY \"T219L8O0MNCO6B\"",
         {"PLAY plays octaves 0 to 6 (C2 to B8) only: 1 note is below C2, the first at column 0; "
          "1 note is above B8, the first at column 1; they are written whole octaves up or down "
          "into that range",
          "PLAY cannot express a column of 137 ms exactly at any tempo as an L16 note or a longer "
          "one: at T219 it is an L8 note of 136.99 ms, so tones are up to 0.01 ms off"}},
        {{{440, 0, 625}, {440, 0, 125}, {440, 0, 250}, {0, 1, 125}},
         125,
         "PLAY \"T120L16O2MLA4MNAAMLA8P16\"",
         {"PLAY sounds a tied note and a note of the same pitch right after it as one: 1 tied "
          "note ends its last part normally (MN, 7/8 of its length) to stay apart, the first at "
          "column 0"}},
        {{{440, 0, 5}},
         5,
         "PLAY \"T255L64O2MNA\"",
         {"PLAY's shortest note, an L64 note at T255, lasts 14.71 ms: a column of 5 ms is "
          "written as one, so the melody takes 2.94 times as long"}},
    };
    for (const Written& melody : cases) {
        const TargetInput input{melody.tones, melody.columnMs, 0, 16, "tune"};
        EXPECT_EQ(playText(input), Lines{melody.text});
        std::vector<std::string> problems;
        for (const TargetProblem& problem : playCheck(input))
            problems.push_back(problem.text);
        EXPECT_EQ(problems, melody.problems) << melody.text;
    }
    // The fit's ends are the outermost whole hertz that need no octave move.
    const auto fit = playCheck({{{33, 0, 10}}, 10, 0, 16, ""}).front().octaveFit.value();
    EXPECT_EQ(std::vector({playSemitone(fit.lowest - 1), playSemitone(fit.lowest),
                           playSemitone(fit.highest), playSemitone(fit.highest + 1)}),
              std::vector({47, 36, 119, 108}));
}

// A tempo PLAY takes for every column, exact wherever a note a whole number of grid steps long
// has one: the note values plain and dotted, in 1/128 of a whole note.
TEST(Play, TheTempoIsExactWhereAnyNoteOnTheGridAllowsIt) {
    for (const std::int32_t grid : GridSteps) {
        for (std::int32_t columnMs = 1; columnMs <= 999; ++columnMs) {
            const PlayTempo chosen = playTempo(columnMs, grid);
            EXPECT_TRUE(chosen.tempo >= 32 && chosen.tempo <= 255);
            bool exists = false;
            for (const std::int32_t units : {192, 128, 96, 64, 48, 32, 24, 16, 12, 8, 6, 4})
                for (std::int32_t tempo = 32; tempo <= 255; ++tempo)
                    exists |= units % (128 / grid) == 0 && units * 240000 == columnMs * tempo * 128;
            EXPECT_TRUE(!exists || std::abs(chosen.columnMs - columnMs) < 1e-9)
                << columnMs << " ms at grid " << grid << ": T" << chosen.tempo;
        }
    }
}

// Read back at the grid step, a melody keeps its notes and rests, each note on PLAY's nearest
// semitone, each length within the rounding of the tempo and of the imported column.
TEST(Play, RandomMelodiesComeBackWithTheirNotesAndLengths) {
    std::mt19937 random(1707u);
    Pitch pitch;
    test::startPitch(pitch);
    const auto merged = [](const ToneList& tones) {
        ToneList out;
        for (const ToneEvent& tone : tones)
            if (!out.empty() && tone.isRest != 0 && out.back().isRest != 0)
                out.back().duration += tone.duration;
            else
                out.push_back(tone);
        return out;
    };
    for (int trial = 0; trial < 120; ++trial) {
        const std::int32_t grid = GridSteps[std::uniform_int_distribution<>(0, 2)(random)];
        // Long enough for the grid step's note at T255.
        const std::int32_t shortest = 240000 / (255 * grid) + 1;
        Melody melody;
        // Narrow enough that a column of many grid steps still fits 4096 columns read back.
        test::resetMelody(melody, std::uniform_int_distribution<>(32, 120)(random));
        melody.columnDuration = std::uniform_int_distribution<>(shortest, 999)(random);
        test::fillRandom(melody, random);
        const TargetInput input = targetInputFor(melody, pitch, {}, "random", grid);
        if (input.tones.empty()) continue;
        const Lines lines = playText(input);
        for (const std::string& line : lines)
            EXPECT_TRUE(line.size() <= 255 && line.starts_with("PLAY \"T")) << line;
        const PlayParse parsed = parsePlay(test::joinedLines(lines));
        ASSERT_TRUE(parsed.song) << parsed.reason;
        const MelodyImport back = importPlay(*parsed.song, grid);
        const ToneList sent = merged(input.tones);
        const ToneList read =
            merged(buildToneList(back.melody, back.pitch, melodyRange(back.melody, {})));
        ASSERT_EQ(read.size(), sent.size()) << test::joinedLines(lines);
        // A column is off by the tempo's error and by the read column's rounding, half a
        // millisecond a grid step.
        const PlayTempo tempo = playTempo(melody.columnDuration, grid);
        const double columnOff =
            std::abs(tempo.columnMs - melody.columnDuration) + tempo.units * grid / 256.0;
        for (std::size_t index = 0; index < sent.size(); ++index) {
            const auto noteOf = [](const ToneEvent& tone) {
                return tone.isRest != 0 ? -1 : playSemitone(tone.frequency);
            };
            EXPECT_EQ(noteOf(read[index]), noteOf(sent[index])) << index;
            EXPECT_NEAR(read[index].duration, sent[index].duration,
                        columnOff * sent[index].duration / melody.columnDuration)
                << index << " at " << melody.columnDuration << " ms, grid " << grid;
        }
    }
}

TEST(Play, ReadsStatementsAndBareStringsLeniently) {
    const PlayParse parsed =
        parsePlay("10 Play \"t200L8o3 C d+ E-4. <B >n37 p16 ML G G\": play \"MS A\" ' tune\r\n"
                  "# a remark to qplay\n\n  cde\n");
    ASSERT_TRUE(parsed.song) << parsed.reason;
    const double eighth = 0.125;
    const std::vector<PlayNote> expected = {
        {72, eighth, 200, false}, {75, eighth, 200, false}, {75, 0.375, 200, false},
        {71, eighth, 200, false}, {72, eighth, 200, false}, {PlayRest, 0.0625, 200, false},
        {79, eighth, 200, true},  {79, eighth, 200, true},  {81, eighth, 200, false},
        {72, eighth, 200, false}, {74, eighth, 200, false}, {76, eighth, 200, false}};
    EXPECT_EQ(parsed.song->notes, expected);
}

TEST(Play, RefusesWhatItCannotReadWithTheReasonAndThePlace) {
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"PLAY A$", "line 1, column 6: PLAY is read with a string in quotes only"},
        {"PLAY \"X\" + VARPTR$(A$)", "line 1, column 7: substrings and variables"},
        {"PLAY \"C\" + \"D\"", "line 1, column 10: only ':' or a remark may follow"},
        {"PLAY \"C\": CLS", "line 1, column 11: only PLAY statements and remarks"},
        {"\n\nPLAY \"T300C\"", "line 3, column 7: T needs a tempo from 32 to 255"},
        {"PLAY \"CZ\"", "line 1, column 8: 'Z' is not a PLAY command"},
        {"C123456", "line 1, column 1: a number has more than 5 digits"},
        {std::string("C\0D", 3), "line 1, column 2: byte 0x00 is not a PLAY command"},
        {"P4 N0 ' pauses only", "there is no note to play"},
        {std::string(MaxPlayTextBytes + 1, 'C'), "the text is longer than 262144 bytes"},
        {std::string(MaxPlayNotes + 1, 'C'), "line 1, column 16385: more than 16384 notes"},
    };
    for (const auto& [text, reason] : refused) {
        const PlayParse parsed = parsePlay(text);
        EXPECT_FALSE(parsed.song) << text.substr(0, 40);
        EXPECT_TRUE(parsed.reason.starts_with(reason)) << parsed.reason;
    }
}

TEST(Play, FuzzCorpusReplaysCleanly) {
    test::replayCorpus("tests/convert/play-corpus", test::playProblem,
                       [](const std::string& text) { return parsePlay(text).song.has_value(); });
}

} // namespace
} // namespace vemo
