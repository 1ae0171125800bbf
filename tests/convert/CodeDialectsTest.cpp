#include "convert/CodeDialects.h"
#include "convert/Formats.h"
#include "model/Melody.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numeric>
#include <random>
#include <set>
#include <sstream>

namespace vemo {
namespace {

using Lines = std::vector<std::string>;

Lines linesIn(std::string_view name, const ToneList& tones) {
    const Format* format = textFormatNamed(name);
    if (format == nullptr) {
        ADD_FAILURE() << "no text format '" << name << "'";
        return {};
    }
    return format->text({tones, 120, 0, DefaultGridStep, "tune"});
}

const ToneList ToneRestTone{{440, 0, 240}, {0, 1, 120}, {297, 0, 120}};

TEST(CodeDialects, NamesLeadToDistinctTextsWithTheProgramTextsFirstAndBeepFirstOfAll) {
    const std::vector<std::string_view> names = textFormatNames();
    const std::vector<std::string_view> programTexts = {"beep", "arduino", "arduino-table",
                                                        "linux-beep", "c-array"};
    ASSERT_GE(names.size(), programTexts.size());
    EXPECT_TRUE(std::equal(programTexts.begin(), programTexts.end(), names.begin()));
    std::set<const Format*> texts;
    for (std::string_view name : names)
        texts.insert(textFormatNamed(name));
    EXPECT_EQ(texts.size(), names.size());
    for (std::string_view wrong : {"", "Beep", "arduino ", "vemo", "midi", "c"})
        EXPECT_FALSE(textFormatNamed(wrong)) << wrong;
}

TEST(CodeDialects, ToneRestToneInEachDialect) {
    EXPECT_EQ(linesIn("beep", ToneRestTone),
              (Lines{"Beep_( 440, 240 )", "Delay(120)", "Beep_( 297, 120 )"}));

    const Lines arduino = linesIn("arduino", ToneRestTone);
    ASSERT_GE(arduino.size(), 5u);
    EXPECT_EQ(arduino.front(), "const int BUZZER_PIN = 8;");
    EXPECT_EQ(Lines(arduino.end() - 4, arduino.end()),
              (Lines{"tone(BUZZER_PIN, 440); delay(240);", "noTone(BUZZER_PIN); delay(120);",
                     "tone(BUZZER_PIN, 297); delay(120);", "noTone(BUZZER_PIN);"}));

    const Lines sketch = linesIn("arduino-table", ToneRestTone);
    const auto table =
        std::find(sketch.begin(), sketch.end(), "const uint16_t melody[][2] PROGMEM = {");
    ASSERT_LE(table + 5, sketch.end());
    EXPECT_EQ(Lines(table + 1, table + 5),
              (Lines{"  {440, 240},", "  {0, 120},", "  {297, 120}", "};"}));
    EXPECT_EQ(std::count(sketch.begin(), sketch.end(),
                         "const bool LOOP = false; // true: start over after the last row"),
              1);

    EXPECT_EQ(
        linesIn("c-array", {{440, 0, 70000}, {0, 1, 120}}),
        (Lines{"/* {frequency in Hz, duration in ms} per row; frequency 0 is a rest. */",
               "#include <stdint.h>", "", "const uint16_t melody[][2] = {", "  {440, 65535},",
               "  {440, 4465},", "  {0, 120}", "};", "const unsigned int melody_length = 3;"}));

    EXPECT_EQ(linesIn("linux-beep", ToneRestTone),
              (Lines{"beep -f 440 -l 240 -D 120 -n -f 297 -l 120"}));
    EXPECT_EQ(linesIn("linux-beep", {{0, 1, 240}, {0, 1, 1000}, {7920, 0, 5}}),
              (Lines{"sleep 1.24 && beep -f 7920 -l 5"}));

    for (std::string_view name : textFormatNames())
        EXPECT_TRUE(linesIn(name, {}).empty()) << name << " writes text without tones";
}

// Tones as tied chains of a random column duration, with rests between, and one tone longer
// than a 16-bit table row holds.
ToneList randomTones(std::mt19937& random) {
    std::uniform_int_distribution<std::int32_t> anyFrequency(33, 7920);
    std::uniform_int_distribution<std::int32_t> anyChain(1, 6);
    std::uniform_int_distribution<std::int32_t> anyColumnMs(MinColumnDuration, MaxColumnDuration);
    std::bernoulli_distribution isRest(0.3);
    const std::int32_t columnMs = anyColumnMs(random);
    ToneList tones;
    for (int i = 0; i < 60; ++i)
        tones.push_back(isRest(random)
                            ? ToneEvent{0, 1, columnMs}
                            : ToneEvent{anyFrequency(random), 0, columnMs * anyChain(random)});
    tones[30] = {anyFrequency(random), 0, 70 * MaxColumnDuration};
    return tones;
}

// What `beep` and `sleep` would sound: -f and -l make a tone, -D and sleep a rest.
ToneList parseBeepCommand(const std::string& line) {
    std::istringstream words(line);
    const auto next = [&words] {
        std::string word;
        words >> word;
        return word;
    };
    ToneList sounds;
    for (std::string word; words >> word;) {
        if (word == "sleep")
            sounds.push_back({0, 1, std::int32_t(std::lround(std::stod(next()) * 1000))});
        else if (word == "-f")
            sounds.push_back({std::stoi(next()), 0, 0});
        else if (word == "-l" && !sounds.empty() && sounds.back().isRest == 0)
            sounds.back().duration = std::stoi(next());
        else if (word == "-D")
            sounds.push_back({0, 1, std::stoi(next())});
        else if (word != "&&" && word != "beep" && word != "-n")
            ADD_FAILURE() << "unexpected '" << word << "' in " << line;
    }
    return sounds;
}

TEST(CodeDialects, LinuxBeepCommandSoundsLikeTheTones) {
    std::mt19937 random(1871);
    for (int round = 0; round < 20; ++round) {
        ToneList tones = randomTones(random);
        tones.insert(tones.begin(), round % 3, ToneEvent{0, 1, 40 * round + 7});
        // `beep` has one delay after each tone, so the rests between two tones are heard as one.
        const ToneList expected = joinedRests(tones);
        const Lines lines = linesIn("linux-beep", tones);
        ASSERT_EQ(lines.size(), 1u);
        ASSERT_EQ(parseBeepCommand(lines.front()), expected) << lines.front();
    }
}

// Arduino's calls as the sketches use them. Each call is printed with the virtual time, which
// delay() moves on and main() advances by one millisecond per loop(), as a board's clock would.
// tone() takes no duration, so a sketch that used one would not compile; nor would an ESP32 sketch
// with the LEDC calls that core 3.x removed.
constexpr const char* StandInArduino = R"(#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#define PROGMEM
unsigned long virtualMs = 0;
bool isLoopAsked = false;
void tone(int pin, unsigned int frequencyHz) { std::printf("%lu %d %u\n", virtualMs, pin, frequencyHz); }
void noTone(int pin) { std::printf("%lu %d 0\n", virtualMs, pin); }
void delay(unsigned long ms) { virtualMs += ms; }
unsigned long millis() { return virtualMs; }
uint16_t pgm_read_word(const void* address) { return *static_cast<const uint16_t*>(address); }
int ledcPin = -1;
bool ledcAttach(uint8_t pin, uint32_t frequencyHz, uint8_t bits) {
    if (frequencyHz > 0 && bits > 0 && bits <= 14) ledcPin = pin;
    return ledcPin == pin;
}
uint32_t ledcWriteTone(uint8_t pin, uint32_t frequencyHz) {
    if (pin != ledcPin) std::abort();
    std::printf("%lu %d %u\n", virtualMs, pin, frequencyHz);
    return frequencyHz;
}
)";

constexpr const char* StandInMain = R"(
int main(int, char* argv[]) {
    const bool isEsp32 = std::strcmp(argv[1], "esp32") == 0;
    const bool isTable = !isEsp32 && std::strcmp(argv[1], "blocking") != 0;
    isLoopAsked = std::strcmp(argv[1], "loop") == 0;
    const unsigned long runMs = std::strtoul(argv[2], nullptr, 10);
    void (*setup)() = isEsp32 ? esp32::setup : isTable ? table::setup : blocking::setup;
    void (*loop)() = isEsp32 ? esp32::loop : isTable ? table::loop : blocking::loop;
    setup();
    for (; virtualMs < runMs; ++virtualMs) loop();
}
)";

struct Call {
    unsigned long atMs = 0;
    int pin = 0;
    std::int32_t frequency = 0; // 0: noTone
};

std::vector<Call> readCalls(const std::string& path) {
    std::ifstream in(path);
    std::vector<Call> calls;
    for (Call call; in >> call.atMs >> call.pin >> call.frequency;)
        calls.push_back(call);
    return calls;
}

// Every call but the last starts a sound that lasts until the next one.
ToneList soundsBetween(const std::vector<Call>& calls) {
    ToneList sounds;
    for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
        const auto durationMs = std::int32_t(calls[i + 1].atMs - calls[i].atMs);
        sounds.push_back({calls[i].frequency, calls[i].frequency == 0 ? 1 : 0, durationMs});
    }
    return sounds;
}

std::string joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

TEST(CodeDialects, ArduinoSketchesPlayTheTonesOnAStandIn) {
    std::mt19937 random(4711);
    const ToneList tones = randomTones(random);
    std::string table = joined(linesIn("arduino-table", tones));
    const std::string loopLine = "const bool LOOP = false;";
    const std::size_t loopAt = table.find(loopLine);
    ASSERT_NE(loopAt, std::string::npos) << table;
    table.replace(loopAt, loopLine.size(), "const bool& LOOP = isLoopAsked; // set by main()");

    test::TempFolder folder;
    std::ofstream(folder.file("sketch.cpp"))
        << StandInArduino << "namespace blocking {\nvoid setup() {\n"
        << joined(linesIn("arduino", tones)) << "}\nvoid loop() {}\n}\nnamespace table {\n"
        << table << "}\nnamespace esp32 {\n"
        << joined(linesIn("esp32", tones)) << "}\n"
        << StandInMain;
    const std::string program = folder.file("sketch");
    const std::string compile = std::string(VEMO_CXX_COMPILER) +
                                " -std=c++17 -Wall -Wextra -Werror -o " + program + " " +
                                folder.file("sketch.cpp") + " 2>" + folder.file("compiler.txt");
    ASSERT_EQ(std::system(compile.c_str()), 0)
        << std::ifstream(folder.file("compiler.txt")).rdbuf();

    const auto run = [&](const std::string& mode, unsigned long runMs) {
        const std::string calls = folder.file(mode + ".txt");
        EXPECT_EQ(std::system(
                      (program + " " + mode + " " + std::to_string(runMs) + " >" + calls).c_str()),
                  0);
        return readCalls(calls);
    };
    const auto totalMs = static_cast<unsigned long>(
        std::accumulate(tones.begin(), tones.end(), 0,
                        [](int sum, const ToneEvent& e) { return sum + e.duration; }));
    // A table row holds at most 65535 ms: the long tone is played as two rows of its pitch.
    ToneList rows = tones;
    rows[30].duration = 65535;
    rows.insert(rows.begin() + 31, {tones[30].frequency, 0, tones[30].duration - 65535});

    const std::vector<Call> blocking = run("blocking", 0);
    EXPECT_EQ(soundsBetween(blocking), tones);
    const std::vector<Call> once = run("once", totalMs + 5000);
    EXPECT_EQ(soundsBetween(once), rows);
    // The ESP32 sketch waits once for a run of rests.
    const std::vector<Call> esp32 = run("esp32", 0);
    EXPECT_EQ(soundsBetween(esp32), joinedRests(rows));
    for (const std::vector<Call>* calls : {&blocking, &once, &esp32}) {
        ASSERT_FALSE(calls->empty());
        EXPECT_EQ(calls->back().frequency, 0) << "the buzzer is silenced at the end";
        EXPECT_EQ(calls->back().atMs, totalMs);
        for (const Call& call : *calls)
            EXPECT_EQ(call.pin, calls == &esp32 ? 4 : 8);
    }
    // Looping: at the end of the second round the first row starts a third time.
    ToneList twice = rows;
    twice.insert(twice.end(), rows.begin(), rows.end());
    const std::vector<Call> looped = run("loop", 2 * totalMs + 1);
    EXPECT_EQ(soundsBetween(looped), twice);
    ASSERT_FALSE(looped.empty());
    EXPECT_EQ(looped.back().frequency, tones.front().frequency);
}

TEST(CodeLines, StatementsInPlainDecimal) {
    EXPECT_EQ(codeLinesFor(CodeDialect::Beep, {{440, 0, 240}, {0, 1, 120}, {7920, 0, 5}}),
              (Lines{"Beep_( 440, 240 )", "Delay(120)", "Beep_( 7920, 5 )"}));
    EXPECT_EQ(codeLinesFor(CodeDialect::Beep, {{0, 0, 0}, {0, 1, 0}}),
              (Lines{"Beep_( 0, 0 )", "Delay(0)"}));
    EXPECT_EQ(codeLinesFor(CodeDialect::Beep, {{-33, 0, -1200}, {0, 1, -7}}),
              (Lines{"Beep_( -33, -1200 )", "Delay(-7)"}));
    EXPECT_TRUE(codeLinesFor(CodeDialect::Beep, {}).empty());
}

} // namespace
} // namespace vemo
