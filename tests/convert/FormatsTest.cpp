#include "convert/Formats.h"
#include "model/Columns.h"
#include "sound/ToneList.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <random>

namespace vemo {
namespace {

ToneList tonesOf(const MelodyImport& melody) {
    return buildToneList(melody.melody, melody.pitch, melodyRange(melody.melody, {}));
}

// Each entry is tried as the editor and the tool meet it: written under its own extension, then,
// where it is read, told apart from the others by that file and read back as the same tones.
TEST(Formats, EachWritesASmallMelodyAndTheReadOnesGiveItsTonesBack) {
    Melody melody;
    test::resetMelody(melody, 32);
    test::setNote(melody, 0, 50, false, true);
    test::setNote(melody, 1, 50, true, false);
    test::setNote(melody, 3, 57);
    Pitch pitch;
    test::startPitch(pitch);
    const ToneList tones = buildToneList(melody, pitch, melodyRange(melody, {}));
    ASSERT_EQ(tones.size(), 3u);

    const test::TempFolder folder;
    for (const Format& format : formats()) {
        ASSERT_NE(format.write, nullptr) << format.name << " has no writer to start from";
        const std::string path =
            folder.file(std::string(format.name) + "." +
                        std::string(format.extensions.substr(0, format.extensions.find(' '))));
        ASSERT_TRUE(format.write(format, path, {melody, {tones, 120, 0, DefaultGridStep, "tune"}}))
            << format.name;
        EXPECT_GT(std::filesystem::file_size(path), 0u) << format.name;
        if (format.read == nullptr) continue;

        const std::vector<const Format*> readable = readFormats();
        const Format* found = formatByBeginning(path, readable);
        EXPECT_EQ(found ? found : formatByExtension(path, readable), &format) << format.name;
        SongFile file = format.read(path);
        ASSERT_TRUE(file.song) << format.name << ": " << file.reason;
        EXPECT_EQ(tonesOf(melodyOf(std::move(*file.song))), tones) << format.name;
    }
}

// Notes of one pitch that follow each other heard as one.
ToneList joined(const ToneList& tones) {
    ToneList heard;
    for (const ToneEvent& tone : tones) {
        if (!heard.empty() && heard.back().frequency == tone.frequency &&
            heard.back().isRest == tone.isRest)
            heard.back().duration += tone.duration;
        else
            heard.push_back(tone);
    }
    return heard;
}

// Random melodies, sixteenths at tempi every format says exactly: a format whose check finds
// nothing gives the tones back as they were; one that splits long tones gives them back at least
// as the same sound.
TEST(Formats, TheConvertedOnesGiveRandomMelodiesBackAsTheirCheckSays) {
    std::mt19937 random(77u);
    Pitch pitch;
    test::startPitch(pitch);
    const test::TempFolder folder;
    for (int trial = 0; trial < 30; ++trial) {
        Melody melody;
        test::resetMelody(melody, 48);
        melody.columnDuration = std::array{60, 75, 100, 120, 125, 150}[trial % 6];
        test::fillRandom(melody, random);
        const TargetInput input{buildToneList(melody, pitch, melodyRange(melody, {})),
                                melody.columnDuration, 0, DefaultGridStep, "r"};
        if (input.tones.empty()) continue;
        for (const Format* format : convertFormats()) {
            const std::string path = folder.file("random." + std::string(format->name));
            ASSERT_TRUE(format->write(*format, path, {melody, input}));
            SongFile file = format->read(path);
            ASSERT_TRUE(file.song) << format->name << ": " << file.reason;
            const ToneList back = tonesOf(melodyOf(std::move(*file.song)));
            // Notes outside the device's octaves come back moved as the export would move them.
            const std::vector<TargetProblem> problems =
                format->check ? format->check(input) : std::vector<TargetProblem>{};
            Melody fitted = melody;
            for (const TargetProblem& problem : problems)
                if (problem.octaveFit)
                    fitNotesByOctaves(fitted, pitch, {}, problem.octaveFit->lowest,
                                      problem.octaveFit->highest);
            const ToneList sent = buildToneList(fitted, pitch, melodyRange(fitted, {}));
            if (problems.empty())
                EXPECT_EQ(back, sent) << format->name;
            else
                EXPECT_EQ(joined(back), joined(sent)) << format->name;
        }
    }
}

} // namespace
} // namespace vemo
