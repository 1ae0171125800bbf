#include "convert/Formats.h"
#include "sound/ToneList.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

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

} // namespace
} // namespace vemo
