#include "app/FileCommands.h"
#include "app/UndoCommands.h"
#include "convert/MidiImport.h"
#include "convert/RtttlImport.h"
#include "tests/app/EventLoopFixture.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <fstream>

namespace vemo {
namespace {

MelodyImport expectedImport(const std::string& text) {
    return importRtttl(parseRtttl(text).song.value());
}

// The notes and their ties, cell for cell; the editor adds the geometry.
bool sameNotes(const CellGrid& editor, const CellGrid& imported) {
    if (editor.columnCount() != imported.columnCount()) return false;
    for (std::int32_t c = 0; c < editor.columnCount(); ++c)
        for (std::int32_t r = 0; r < editor.rowCount(); ++r) {
            const Cell& shown = editor.at(c, r);
            const Cell& read = imported.at(c, r);
            if (shown.hasNote != read.hasNote || shown.joinLeft != read.joinLeft ||
                shown.joinRight != read.joinRight)
                return false;
        }
    return true;
}

class Import : public test::EventLoopFixture {
  protected:
    std::string writeText(const std::string& name, const std::string& text) {
        std::ofstream(folder.file(name)) << text;
        return folder.file(name);
    }
    void load(const std::string& path) {
        ui.openAnswers.push_back(path);
        command(CommandId::Load);
    }
    std::string title() { return ui.windowTitle(WindowId::Main); }
    test::TempFolder folder;
};

TEST_F(Import, ARingtoneIsOneUndoStepAndLeavesNoFileName) {
    test::setNote(state.melody, 100, 40);
    state.melody.columnDuration = 77;
    ui.setSpinValue(ControlId::DurationSpin, 77);
    startHistory(app.editor);
    const CellGrid before = state.melody.grid;
    const std::string titleBefore = title();
    const std::string fileNameBefore = state.shell.fileName;

    // A sixteenth at 125 beats a minute is 120 ms exactly: nothing to report.
    const std::string text = "tune:d=4,o=5,b=125:8c6,8p,4e5,2g.5";
    const std::string path = writeText("tune.RTTTL", text);
    load(path);
    const MelodyImport expected = expectedImport(text);
    EXPECT_TRUE(sameNotes(state.melody.grid, expected.melody.grid));
    EXPECT_EQ(state.melody.lastColumn, expected.melody.lastColumn);
    EXPECT_EQ(ui.spinValue(ControlId::DurationSpin), 120);
    EXPECT_EQ(title(), TitlePrefix + path + " (imported)");
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(ui.openDialogs.back().filter,
              "*.vemo|*.vemo|*.*|*.*|MIDI|*.mid;*.midi|RTTTL|*.rtttl;*.txt|PLAY|*.bas;*.mml|"
              "Flipper Music Format|*.fmf");
    EXPECT_EQ(ui.button(CommandId::Undo)->tooltip, "undo: import");
    // "save" asks for a name in the ringtone's folder instead of offering the ringtone's.
    command(CommandId::Save);
    EXPECT_EQ(ui.saveDialogs.back().defaultPath, folder.path().string() + "/");

    command(CommandId::Undo);
    EXPECT_TRUE(state.melody.grid == before);
    EXPECT_EQ(state.melody.columnDuration, 77);
    EXPECT_EQ(ui.spinValue(ControlId::DurationSpin), 77);
    EXPECT_EQ(title(), titleBefore);
    EXPECT_FALSE(state.history.canUndo()) << "the import was more than one step";
    EXPECT_EQ(ui.button(CommandId::Redo)->tooltip, "redo: import");
}

TEST_F(Import, ABadRingtoneIsRefusedWithItsReasonAndAnInexactOneIsReported) {
    const CellGrid before = state.melody.grid;
    const std::string bad = writeText("bad.txt", "no ringtone here");
    load(bad);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, "invalid file");
    EXPECT_EQ(ui.boxes[0].text, "invalid file-format:\r\n\r\n'" + bad + "'\r\n" +
                                    parseRtttl("no ringtone here").reason);
    EXPECT_TRUE(state.melody.grid == before);
    EXPECT_FALSE(state.history.canUndo());
    load(folder.file("gone.rtttl"));
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(
        ui.boxes[1].text.rfind("can't load \r\n\r\n'" + folder.file("gone.rtttl") + "'\r\n", 0),
        0u);

    // 63 beats a minute make a sixteenth of 238.1 ms; the C of octave 9 lies above the grid.
    const std::string text = "x:d=16,o=5,b=63:c,c9,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c";
    const MelodyImport expected = expectedImport(text);
    load(writeText("inexact.txt", text));
    ASSERT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[2].title, "import");
    for (const char* line : {"\r\nlargest snapping error: 0 ms\r\n", "notes moved by octaves: 1",
                             "\r\ntempo rounded: 238 ms per column for a grid step of 238.10 ms"})
        EXPECT_NE(ui.boxes[2].text.find(line), std::string::npos) << ui.boxes[2].text;
    EXPECT_TRUE(sameNotes(state.melody.grid, expected.melody.grid));
    load(writeText("rounded.txt", "x:d=16,o=5,b=63:c,d,e"));
    EXPECT_EQ(ui.boxes.size(), 4u) << "the tempo's rounding alone is worth the box";
}

TEST_F(Import, TheCommandLineImportsARingtoneToo) {
    const std::string text = "tune:d=8,o=6,b=125:c,d,e";
    const std::string path = writeText("tune.rtttl", text);
    ASSERT_TRUE(loadMelodyFromCommandLine(app.editor, path));
    EXPECT_TRUE(sameNotes(state.melody.grid, expectedImport(text).melody.grid));
    EXPECT_EQ(title(), TitlePrefix + path + " (imported)");
    EXPECT_FALSE(loadMelodyFromCommandLine(app.editor, writeText("bad.rtttl", "x:d=4:zz")));
    EXPECT_EQ(ui.boxes.back().title, "invalid file");
}

// A type 1 file written by mido: a melody under a changing tempo, with a note below the grid,
// and drums with more notes than the melody.
const std::string MidoFile =
    std::string(VEMO_SOURCE_DIR) + "/tests/convert/midi/mido-tempo-map.mid";

MidiSong midoSong() {
    const std::vector<std::uint8_t> bytes = test::readBytes(MidoFile);
    return parseMidi(bytes).song.value();
}

TEST_F(Import, AMidiFileAsksForTheVoiceGridAndOverlapRuleAndReportsTheirResult) {
    const CellGrid before = state.melody.grid;
    load(MidoFile); // cancelled
    ASSERT_EQ(ui.forms.size(), 1u);
    const Form& form = ui.forms[0];
    EXPECT_EQ(form.title, "import MIDI");
    EXPECT_EQ(form.listEntries,
              (std::vector<std::string>{"track 2 channel 1: 8 notes \"Melody\"",
                                        "track 3 channel 10: 20 notes \"Drums\" (drums)"}));
    EXPECT_EQ(form.listChosen, 0) << "the drums are passed over";
    ASSERT_EQ(form.choices.size(), 2u);
    EXPECT_EQ(form.choices[0].entries,
              (std::vector<std::string>{"1/8 note", "1/16 note", "1/32 note"}));
    EXPECT_EQ(form.choices[0].chosen, 1);
    EXPECT_EQ(form.choices[1].chosen, 0);
    const MidiSong song = midoSong();
    const MelodyImport byDefault = importMidi(song, {0, 16, OverlapRule::Highest});
    EXPECT_NE(ui.formNotes[0].find("largest snapping error: " +
                                   std::to_string(byDefault.largestSnapErrorMs) + " ms"),
              std::string::npos);
    EXPECT_NE(ui.formNotes[0].find("notes moved by octaves: 1"), std::string::npos);
    EXPECT_TRUE(state.melody.grid == before);
    EXPECT_FALSE(state.history.canUndo()) << "a cancelled import changes nothing";

    ui.formAnswers.push_back({true, 0, {2, 1}});
    load(MidoFile);
    const MelodyImport chosen = importMidi(song, {0, 32, OverlapRule::Latest});
    // The note of the form follows the choices as they are made.
    EXPECT_NE(
        ui.formNotes.back().find(std::to_string(chosen.melody.columnDuration) + " ms per column"),
        std::string::npos);
    EXPECT_NE(ui.formNotes.back().find("\r\ntempo rounded: 63 ms per column for a grid step of "
                                       "62.50 ms, 0.79 % slower"),
              std::string::npos)
        << ui.formNotes.back();
    EXPECT_TRUE(sameNotes(state.melody.grid, chosen.melody.grid));
    EXPECT_EQ(ui.spinValue(ControlId::DurationSpin), chosen.melody.columnDuration);
    EXPECT_EQ(title(), TitlePrefix + MidoFile + " (imported)");
    EXPECT_TRUE(ui.boxes.empty()) << "the form has told the report already";
    command(CommandId::Undo);
    EXPECT_TRUE(state.melody.grid == before);
    EXPECT_FALSE(state.history.canUndo());

    const std::string damaged = writeText("damaged.mid", "MThd and nothing more");
    load(damaged);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "invalid file-format:\r\n\r\n'" + damaged + "'\r\n" +
                                    parseMidi(test::readBytes(damaged)).reason);
    EXPECT_EQ(ui.forms.size(), 2u);
}

TEST_F(Import, NotesWithoutLengthAreReportedAndAFileOfNothingElseIsRefused) {
    const std::string midiFolder = std::string(VEMO_SOURCE_DIR) + "/tests/convert/midi/";
    ui.formAnswers.push_back({true, 0, {1, 0}});
    load(midiFolder + "mido-zero-length.mid");
    EXPECT_NE(ui.formNotes.back().find("\r\n3 notes have no length and are not heard"),
              std::string::npos)
        << ui.formNotes.back();
    EXPECT_EQ(noteCount(), 8);

    const CellGrid before = state.melody.grid;
    const std::string silent = midiFolder + "mido-silent.mid";
    load(silent);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "invalid file-format:\r\n\r\n'" + silent +
                                    "'\r\nthe file has no notes that sound: all 3 end where "
                                    "they start");
    EXPECT_TRUE(state.melody.grid == before);
}

TEST_F(Import, ACancelledMidiImportOnTheCommandLineKeepsTheEditorOpen) {
    const CellGrid before = state.melody.grid;
    EXPECT_TRUE(loadMelodyFromCommandLine(app.editor, MidoFile));
    EXPECT_TRUE(state.melody.grid == before);
    ui.formAnswers.push_back({true, 1, {1, 0}});
    EXPECT_TRUE(loadMelodyFromCommandLine(app.editor, MidoFile));
    EXPECT_TRUE(sameNotes(state.melody.grid,
                          importMidi(midoSong(), {1, 16, OverlapRule::Highest}).melody.grid));
}

TEST_F(Import, WhatAFileBeginsWithWinsOverItsName) {
    const std::string midi = folder.file("renamed.txt");
    std::filesystem::copy_file(MidoFile, midi);
    load(midi); // the form is cancelled
    EXPECT_EQ(ui.forms.size(), 1u);
    EXPECT_TRUE(ui.boxes.empty());

    const std::string melody = folder.file("scale.rtttl");
    std::filesystem::copy_file(std::string(VEMO_SOURCE_DIR) + "/examples/scale.vemo", melody);
    load(melody);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(title(), TitlePrefix + melody);
    EXPECT_EQ(state.shell.fileName, melody);
}

} // namespace
} // namespace vemo
