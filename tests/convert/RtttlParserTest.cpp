#include "convert/RtttlParser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace vemo {
namespace {

using ::testing::HasSubstr;

RtttlNote note(std::int32_t value, std::int32_t semitone, bool isDotted = false) {
    return {value, isDotted, semitone};
}

RtttlSong parsed(const std::string& text) {
    RtttlParse result = parseRtttl(text);
    EXPECT_TRUE(result.song.has_value()) << text << ": " << result.reason;
    return result.song.value_or(RtttlSong{});
}

TEST(RtttlParser, ReadsTheLenientGrammar) {
    // Dots before or after the octave, sharps, rests, defaults taken where a part is left out.
    RtttlSong song = parsed("Tune:d=8,o=5,b=120:c,4d#6,e.,8f.6,16g6.,p,2p.,a#");
    EXPECT_EQ(song.name, "Tune");
    EXPECT_EQ(song.tempo, 120);
    EXPECT_THAT(song.notes,
                ::testing::ElementsAre(note(8, 72), note(4, 87), note(8, 76, true),
                                       note(8, 89, true), note(16, 91, true), note(8, RtttlRest),
                                       note(2, RtttlRest, true), note(8, 82)));

    // Upper case and white space anywhere, a trailing comma.
    song = parsed("  My Song : D = 16 , O = 4 , B = 200 :\r\n 4 C# 5 ,\tP , A ,");
    EXPECT_EQ(song.name, "My Song");
    EXPECT_EQ(song.tempo, 200);
    EXPECT_THAT(song.notes, ::testing::ElementsAre(note(4, 73), note(16, RtttlRest), note(16, 69)));

    // The usual defaults: d=4, o=6, b=63, also for the settings left out one by one.
    song = parsed("x::c");
    EXPECT_EQ(song.tempo, 63);
    EXPECT_THAT(song.notes, ::testing::ElementsAre(note(4, 84)));
    EXPECT_THAT(parsed("x:b=90:c").notes, ::testing::ElementsAre(note(4, 84)));
    EXPECT_THAT(parsed("x:o=3:c").notes, ::testing::ElementsAre(note(4, 48)));
    EXPECT_EQ(parsed("x:o=3:c").tempo, 63);

    // One colon: either the name or the settings are missing.
    song = parsed("x:8b");
    EXPECT_EQ(song.name, "x");
    EXPECT_THAT(song.notes, ::testing::ElementsAre(note(8, 95)));
    song = parsed("d=2,b=100:b");
    EXPECT_EQ(song.name, "");
    EXPECT_EQ(song.tempo, 100);
    EXPECT_THAT(song.notes, ::testing::ElementsAre(note(2, 95)));

    // Every note value, and the octave digits from 0 to 9.
    EXPECT_THAT(parsed("x::1c0,2c1,4c2,8c3,16c4,32c9").notes,
                ::testing::ElementsAre(note(1, 12), note(2, 24), note(4, 36), note(8, 48),
                                       note(16, 60), note(32, 120)));
}

TEST(RtttlParser, RefusesBadTextWithAReasonThatSaysWhere) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "no ':'"},
        {"just some words", "no ':'"},
        {"x:d=4,o=5,b=100:", "no notes"},
        {"x:d=3:c", "note value"},
        {"x:d=64:c", "note value"},
        {"x:b=99999999999999999999:c", "at most 5 digits"},
        {"x:b=0:c", "tempo"},
        {"x:b=-5:c", "whole number"},
        {"x:o=10:c", "octave"},
        {"x:q=1:c", "only d, o and b"},
        {"x:d:c", "not a setting"},
        {"x:d=:c", "whole number"},
        {"x::c,d,64e", "note 3"},
        {"x::c,d,99999999999e", "note value"},
        {"x::c,z", "'z' is not a note name"},
        {"x::c,4", "note name"},
        {"x::p#", "rest cannot be sharp"},
        {"x::c55", "does not belong"},
        {"x::c..", "does not belong"},
        {"x::c#5:d", "does not belong"},
        {std::string("x::c\0d", 6), "does not belong"},
        {"\xff\xfe:\x01\x02:\x80", "not a setting"},
    };
    for (const auto& [text, words] : cases) {
        const RtttlParse result = parseRtttl(text);
        EXPECT_FALSE(result.song.has_value()) << text;
        EXPECT_THAT(result.reason, HasSubstr(words)) << text;
    }
}

TEST(RtttlParser, RefusesOversizedTextsBeforeReadingThem) {
    std::string notes = "x::";
    for (std::size_t i = 0; i < MaxRtttlNotes; ++i)
        notes += "c,";
    EXPECT_EQ(parseRtttl(notes).song->notes.size(), MaxRtttlNotes);
    const RtttlParse tooMany = parseRtttl(notes + "d");
    EXPECT_FALSE(tooMany.song.has_value());
    EXPECT_THAT(tooMany.reason, HasSubstr("note " + std::to_string(MaxRtttlNotes + 1)));

    const std::string longText = "x::c" + std::string(MaxRtttlTextBytes, ' ');
    const RtttlParse tooLong = parseRtttl(longText);
    EXPECT_FALSE(tooLong.song.has_value());
    EXPECT_THAT(tooLong.reason, HasSubstr("longer than"));
}

} // namespace
} // namespace vemo
