#include "app/UndoCommands.h"
#include "convert/Formats.h"
#include "convert/MidiFile.h"
#include "convert/RtttlWriter.h"
#include "sound/ToneList.h"
#include "sound/WaveFile.h"
#include "tests/app/EventLoopFixture.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <filesystem>

namespace vemo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes textBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// The text a format writes of the tones at 120 ms a column; the name matters to ringtones.
Bytes codeFile(std::string_view format, const ToneList& tones, const std::string& name = "tune") {
    std::string text;
    for (const std::string& line : textFormatNamed(format)->text({tones, 120, 0, 16, name}))
        text += line + "\n";
    return textBytes(text);
}

Bytes waveFile(const ToneList& tones) {
    Bytes bytes;
    streamWave(tones, [&](std::span<const std::uint8_t> block) {
        bytes.insert(bytes.end(), block.begin(), block.end());
        return true;
    });
    return bytes;
}

class Export : public test::EventLoopFixture {
  protected:
    // A note of 440 Hz held over columns 0 and 1, an empty column, a note on row 57.
    void writeTune() {
        test::setNote(state.melody, 0, 50, false, true);
        test::setNote(state.melody, 1, 50, true, false);
        test::setNote(state.melody, 3, 57);
    }
    void exportAs(const std::string& path, std::int32_t filterIndex) {
        ui.saveAnswers.push_back(path);
        ui.saveFilterAnswers.push_back(filterIndex);
        command(CommandId::Export);
    }
    ToneList tones(MelodyRange range) const {
        return buildToneList(state.melody, state.pitch, range);
    }
    test::TempFolder folder;
};

TEST_F(Export, EachFormatWritesWhatItsWriterMakesAndReplacesAnOldFileWhole) {
    writeTune();
    startHistory(app.editor); // the tune is where undo stops
    const ToneList tune = tones({0, 3});
    const std::vector<std::pair<std::string, Bytes>> expected = {
        {"tune-0.rtttl", textBytes(writeRtttl(tune, 120, 16, "tune-0") + "\n")},
        {"tune-1.wav", waveFile(tune)},
        {"tune-2.txt", codeFile("beep", tune)},
        {"tune-3.txt", codeFile("arduino", tune)},
        {"tune-4.ino", codeFile("arduino-table", tune)},
        {"tune-5.sh", codeFile("linux-beep", tune)},
        {"tune-6.c", codeFile("c-array", tune)},
        {"tune-7.mid", writeMidi(tune, 120, "tune-7")},
        {"tune-8.py", codeFile("micropython", tune)},
        {"tune-9.py", codeFile("circuitpython", tune)},
        {"tune-10.ino", codeFile("esp32", tune)},
        {"tune-11.zxb", codeFile("zx", tune)},
        {"tune-12.ps1", codeFile("powershell", tune)},
        {"tune-13.gcode", codeFile("marlin", tune)},
        {"tune-14.bas", textBytes("PLAY \"T125L16O2MLA8P16MND\"\n")},
        {"tune-15.yaml", codeFile("esphome", tune, "tune-15")},
        {"tune-16.fmf", codeFile("fmf", tune, "tune-16")},
    };
    ASSERT_EQ(exportFormats().size(), expected.size());
    for (std::size_t index = 0; index < expected.size(); ++index) {
        const auto& [name, bytes] = expected[index];
        // A second name for the old file sees whether it was rewritten in place.
        const std::string target = folder.file(name);
        test::writeBytes(target, textBytes("old"));
        std::filesystem::create_hard_link(target, folder.file("kept-" + name));
        ui.boxes.clear();

        exportAs(folder.file("tune-" + std::to_string(index)), static_cast<std::int32_t>(index));
        EXPECT_EQ(ui.saveDialogs.back().filterIndex, index == 0 ? 0 : index - 1)
            << "the dialog offers the format written last";
        ASSERT_EQ(ui.boxes.size(), 1u) << name;
        EXPECT_EQ(ui.boxes[0].title, "please confirm");
        EXPECT_EQ(test::readBytes(target), bytes) << name;
        EXPECT_EQ(test::readBytes(folder.file("kept-" + name)), textBytes("old")) << name;
    }
    // Nothing but the written files and the kept old ones: no temporary is left behind.
    EXPECT_EQ(folder.entries().size(), 2 * expected.size());
    EXPECT_EQ(ui.saveDialogs.back().title, "export file");
    EXPECT_EQ(ui.saveDialogs.back().filter,
              "RTTTL ringtone|*.rtttl|WAV audio|*.wav|program text|*.txt|Arduino statements|*.txt|"
              "Arduino sketch|*.ino|Linux beep command|*.sh|C array|*.c;*.h|MIDI|*.mid;*.midi|"
              "MicroPython script|*.py|CircuitPython script|*.py|ESP32 Arduino sketch|*.ino|"
              "ZX Spectrum BASIC|*.zxb|PowerShell script|*.ps1|Marlin G-code|*.gcode|"
              "QBasic PLAY|*.bas|ESPHome YAML|*.yaml|Flipper Music Format|*.fmf");
    // The dialog opens where the last one was used.
    EXPECT_EQ(std::filesystem::path(ui.saveDialogs.back().defaultPath).parent_path(),
              folder.path());
    EXPECT_FALSE(state.history.canUndo()) << "an export changes no melody";
}

TEST_F(Export, TheTypedExtensionWinsAndAnEmptyMelodyIsWrittenOnlyWhereThatMeansSomething) {
    exportAs(folder.file("empty"), 0);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, "export");
    EXPECT_NE(ui.boxes[0].text.find("the melody has no notes"), std::string::npos);
    exportAs(folder.file("empty"), 6);
    EXPECT_NE(ui.boxes.back().text.find("C array"), std::string::npos);
    EXPECT_TRUE(folder.entries().empty());
    // Silence is a sound file of no length.
    exportAs(folder.file("empty"), 1);
    EXPECT_EQ(test::readBytes(folder.file("empty.wav")), waveFile({}));
    EXPECT_EQ(waveFile({}).size(), WaveHeaderSize);

    writeTune();
    ui.boxes.clear();
    exportAs(folder.file("Typed.WAV"), 0);
    EXPECT_EQ(test::readBytes(folder.file("Typed.WAV")), waveFile(tones({0, 3})));
    // Two formats write .txt: the chosen filter tells them apart, else the first of them.
    exportAs(folder.file("statements.txt"), 3);
    EXPECT_EQ(test::readBytes(folder.file("statements.txt")), codeFile("arduino", tones({0, 3})));
    exportAs(folder.file("text.txt"), 1);
    EXPECT_EQ(test::readBytes(folder.file("text.txt")), codeFile("beep", tones({0, 3})));
    // An unknown extension keeps its place in the name.
    exportAs(folder.file("tune.v2"), 5);
    EXPECT_EQ(test::readBytes(folder.file("tune.v2.sh")), codeFile("linux-beep", tones({0, 3})));
    // The selection in use is what is exported, as it is what plays.
    selectColumns(3, 10, true);
    exportAs(folder.file("selected"), 2);
    EXPECT_EQ(test::readBytes(folder.file("selected.txt")), codeFile("beep", tones({3, 3})));
    EXPECT_TRUE(ui.boxes.empty());

    exportAs(folder.file("missing/tune"), 0);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, "invalid file");
    EXPECT_EQ(ui.boxes[0].text.rfind(
                  "can't create \r\n\r\n'" + folder.file("missing/tune.rtttl") + "'\r\n", 0),
              0u);
}

// What the device cannot play is said before anything is written; the answer decides whether the
// file is written and whether the notes move first, as one step undo takes back.
TEST_F(Export, ADevicesProblemsAreAskedAboutBeforeWriting) {
    test::setNote(state.melody, 0, 50);
    test::setNote(state.melody, 1, 95); // C1, below the 37 Hz of PowerShell's beep
    startHistory(app.editor);
    const auto formats = exportFormats();
    const auto powershell = static_cast<std::int32_t>(
        std::find_if(formats.begin(), formats.end(),
                     [](const Format* format) { return format->name == "powershell"; }) -
        formats.begin());
    const ToneList asDrawn = tones({0, 1});
    struct Case {
        std::int32_t answer;
        bool isWritten;
        std::int32_t lowRow;
    };
    const Case cases[] = {{2, false, 95}, {1, true, 95}, {0, true, 83}};
    for (const Case& c : cases) {
        const std::string name = "low-" + std::to_string(c.answer);
        ui.choiceAnswers.push_back(c.answer);
        exportAs(folder.file(name), powershell);
        EXPECT_EQ(ui.choiceButtons.back(),
                  (std::vector<std::string>{"move notes by octaves and write", "write anyway",
                                            "go back"}));
        EXPECT_NE(ui.boxes.back().text.find("1 note is below 37 Hz, the first at column 1"),
                  std::string::npos)
            << ui.boxes.back().text;
        EXPECT_EQ(state.melody.grid.noteRow(1), c.lowRow);
        const std::string path = folder.file(name + ".ps1");
        ASSERT_EQ(std::filesystem::exists(path), c.isWritten) << c.answer;
        if (c.isWritten) {
            EXPECT_EQ(test::readBytes(path), codeFile("powershell", tones({0, 1})));
        }
    }
    EXPECT_NE(tones({0, 1}), asDrawn);
    EXPECT_EQ(ui.button(CommandId::Undo)->tooltip, "undo: move by octaves");
    command(CommandId::Undo);
    EXPECT_EQ(tones({0, 1}), asDrawn);
    EXPECT_FALSE(state.history.canUndo());
}

} // namespace
} // namespace vemo
