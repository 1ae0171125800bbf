#include "convert/MidiImport.h"
#include "sound/ToneList.h"
#include "tests/convert/MidiCheck.h"
#include "tests/support/MelodyFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <tuple>
#include <utility>

namespace vemo {
namespace {

using ::testing::HasSubstr;

const std::filesystem::path MidiFolder = std::filesystem::path(VEMO_SOURCE_DIR) / "tests/convert";

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

MidiSong songIn(const std::string& name) {
    const MidiParse parsed = parseMidi(fileBytes(MidiFolder / "midi" / name));
    EXPECT_TRUE(parsed.song.has_value()) << parsed.reason;
    return parsed.song.value_or(MidiSong{});
}

// Grid row of a MIDI note: C1 (24) is the bottom row, 95.
std::int32_t rowOf(std::int32_t key) {
    return 95 - (key - 24);
}

// One row a column from the first note to the last, -1 for an empty column.
std::vector<std::int32_t>
rowsOf(std::initializer_list<std::pair<std::int32_t, std::int32_t>> keysAndColumns) {
    std::vector<std::int32_t> rows;
    for (const auto& [key, columns] : keysAndColumns)
        rows.insert(rows.end(), static_cast<std::size_t>(columns), key < 0 ? -1 : rowOf(key));
    return rows;
}

TEST(MidiRoundTrip, RandomMelodiesComeBackAsTheSameToneList) {
    std::mt19937 random(2024u);
    Pitch pitch;
    test::startPitch(pitch);
    for (int trial = 0; trial < 200; ++trial) {
        Melody melody;
        test::resetMelody(melody, std::uniform_int_distribution<std::int32_t>(32, 300)(random));
        melody.columnDuration = std::uniform_int_distribution<std::int32_t>(1, 999)(random);
        test::fillRandom(melody, random, 0.5);
        const ToneList written = buildToneList(melody, pitch, melodyRange(melody, {}));
        const MidiParse parsed = parseMidi(writeMidi(written, melody.columnDuration, "random"));
        ASSERT_TRUE(parsed.song.has_value()) << parsed.reason;
        ASSERT_EQ(parsed.song->format, 0);
        const MelodyImport back = importMidi(*parsed.song, {});
        EXPECT_EQ(back.melody.columnDuration, melody.columnDuration);
        EXPECT_EQ(back.largestSnapErrorMs, 0);
        ASSERT_EQ(test::tonesOf(back), written) << "trial " << trial;
    }
}

// Files written by tools that share no code with vemo (see midi/make-files.sh).
TEST(MidiImport, FilesFromOtherToolsComeInAsTheySound) {
    // A tempo track that changes the tempo twice under the melody, and drums with more notes.
    const MidiSong song = songIn("mido-tempo-map.mid");
    EXPECT_EQ(song.format, 1);
    ASSERT_EQ(song.voices.size(), 2u);
    EXPECT_EQ(song.voices[0].name, "Melody");
    EXPECT_EQ(song.voices[0].track, 1);
    EXPECT_EQ(song.voices[0].noteCount, 8);
    EXPECT_EQ(song.voices[1].channel, DrumChannel);
    EXPECT_EQ(song.voices[1].noteCount, 20);
    EXPECT_EQ(defaultVoice(song), 0u);

    // 125 ms columns from the first tempo; the A4 after the second change lasts 1000 ms. The
    // highest note keeps sounding over the later E4; the latest note-on takes over instead.
    const MelodyImport highest = importMidi(song, {});
    EXPECT_EQ(highest.melody.columnDuration, 125);
    EXPECT_EQ(highest.largestSnapErrorMs, 0);
    EXPECT_EQ(highest.octaveMovedNotes, 1);
    EXPECT_EQ(test::noteRows(highest.melody),
              rowsOf({{60, 4}, {64, 4}, {67, 2}, {62, 1}, {62, 1}, {69, 8}, {24, 8}}));
    // The repeated D4 is two notes, not one tied chain.
    EXPECT_EQ(test::tonesOf(highest).size(), 7u);
    const MelodyImport latest = importMidi(song, {0, DefaultGridStep, OverlapRule::Latest});
    EXPECT_EQ(test::noteRows(latest.melody),
              rowsOf({{60, 4}, {64, 4}, {67, 1}, {64, 1}, {62, 1}, {62, 1}, {69, 8}, {24, 8}}));
    EXPECT_EQ(importMidi(song, {0, 8, OverlapRule::Highest}).melody.columnDuration, 250);

    // abc2midi strikes each note a tick late and the notes of a chord 10 ticks apart: the top
    // one sounds, from the chord's column, 21 ticks (21.9 ms) late, and the others leave no
    // stray columns behind.
    const MidiSong scale = songIn("abc2midi-scale.mid");
    const MelodyImport imported = importMidi(scale, {});
    EXPECT_EQ(imported.melody.columnDuration, 125);
    EXPECT_EQ(test::noteRows(imported.melody), rowsOf({{60, 2},
                                                       {62, 2},
                                                       {64, 2},
                                                       {65, 2},
                                                       {67, 2},
                                                       {69, 2},
                                                       {71, 2},
                                                       {72, 2},
                                                       {72, 4},
                                                       {71, 4},
                                                       {69, 4},
                                                       {67, 4},
                                                       {67, 8}}));
    EXPECT_EQ(imported.largestSnapErrorMs, 22);
}

TEST(MidiImport, TheDefaultVoiceIsTheTuneNotTheVoiceWithTheMostNotes) {
    // Under the tune: block chords and a held high note; a bass arpeggio; drums.
    for (const char* name :
         {"abc2midi-chords.mid", "abc2midi-arpeggio.mid", "mido-tempo-map.mid"}) {
        const MidiSong song = songIn(name);
        const MidiVoice& chosen = song.voices.at(defaultVoice(song));
        EXPECT_EQ(std::pair(chosen.track, chosen.channel), std::pair(1, 0)) << name;
        // The others have more notes: counting notes would pick one of them.
        EXPECT_LT(chosen.noteCount * 2, static_cast<std::int32_t>(song.notes.size())) << name;
    }
    // Drums when the other voice's one note is never heard.
    const MidiSong drums{
        0, 500.0, {{0, 0, "", 1}, {0, DrumChannel, "", 1}}, {{0, 72, 0, 0}, {1, 36, 0, 100}}};
    EXPECT_EQ(defaultVoice(drums), 1u);
}

// Notes on a grid step of no whole milliseconds land on it exactly; only the tempo is rounded.
TEST(MidiImport, TempoRoundingIsToldApartFromSnapping) {
    const std::tuple<const char*, std::int32_t, std::string> cases[] = {
        {"mido-uneven-grid.mid", 16,
         "104 ms per column for a grid step of 104.17 ms, 0.16 % faster"},
        {"mido-tempo-map.mid", 32, "63 ms per column for a grid step of 62.50 ms, 0.79 % slower"},
        {"mido-tempo-map.mid", 16, ""}};
    for (const auto& [file, grid, tempo] : cases) {
        const MelodyImport imported = importMidi(songIn(file), {0, grid});
        EXPECT_EQ(imported.largestSnapErrorMs, 0) << file << grid;
        EXPECT_EQ(tempoRoundingReport(imported), tempo.empty() ? "" : "tempo rounded: " + tempo);
    }
}

TEST(MidiImport, NotesWithoutLengthAreCountedAndAVoiceOfNothingElseSaysSo) {
    const MidiSong song = songIn("mido-zero-length.mid");
    ASSERT_EQ(song.voices.size(), 1u);
    EXPECT_EQ(song.voices[0].noteCount, 5);
    EXPECT_EQ(soundingNotes(song, 0), 2);
    const MelodyImport imported = importMidi(song, {});
    EXPECT_EQ(imported.unheardNotes, 3);
    EXPECT_EQ(test::noteRows(imported.melody), rowsOf({{60, 4}, {64, 4}}));
    EXPECT_EQ(silentVoiceReason(song, 0), "");
    EXPECT_EQ(unheardNotesReport(3), "3 notes have no length and are not heard");
    EXPECT_EQ(unheardNotesReport(1), "1 note has no length and is not heard");

    const MidiSong silent = songIn("mido-silent.mid");
    EXPECT_EQ(soundingNotes(silent, 0), 0);
    EXPECT_EQ(silentVoiceReason(silent, 0),
              "no note of track 1 channel 1 sounds: its 3 notes end where they start");
}

TEST(MidiImport, ALongSongIsCutWithAWarningThatSaysWhere) {
    // 5,000 sixteenth notes at 120 quarters a minute: 4096 fit, the 4097th starts 8:32.0 in.
    MidiSong song;
    song.voices.push_back({0, 0, "long", 5000});
    for (std::int32_t i = 0; i < 5000; ++i)
        song.notes.push_back({0, 60 + i % 12, i * 125.0, (i + 1) * 125.0});
    const MelodyImport imported = importMidi(song, {});
    EXPECT_EQ(imported.melody.lastColumn, MaxColumnCount - 1);
    EXPECT_THAT(imported.warning, HasSubstr("cut at note 4097 of 5000, 8:32.0 into the song"));
    EXPECT_EQ(test::holdableProblem(imported.melody), "");
}

TEST(MidiFile, DamagedFilesAreRefusedWithAReasonAndNeverCrash) {
    const std::vector<std::uint8_t> good = fileBytes(MidiFolder / "midi/mido-tempo-map.mid");
    // Every cut of a good file, and a byte changed at every place: refused with a reason, or
    // a melody the editor can hold.
    const auto problem = [](std::span<const std::uint8_t> bytes) -> std::string {
        const MidiParse parsed = parseMidi(bytes);
        if (!parsed.song) return parsed.reason.empty() ? "refused without a reason" : "";
        return parsed.song->voices.empty()
                   ? ""
                   : test::holdableProblem(importMidi(*parsed.song, {}).melody);
    };
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_EQ(problem({good.data(), size}), "") << "cut at " << size;
    for (std::size_t at = 0; at < good.size(); ++at) {
        std::vector<std::uint8_t> changed = good;
        changed[at] ^= 0xA5;
        EXPECT_EQ(problem(changed), "") << "changed at " << at;
    }
    // A track name reaches terminals and dialogs without control characters.
    const MidiParse named = parseMidi(writeMidi({{440, 0, 100}}, 100, "a\x1b[2Jb\n"));
    ASSERT_TRUE(named.song.has_value());
    EXPECT_EQ(named.song->voices.at(0).name, "a [2Jb ");
    std::vector<std::uint8_t> type2 = good;
    type2[9] = 2;
    EXPECT_THAT(parseMidi(type2).reason, HasSubstr("type 2"));
    EXPECT_THAT(parseMidi({good.data(), good.size() - 3}).reason, HasSubstr("cut short"));
    EXPECT_THAT(parseMidi(std::vector<std::uint8_t>(100, 'x')).reason, HasSubstr("MThd"));

    // The inputs the fuzzer kept for their coverage, replayed without clang, and the test
    // files, among them two that crash other MIDI readers.
    int fileCount = 0;
    for (const char* folder : {"midi-corpus", "midi"})
        for (const auto& entry : std::filesystem::directory_iterator(MidiFolder / folder)) {
            if (entry.path().extension() == ".sh") continue;
            ++fileCount;
            EXPECT_EQ(test::midiProblem(fileBytes(entry.path())), "") << entry.path().filename();
        }
    EXPECT_GE(fileCount, 12);
}

} // namespace
} // namespace vemo
