#include "convert/CodeDialects.h"

#include "convert/Targets.h"

#include <algorithm>
#include <utility>

namespace vemo {

namespace {

using Lines = std::vector<std::string>;

// std::to_string writes plain decimal with a leading '-', no grouping, no padding.
std::string number(std::int32_t value) {
    return std::to_string(value);
}

Lines beepLines(const ToneList& tones) {
    Lines lines;
    lines.reserve(tones.size());
    for (const ToneEvent& event : tones) {
        if (event.isRest != 0)
            lines.push_back("Delay(" + number(event.duration) + ")");
        else
            lines.push_back("Beep_( " + number(event.frequency) + ", " + number(event.duration) +
                            " )");
    }
    return lines;
}

Lines arduinoLines(const ToneList& tones) {
    Lines lines{
        "const int BUZZER_PIN = 8;",
        "// Each tone lasts until the next statement: with tone(pin, f, d) instead, the AVR core's",
        "// timer interrupt ends the tone while the next tone() call runs, and that note comes out",
        "// wrong or silent."};
    for (const ToneEvent& event : tones) {
        const std::string start = event.isRest != 0
                                      ? std::string("noTone(BUZZER_PIN);")
                                      : "tone(BUZZER_PIN, " + number(event.frequency) + ");";
        lines.push_back(start + " delay(" + number(event.duration) + ");");
    }
    lines.push_back("noTone(BUZZER_PIN);");
    return lines;
}

// Table rows hold 16-bit values: a longer tone or rest takes several rows of the same frequency.
constexpr std::int32_t LongestRowMs = 65535;

// The rows "  {f, d}," of a table, 0 for a rest, the last without its comma.
Lines tableRows(const ToneList& tones) {
    Lines rows;
    for (const ToneEvent& event : tones) {
        const std::int32_t frequency = event.isRest != 0 ? 0 : event.frequency;
        std::int32_t remainingMs = event.duration;
        do {
            const std::int32_t rowMs = std::min(remainingMs, LongestRowMs);
            rows.push_back("  {" + number(frequency) + ", " + number(rowMs) + "},");
            remainingMs -= rowMs;
        } while (remainingMs > 0);
    }
    rows.back().pop_back();
    return rows;
}

constexpr const char* TableComment =
    "{frequency in Hz, duration in ms} per row; frequency 0 is a rest.";

Lines arduinoTableLines(const ToneList& tones) {
    Lines lines{std::string("// ") + TableComment, "const uint16_t melody[][2] PROGMEM = {"};
    const Lines rows = tableRows(tones);
    lines.insert(lines.end(), rows.begin(), rows.end());
    const Lines player{
        "};",
        "const bool LOOP = false; // true: start over after the last row",
        "const int BUZZER_PIN = 8;",
        "const uint16_t MELODY_ROWS = sizeof melody / sizeof melody[0];",
        "",
        "uint16_t melodyRow = 0;",
        "unsigned long melodyRowStartMs = 0;",
        "bool isMelodyPlaying = true;",
        "",
        "// tone() without a duration: the next row ends it, no timer interrupt cuts it short.",
        "void startMelodyRow() {",
        "  uint16_t frequency = pgm_read_word(&melody[melodyRow][0]);",
        "  if (frequency == 0) noTone(BUZZER_PIN);",
        "  else tone(BUZZER_PIN, frequency);",
        "}",
        "",
        "void setup() {",
        "  melodyRowStartMs = millis();",
        "  startMelodyRow();",
        "}",
        "",
        "// Never waits, so loop() can do more work; each row starts where the one before ended, "
        "so",
        "// a late look at the clock does not delay the rest of the melody.",
        "void loop() {",
        "  unsigned long nowMs = millis();",
        "  while (isMelodyPlaying) {",
        "    uint16_t rowMs = pgm_read_word(&melody[melodyRow][1]);",
        "    if (nowMs - melodyRowStartMs < rowMs) return;",
        "    melodyRowStartMs += rowMs;",
        "    melodyRow = melodyRow + 1 < MELODY_ROWS ? melodyRow + 1 : 0;",
        "    if (melodyRow == 0 && !LOOP) {",
        "      noTone(BUZZER_PIN);",
        "      isMelodyPlaying = false;",
        "    } else {",
        "      startMelodyRow();",
        "    }",
        "  }",
        "}"};
    lines.insert(lines.end(), player.begin(), player.end());
    return lines;
}

Lines cArrayLines(const ToneList& tones) {
    Lines lines{std::string("/* ") + TableComment + " */", "#include <stdint.h>", "",
                "const uint16_t melody[][2] = {"};
    const Lines rows = tableRows(tones);
    lines.insert(lines.end(), rows.begin(), rows.end());
    lines.push_back("};");
    lines.push_back("const unsigned int melody_length = " + number(std::int32_t(rows.size())) +
                    ";");
    return lines;
}

// Arduino-ESP32 3.x names the pin in every LEDC call; ledcWriteTone sets its own resolution and a
// half duty, and frequency 0 silences the pin.
Lines esp32Lines(const ToneList& tones) {
    Lines lines{
        "// Arduino-ESP32 core 3.x: ledcAttach and ledcWriteTone take the pin; the 2.x calls",
        "// ledcSetup and ledcAttachPin are gone. ledcWriteTone(pin, 0) silences the pin.",
        std::string("// ") + TableComment, "const uint16_t melody[][2] = {"};
    const Lines rows = tableRows(joinedRests(tones));
    lines.insert(lines.end(), rows.begin(), rows.end());
    const Lines player{"};",
                       "const int BUZZER_PIN = 4;",
                       "",
                       "void setup() {",
                       "  // Claims a channel; each row's ledcWriteTone sets the frequency.",
                       "  if (!ledcAttach(BUZZER_PIN, 1000, 10)) return;",
                       "  for (const auto& row : melody) {",
                       "    ledcWriteTone(BUZZER_PIN, row[0]);",
                       "    delay(row[1]);",
                       "  }",
                       "  ledcWriteTone(BUZZER_PIN, 0);",
                       "}",
                       "",
                       "void loop() {}"};
    lines.insert(lines.end(), player.begin(), player.end());
    return lines;
}

// Whole seconds and the milliseconds without trailing zeros: 240 is "0.24", 2000 is "2".
std::string seconds(std::int32_t durationMs) {
    return decimalText(durationMs, 3);
}

// One command line: `beep` cannot start with silence, so a rest before the first tone is a
// `sleep`; a rest after a tone is that tone's -D, the delay after it.
Lines linuxBeepLines(const ToneList& tones) {
    std::int32_t leadingRestMs = 0;
    std::vector<std::pair<std::string, std::int32_t>> notes; // "-f F -l L", the rest after it
    for (const ToneEvent& event : tones) {
        if (event.isRest == 0)
            notes.emplace_back("-f " + number(event.frequency) + " -l " + number(event.duration),
                               0);
        else if (notes.empty())
            leadingRestMs += event.duration;
        else
            notes.back().second += event.duration;
    }
    std::string command;
    if (leadingRestMs > 0) command = "sleep " + seconds(leadingRestMs);
    if (!notes.empty() && !command.empty()) command += " && ";
    if (!notes.empty()) command += "beep";
    bool isFirstNote = true;
    for (const auto& [note, restMs] : notes) {
        command += isFirstNote ? " " : " -n ";
        command += note;
        if (restMs > 0) command += " -D " + number(restMs);
        isFirstNote = false;
    }
    return {command};
}

} // namespace

std::vector<std::string> codeLinesFor(CodeDialect dialect, const ToneList& tones) {
    if (tones.empty()) return {};
    switch (dialect) {
    case CodeDialect::Beep:
        return beepLines(tones);
    case CodeDialect::Arduino:
        return arduinoLines(tones);
    case CodeDialect::ArduinoTable:
        return arduinoTableLines(tones);
    case CodeDialect::LinuxBeep:
        return linuxBeepLines(tones);
    case CodeDialect::CArray:
        return cArrayLines(tones);
    case CodeDialect::Esp32:
        return esp32Lines(tones);
    }
    return {};
}

std::string decimalText(std::int64_t scaled, std::int32_t places) {
    std::int64_t unit = 1;
    for (std::int32_t place = 0; place < places; ++place)
        unit *= 10;
    const std::int64_t magnitude = scaled < 0 ? -scaled : scaled;
    std::string text = (scaled < 0 ? "-" : "") + std::to_string(magnitude / unit);
    if (magnitude % unit == 0) return text;
    std::string fraction = std::to_string(unit + magnitude % unit).substr(1);
    while (fraction.back() == '0')
        fraction.pop_back();
    return text + "." + fraction;
}

} // namespace vemo
