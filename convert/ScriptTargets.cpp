#include "convert/ScriptTargets.h"

#include "convert/CodeDialects.h"

#include <algorithm>

namespace vemo {

namespace {

using Lines = std::vector<std::string>;

// How one Python flavour drives a PWM pin: everything but the melody's own calls.
struct PythonPwm {
    Lines opening;                   // comment, imports, PIN and the one PWM object
    std::string unit;                // the name of the duration argument
    std::string setFrequency;        // with `hz`
    std::string soundOn;             // a square wave: half of each wave high
    std::string soundOff;            // duty 0
    std::string sleep;               // with the duration argument
    std::int32_t durationPlaces = 0; // 0: milliseconds; 3: seconds with milliseconds
};

Lines pythonScript(const PythonPwm& pwm, const ToneList& tones) {
    if (tones.empty()) return {};
    Lines lines = pwm.opening;
    const Lines functions{"",
                          "",
                          "def tone(hz, " + pwm.unit + "):",
                          "    " + pwm.setFrequency,
                          "    " + pwm.soundOn + "  # half of each wave high: a square wave",
                          "    " + pwm.sleep,
                          "",
                          "",
                          "def rest(" + pwm.unit + "):",
                          "    " + pwm.soundOff,
                          "    " + pwm.sleep,
                          "",
                          "",
                          "try:"};
    lines.insert(lines.end(), functions.begin(), functions.end());
    for (const ToneEvent& event : joinedRests(tones)) {
        const std::string duration = decimalText(event.duration, pwm.durationPlaces);
        lines.push_back(event.isRest != 0 ? "    rest(" + duration + ")"
                                          : "    tone(" + std::to_string(event.frequency) + ", " +
                                                duration + ")");
    }
    lines.push_back("finally:");
    lines.push_back("    pwm.deinit()  # silent also after Ctrl+C");
    return lines;
}

// Repeated freq() calls change one PWM object's timer; a second object per tone would leak
// channels on boards that have few.
const PythonPwm MicroPythonPwm{{"# MicroPython: one PWM output plays the melody; a rest is duty 0.",
                                "import time", "from machine import PWM, Pin", "",
                                "PIN = 4  # the GPIO the buzzer is on",
                                "pwm = PWM(Pin(PIN), freq=440, duty_u16=0)"},
                               "ms",
                               "pwm.freq(hz)",
                               "pwm.duty_u16(32768)",
                               "pwm.duty_u16(0)",
                               "time.sleep_ms(ms)",
                               0};

// The frequency can change after construction only with variable_frequency=True, and it must
// stay above 0, so a rest is duty cycle 0.
const PythonPwm CircuitPythonPwm{
    {"# CircuitPython: one PWM output plays the melody; a rest is duty cycle 0.", "import time", "",
     "import board", "import pwmio", "", "PIN = board.A1  # the pin the buzzer is on",
     "pwm = pwmio.PWMOut(PIN, duty_cycle=0, frequency=440, variable_frequency=True)"},
    "seconds",
    "pwm.frequency = hz",
    "pwm.duty_cycle = 32768",
    "pwm.duty_cycle = 0",
    "time.sleep(seconds)",
    3};

// Marlin's M300 plays 5 seconds at most.
constexpr std::int32_t LongestM300Ms = 5000;

std::vector<TargetProblem> problemsOf(std::optional<TargetProblem> problem) {
    if (!problem) return {};
    return {*problem};
}

} // namespace

std::vector<std::string> micropythonText(const TargetInput& input) {
    return pythonScript(MicroPythonPwm, input.tones);
}

std::vector<std::string> circuitpythonText(const TargetInput& input) {
    return pythonScript(CircuitPythonPwm, input.tones);
}

// Console.Beep blocks for the tone's length, so only rests need a wait of their own.
std::vector<std::string> powershellText(const TargetInput& input) {
    if (input.tones.empty()) return {};
    Lines lines{"# [console]::beep plays on Windows only; each call returns when its tone ends."};
    for (const ToneEvent& event : joinedRests(input.tones)) {
        const std::string duration = std::to_string(event.duration);
        lines.push_back(event.isRest != 0 ? "Start-Sleep -Milliseconds " + duration
                                          : "[console]::beep(" + std::to_string(event.frequency) +
                                                ", " + duration + ")");
    }
    return lines;
}

// A G4 right after a rest would start while the queued tone before it still sounds (Marlin 1.1
// and later play M300 in the background), so every tone has a wait of its own length.
std::vector<std::string> marlinText(const TargetInput& input) {
    if (input.tones.empty()) return {};
    Lines lines{
        "; Marlin queues each M300 tone and plays it in the background: the G4 after a tone",
        "; waits for its end, so that a rest starts in silence. M300 lasts 5 seconds at most,",
        "; so a longer tone is several M300 lines of its pitch."};
    for (const ToneEvent& event : joinedRests(input.tones)) {
        if (event.isRest != 0) {
            lines.push_back("G4 P" + std::to_string(event.duration));
            continue;
        }
        for (std::int32_t doneMs = 0; doneMs < event.duration; doneMs += LongestM300Ms) {
            const std::int32_t partMs = std::min(event.duration - doneMs, LongestM300Ms);
            lines.push_back("M300 S" + std::to_string(event.frequency) + " P" +
                            std::to_string(partMs));
        }
        lines.push_back("G4 P" + std::to_string(event.duration));
    }
    return lines;
}

std::vector<TargetProblem> micropythonCheck(const TargetInput& input) {
    return problemsOf(notesOutside(input, {1, 1000}, "MicroPython's PWM on the ESP8266",
                                   "1 to 1000 Hz", "1 Hz", "1000 Hz"));
}

std::vector<TargetProblem> powershellCheck(const TargetInput& input) {
    return problemsOf(notesOutside(input, {37, 32767}, "PowerShell's console beep",
                                   "37 to 32767 Hz", "37 Hz", "32767 Hz"));
}

} // namespace vemo
