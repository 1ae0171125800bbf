#include "convert/Formats.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vemo {
namespace {

using Lines = std::vector<std::string>;

// Stand-ins for the boards' modules: each sleep prints what sounds during it, "hz ms", 0 for
// silence.
constexpr const char* PythonBoards = R"(import sys, types
class Pwm:
    def __init__(self, pin, freq=0, duty_u16=0, frequency=0, duty_cycle=0, variable_frequency=False):
        assert "last" not in vars(Pwm), "one PWM object for the whole melody"
        self.frequency, self.duty_cycle, self.on = freq or frequency, duty_u16 or duty_cycle, True
        Pwm.last = self
    def freq(self, hz): self.frequency = hz
    def duty_u16(self, duty): self.duty_cycle = duty
    def deinit(self): self.on = False
def slept(ms): print(Pwm.last.frequency if Pwm.last.duty_cycle else 0, round(ms))
modules = {name: types.ModuleType(name) for name in ("machine", "pwmio", "board", "time")}
modules["machine"].PWM, modules["machine"].Pin, modules["pwmio"].PWMOut = Pwm, int, Pwm
modules["board"].A1 = 27
modules["time"].sleep_ms, modules["time"].sleep = slept, lambda s: slept(s * 1000)
sys.modules.update(modules)
exec(open(sys.argv[1]).read())
assert not Pwm.last.on, "the pin is released at the end"
)";

ToneList runPython(const Lines& script) {
    test::TempFolder folder;
    std::ofstream(folder.file("boards.py")) << PythonBoards;
    std::ofstream scriptFile(folder.file("melody.py"));
    for (const std::string& line : script)
        scriptFile << line << "\n";
    scriptFile.close();
    const std::string out = folder.file("out.txt");
    const std::string run = "python3 " + folder.file("boards.py") + " " + folder.file("melody.py");
    EXPECT_EQ(std::system((run + " >" + out + " 2>&1").c_str()), 0) << std::ifstream(out).rdbuf();
    ToneList sounds;
    std::ifstream in(out);
    for (std::int32_t hz = 0, ms = 0; in >> hz >> ms;)
        sounds.push_back({hz, hz == 0 ? 1 : 0, ms});
    return sounds;
}

// What the statements of ZX BASIC, PowerShell and Marlin play; other lines are comments.
ToneList readStatements(const Lines& lines) {
    ToneList sounds;
    std::int32_t queuedMs = 0; // Marlin: tones not yet waited for
    for (const std::string& line : lines) {
        const char* text = line.c_str();
        int hz = 0;
        int ms = 0;
        double seconds = 0;
        double pitch = 0;
        if (std::sscanf(text, "%*d BEEP %lf,%lf", &seconds, &pitch) == 2) {
            sounds.push_back({std::int32_t(std::lround(261.63 * std::exp2(pitch / 12))), 0,
                              std::int32_t(std::lround(seconds * 1000))});
        } else if (std::sscanf(text, "%*d PAUSE %d", &ms) == 1) {
            sounds.push_back({0, 1, ms * 20});
        } else if (std::sscanf(text, "[console]::beep(%d, %d)", &hz, &ms) == 2 ||
                   std::sscanf(text, "M300 S%d P%d", &hz, &ms) == 2) {
            sounds.push_back({hz, 0, ms});
            queuedMs += line.starts_with("M300") ? ms : 0;
        } else if (std::sscanf(text, "G4 P%d", &ms) == 1 && queuedMs > 0) {
            EXPECT_EQ(ms, std::exchange(queuedMs, 0)) << "a wait ends with the queued tones";
        } else if (std::sscanf(text, "Start-Sleep -Milliseconds %d", &ms) == 1 ||
                   std::sscanf(text, "G4 P%d", &ms) == 1) {
            sounds.push_back({0, 1, ms});
        }
    }
    EXPECT_EQ(queuedMs, 0) << "the last tone is waited for";
    return sounds;
}

// Neighbouring sounds of one pitch, or of silence, as one: a device may split what it cannot
// play at once.
ToneList joined(const ToneList& sounds) {
    ToneList whole;
    for (const ToneEvent& sound : sounds) {
        if (!whole.empty() && whole.back().isRest == sound.isRest &&
            whole.back().frequency == sound.frequency)
            whole.back().duration += sound.duration;
        else
            whole.push_back(sound);
    }
    return whole;
}

TEST(DeviceTargets, EachTextPlaysTheTonesBack) {
    // Rests of no whole number of 20 ms frames; a note longer than one BEEP or one M300.
    const ToneList tones{{440, 0, 260},   {0, 1, 130}, {0, 1, 130},  {297, 0, 130},
                         {528, 0, 12350}, {0, 1, 130}, {990, 0, 130}};
    struct RoundTrip {
        std::string_view name;
        ToneList (*read)(const Lines& text);
        double pitchShare; // how far a pitch may be off, as a share of it
        std::int32_t restSlackMs;
    };
    for (const RoundTrip& trip :
         {RoundTrip{"micropython", runPython, 0, 0}, RoundTrip{"circuitpython", runPython, 0, 0},
          RoundTrip{"zx", readStatements, 0.0003, 10},
          RoundTrip{"powershell", readStatements, 0, 0},
          RoundTrip{"marlin", readStatements, 0, 0}}) {
        const ToneList heard =
            joined(trip.read(textFormatNamed(trip.name)->text({tones, 120, 0, 16, "tune"})));
        const ToneList expected = joined(tones);
        ASSERT_EQ(heard.size(), expected.size()) << trip.name;
        for (std::size_t i = 0; i < heard.size(); ++i) {
            EXPECT_EQ(heard[i].isRest, expected[i].isRest) << trip.name << " " << i;
            EXPECT_LE(std::abs(heard[i].frequency - expected[i].frequency),
                      expected[i].frequency * trip.pitchShare + 0.5)
                << trip.name << " " << i;
            EXPECT_LE(std::abs(heard[i].duration - expected[i].duration),
                      heard[i].isRest != 0 ? trip.restSlackMs : 0)
                << trip.name << " " << i;
        }
    }
}

TEST(DeviceTargets, ChecksTellWhatEachDeviceCannotPlay) {
    const std::vector<std::string_view> targets{"micropython", "circuitpython", "esp32",
                                                "zx",          "powershell",    "marlin"};
    struct Melody {
        std::string_view what;
        ToneList tones;
        std::vector<std::size_t> problems; // in the order of `targets`
    };
    for (const Melody& melody : {
             Melody{"within every range",
                    {{440, 0, 240}, {0, 1, 120}, {297, 0, 120}},
                    {0, 0, 0, 0, 0, 0}},
             Melody{"C1, C#1, D1", {{33, 0, 120}, {35, 0, 120}, {37, 0, 120}}, {0, 0, 0, 0, 1, 0}},
             Melody{"above 1 kHz",
                    {{990, 0, 120}, {1056, 0, 120}, {7920, 0, 120}},
                    {1, 0, 0, 0, 0, 0}},
             Melody{"a rest of 130 ms, a note of 12 s",
                    {{440, 0, 120}, {0, 1, 130}, {297, 0, 12000}},
                    {0, 0, 0, 2, 0, 0}},
             Melody{"over 65535 waves in 9 s", {{7920, 0, 9000}}, {1, 0, 0, 1, 0, 0}},
         }) {
        for (std::size_t i = 0; i < targets.size(); ++i) {
            const TargetCheck check = formatNamed(targets[i])->check;
            EXPECT_EQ(check ? check({melody.tones, 120, 0, 16, "tune"}).size() : 0,
                      melody.problems[i])
                << targets[i] << ": " << melody.what;
        }
    }
    const TargetInput low{{{440, 0, 240}, {35, 0, 120}, {33, 0, 120}}, 120, 5, 16, "tune"};
    EXPECT_EQ(formatNamed("powershell")->check(low),
              (std::vector<TargetProblem>{
                  {"PowerShell's console beep plays 37 to 32767 Hz only: 2 notes are below 37 Hz, "
                   "the first at column 7",
                   HzRange{37, 32767}}}));
    const TargetInput rest{{{440, 0, 240}, {0, 1, 130}, {297, 0, 120}}, 120, 5, 16, "tune"};
    EXPECT_EQ(formatNamed("zx")->check(rest),
              (std::vector<TargetProblem>{
                  {"ZX Spectrum PAUSE counts 20 ms frames: 1 rest is not a whole number of "
                   "frames, off by up to 10 ms, the first at column 7",
                   std::nullopt}}));
}

} // namespace
} // namespace vemo
