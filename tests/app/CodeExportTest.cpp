#include "app/CodeWindow.h"

#include "app/PlaybackCommands.h"
#include "platform/Ids.h"
#include "sound/Playback.h"
#include "sound/ToneList.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/SoundFixture.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>

namespace vemo {
namespace {

using Lines = std::vector<std::string>;
using test::setNote;

class CodeExport : public ::testing::Test {
  protected:
    void SetUp() override {
        test::prepareSoundEditor(state, fake.ui);
        fake.ui.createWindow(WindowId::Code, WindowStyle::Tool, "code", {});
        fake.ui.createTextEditor(WindowId::Code, ControlId::CodeEditor, {});
    }
    void tie(std::int32_t firstColumn, std::int32_t lastColumn, std::int32_t row) {
        for (std::int32_t c = firstColumn; c <= lastColumn; ++c)
            setNote(state.melody, c, row, c > firstColumn, c < lastColumn);
    }
    Lines exported() {
        exportCode(state, fake.platform);
        return state.shell.codeLines;
    }
    std::string editorText() { return fake.ui.editorText(ControlId::CodeEditor); }
    void expectToolbar(bool isPlaying) {
        EXPECT_EQ(fake.ui.buttonEnabled(CommandId::Sing), !isPlaying);
        EXPECT_EQ(fake.ui.buttonEnabled(CommandId::ShutUp), isPlaying);
    }

    EditorState state;
    test::FakePlatform fake;
};

TEST_F(CodeExport, HeldToneRestAndToneFillTheCodeWindow) {
    tie(0, 1, 50);
    setNote(state.melody, 3, 57);
    fake.ui.controls[ControlId::CodeEditor].text = "older text";
    fake.ui.pendingEvents.push_back(commandEvent(WindowId::Main, CommandId::Sing));
    EXPECT_EQ(exported(), (Lines{"Beep_( 440, 240 )", "Delay(120)", "Beep_( 297, 120 )"}));
    EXPECT_EQ(editorText(), "Beep_( 440, 240 )\r\nDelay(120)\r\nBeep_( 297, 120 )");
    EXPECT_TRUE(fake.ui.isWindowVisible(WindowId::Code));
    EXPECT_EQ(fake.ui.focusedControl, ControlId::CodeEditor);
    EXPECT_TRUE(fake.ui.pendingEvents.empty()) << "pending events are dropped, not acted on";
    expectToolbar(false);
    EXPECT_EQ(fake.runtime.threadsStarted, 0) << "exporting plays nothing";
}

TEST_F(CodeExport, OnlyColumnsBetweenTheFirstAndLastNote) {
    setNote(state.melody, 20, 0);
    setNote(state.melody, 23, 95);
    EXPECT_EQ(exported(),
              (Lines{"Beep_( 7920, 120 )", "Delay(120)", "Delay(120)", "Beep_( 33, 120 )"}));
    setNote(state.melody, 63, 50);
    EXPECT_EQ(exported().size(), 44u);
    EXPECT_EQ(editorText().substr(editorText().size() - 19), "\r\nBeep_( 440, 120 )")
        << "no line break after the last line";
}

TEST_F(CodeExport, TiedChainIsOneLineWithTheSummedDuration) {
    for (std::int32_t length : {2, 7, 64}) {
        state.melody.grid = CellGrid(64, state.melody.lastRow + 1);
        tie(0, length - 1, 50);
        EXPECT_EQ(exported(), (Lines{"Beep_( 440, " + std::to_string(length * 120) + " )"}));
    }
    state.melody.columnDuration = 999;
    state.melody.grid = CellGrid(64, state.melody.lastRow + 1);
    tie(10, 12, 57);
    tie(13, 14, 57); // the same row right after, but not tied to the chain before
    EXPECT_EQ(exported(), (Lines{"Beep_( 297, 2997 )", "Beep_( 297, 1998 )"}));
}

TEST_F(CodeExport, SelectionStartingInsideAChainCountsOnlyItsColumns) {
    tie(2, 9, 50);
    setNote(state.melody, 12, 40);
    state.selection = {1, 5, 10, 0, 0};
    EXPECT_EQ(exported(), (Lines{"Beep_( 440, 600 )"}));
    state.selection = {1, 7, 63, 0, 0};
    EXPECT_EQ(exported(),
              (Lines{"Beep_( 440, 360 )", "Delay(120)", "Delay(120)", "Beep_( 792, 120 )"}));
}

TEST_F(CodeExport, NoNoteInRangeLeavesWindowAndTextAlone) {
    state.shell.codeLines = {"Delay(5)"};
    fake.ui.controls[ControlId::CodeEditor].text = "Delay(5)";
    fake.ui.pendingEvents.push_back(commandEvent(WindowId::Main, CommandId::GetCode));
    EXPECT_EQ(exported(), (Lines{"Delay(5)"}));
    EXPECT_EQ(editorText(), "Delay(5)");
    EXPECT_FALSE(fake.ui.isWindowVisible(WindowId::Code));
    EXPECT_NE(fake.ui.focusedControl, ControlId::CodeEditor);
    EXPECT_TRUE(fake.ui.pendingEvents.empty());
    expectToolbar(false);

    // Notes outside the selection in use do not count.
    setNote(state.melody, 30, 10);
    state.selection = {1, 0, 29, 0, 0};
    EXPECT_EQ(exported(), (Lines{"Delay(5)"}));
    EXPECT_FALSE(fake.ui.isWindowVisible(WindowId::Code));
}

TEST_F(CodeExport, DuringPlaybackTheToolbarStaysPlaying) {
    tie(0, 1, 50);
    setNote(state.melody, 3, 57);
    fake.beeper.hold();
    playMelody(state, fake.platform);
    ASSERT_TRUE(fake.beeper.waitForCalls(1));

    EXPECT_EQ(exported().size(), 3u);
    EXPECT_TRUE(fake.ui.isWindowVisible(WindowId::Code));
    expectToolbar(true);

    state.selection = {1, 40, 50, 0, 0}; // nothing to export in here
    fake.ui.hideWindow(WindowId::Code);
    EXPECT_EQ(exported().size(), 3u);
    EXPECT_FALSE(fake.ui.isWindowVisible(WindowId::Code));
    expectToolbar(true);

    fake.beeper.release();
    fake.runtime.joinAll();
    showPlaybackEnded(state.playback, fake.ui);
    expectToolbar(false);
    exportCode(state, fake.platform);
    expectToolbar(false);
}

// Reads the exported text back as sounds: (frequency, duration) or a rest of some duration.
ToneList parseCode(const std::string& text) {
    static const std::regex tone(R"(Beep_\( (-?\d+), (-?\d+) \))");
    static const std::regex rest(R"(Delay\((-?\d+)\))");
    ToneList sounds;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        std::smatch match;
        if (std::regex_match(line, match, tone))
            sounds.push_back({std::stoi(match[1]), 0, std::stoi(match[2])});
        else if (std::regex_match(line, match, rest))
            sounds.push_back({0, 1, std::stoi(match[1])});
        else
            ADD_FAILURE() << "not a statement: '" << line << "'";
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return sounds;
}

TEST_F(CodeExport, ExportedTextSoundsLikeTheToneList) {
    std::mt19937 random(90125);
    std::uniform_int_distribution<std::int32_t> anyColumn(0, 63);
    std::uniform_int_distribution<std::int32_t> anyDuration(MinColumnDuration, MaxColumnDuration);
    std::bernoulli_distribution coin(0.5);
    int exports = 0;
    for (int round = 0; round < 200; ++round) {
        state.melody.grid = CellGrid(64, state.melody.lastRow + 1);
        state.melody.columnDuration = anyDuration(random);
        test::fillRandom(state.melody, random, coin(random) ? 0.6 : 0.05);
        const std::int32_t a = anyColumn(random);
        const std::int32_t b = anyColumn(random);
        state.selection = {coin(random) ? 1 : 0, std::min(a, b), std::max(a, b), 0, 0};
        const MelodyRange range = melodyRange(state.melody, state.selection);
        fake.ui.controls[ControlId::CodeEditor].text = "before";
        exportCode(state, fake.platform);
        if (range.firstNoteColumn < 0) {
            EXPECT_EQ(editorText(), "before");
            continue;
        }
        ++exports;
        const ToneList expected = buildToneList(state.melody, state.pitch, range);
        ASSERT_EQ(parseCode(editorText()), expected) << "round " << round;
        ASSERT_EQ(state.shell.codeLines.size(), expected.size());
    }
    EXPECT_GT(exports, 100) << "the random melodies should mostly hold notes";
}

} // namespace
} // namespace vemo
