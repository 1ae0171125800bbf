#include "convert/PlayTarget.h"

#include "convert/EqualTemper.h"
#include "convert/MelodyImport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace vemo {

namespace {

constexpr double WholeNoteMs = 4 * 60000.0;
constexpr std::int32_t SemitonesPerOctave = 12;
// GW-BASIC's longest program line and string; QBasic takes longer ones.
constexpr std::size_t MaxLineLength = 255;
const std::string StatementStart = "PLAY \"";
// Normal notes (MN) sound 7/8 of their length.
constexpr double NormalShare = 7.0 / 8.0;

// '+' for sharps: qplay reads "D#" as D, and a flat written for C or F would fall an octave.
constexpr std::array<const char*, 12> NoteNames = {"C",  "C+", "D",  "D+", "E",  "F",
                                                   "F+", "G",  "G+", "A",  "A+", "B"};

bool isDotted(std::int32_t units) {
    return units % 3 == 0;
}
std::int32_t noteValue(std::int32_t units) {
    return (isDotted(units) ? 3 * PlayUnitsPerWhole / 2 : PlayUnitsPerWhole) / units;
}

// Builds the statements; each starts afresh with the tempo and the length, the octave and the
// mode written before the first note that needs them.
class Statements {
  public:
    explicit Statements(const PlayTempo& tempo) : tempo_(tempo) { open(); }

    void add(const WrittenNote& note) {
        std::string text = textOf(note);
        if (StatementStart.size() + body_.size() + text.size() + 1 > MaxLineLength) {
            close();
            open();
            text = textOf(note);
        }
        body_ += text;
        if (note.semitone == PlayRest) return;
        octave_ = (note.semitone - PlayLowestSemitone) / SemitonesPerOctave;
        legato_ = note.isLegato ? 1 : 0;
    }

    std::vector<std::string> finished() {
        close();
        return std::move(lines_);
    }

  private:
    void open() {
        body_ = "T" + std::to_string(tempo_.tempo) + "L" + std::to_string(tempo_.value);
        octave_ = -1;
        legato_ = -1;
    }
    void close() { lines_.push_back(StatementStart + body_ + "\""); }

    std::string textOf(const WrittenNote& note) const {
        const std::string value = std::to_string(noteValue(note.units));
        if (note.semitone == PlayRest) return "P" + value;
        std::string text;
        const std::int32_t octave = (note.semitone - PlayLowestSemitone) / SemitonesPerOctave;
        if (octave_ >= 0 && octave == octave_ + 1)
            text += ">";
        else if (octave_ >= 0 && octave == octave_ - 1)
            text += "<";
        else if (octave != octave_)
            text += "O" + std::to_string(octave);
        if (legato_ != (note.isLegato ? 1 : 0)) text += note.isLegato ? "ML" : "MN";
        text += NoteNames[(note.semitone - PlayLowestSemitone) % SemitonesPerOctave];
        if (noteValue(note.units) != tempo_.value) text += value;
        if (isDotted(note.units)) text += ".";
        return text;
    }

    const PlayTempo& tempo_;
    std::vector<std::string> lines_;
    std::string body_;
    std::int32_t octave_ = -1; // -1: not yet set in this statement
    std::int32_t legato_ = -1;
};

std::string hundredths(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", ms);
    return text;
}

// "an L8 note" or "a dotted L8 note".
std::string noteName(const PlayTempo& tempo) {
    return std::string(tempo.isDotted ? "a dotted" : "an") + " L" + std::to_string(tempo.value) +
           " note";
}

std::optional<TargetProblem> tempoProblem(const TargetInput& input, const PlayTempo& tempo) {
    const std::int32_t columnMs = std::max(input.columnDuration, MinColumnDuration);
    const double off = tempo.columnMs - columnMs;
    if (std::abs(off) < 1e-6) return std::nullopt;
    const std::string column = "a column of " + std::to_string(columnMs) + " ms";
    if (off > 0.5 && tempo.tempo == PlayHighestTempo && tempo.value == 64)
        return TargetProblem{"PLAY's shortest note, an L64 note at T255, lasts " +
                                 hundredths(tempo.columnMs) + " ms: " + column +
                                 " is written as one, so the melody takes " +
                                 hundredths(tempo.columnMs / columnMs) + " times as long",
                             std::nullopt};
    double largest = 0.0;
    for (const ToneEvent& tone : input.tones) {
        const long columns = std::max(1L, std::lround(double(tone.duration) / columnMs));
        largest = std::max(largest, std::abs(double(columns) * tempo.columnMs - tone.duration));
    }
    // The note a column becomes is a whole number of grid steps where one comes close enough.
    const std::int32_t gridValue = isGridStep(input.gridStep) ? input.gridStep : DefaultGridStep;
    const std::string within =
        tempo.units % (PlayUnitsPerWhole / gridValue) == 0
            ? " as an L" + std::to_string(gridValue) + " note or a longer one"
            : "";
    return TargetProblem{"PLAY cannot express " + column + " exactly at any tempo" + within +
                             ": at T" + std::to_string(tempo.tempo) + " it is " + noteName(tempo) +
                             " of " + hundredths(tempo.columnMs) + " ms, so tones are up to " +
                             hundredths(largest) + " ms off",
                         std::nullopt};
}

// Adds a stretch of sound or silence; boundaries round to whole milliseconds so that the sum
// keeps to the exact time, and a stretch like the one before it lengthens it.
class Timeline {
  public:
    void add(std::int32_t frequency, double ms) {
        exactMs_ += ms;
        const std::int64_t end = std::llround(exactMs_);
        const auto duration = static_cast<std::int32_t>(end - roundedMs_);
        if (duration <= 0) return;
        roundedMs_ = end;
        const std::int32_t isRest = frequency == 0 ? 1 : 0;
        if (!tones_.empty() && tones_.back().frequency == frequency)
            tones_.back().duration += duration;
        else
            tones_.push_back({frequency, isRest, duration});
    }
    ToneList finished() { return std::move(tones_); }

  private:
    ToneList tones_;
    double exactMs_ = 0.0;
    std::int64_t roundedMs_ = 0;
};

} // namespace

std::vector<std::string> playText(const TargetInput& input) {
    if (input.tones.empty()) return {};
    const PlayPlan plan = planPlay(input);
    Statements statements(plan.tempo);
    for (const WrittenNote& note : plan.notes)
        statements.add(note);
    return statements.finished();
}

std::vector<TargetProblem> playCheck(const TargetInput& input) {
    std::vector<TargetProblem> problems;
    // Whole hertz whose nearest semitone lies in the seven octaves.
    const HzRange range{std::ceil(semitoneFrequency(PlayLowestSemitone) * std::exp2(-1.0 / 24)),
                        std::ceil(semitoneFrequency(PlayHighestSemitone) * std::exp2(1.0 / 24)) -
                            1};
    if (auto outside =
            notesOutside(input, range, "PLAY", "octaves 0 to 6 (C2 to B8)", "C2", "B8")) {
        outside->text += "; they are written whole octaves up or down into that range";
        problems.push_back(*outside);
    }
    const PlayPlan plan = planPlay(input);
    if (auto tempo = tempoProblem(input, plan.tempo)) problems.push_back(*tempo);
    if (plan.partedChains > 0)
        problems.push_back(
            {"PLAY sounds a tied note and a note of the same pitch right after it as one: " +
                 (plan.partedChains == 1
                      ? std::string("1 tied note ends its")
                      : std::to_string(plan.partedChains) + " tied notes end their") +
                 " last part normally (MN, 7/8 of its length) to stay apart, the first at column " +
                 std::to_string(plan.firstPartedColumn),
             std::nullopt});
    return problems;
}

ToneList playSound(const TargetInput& input) {
    const PlayPlan plan = planPlay(input);
    const double unitMs = WholeNoteMs / (PlayUnitsPerWhole * double(plan.tempo.tempo));
    Timeline timeline;
    for (const WrittenNote& note : plan.notes) {
        const double ms = note.units * unitMs;
        if (note.semitone == PlayRest) {
            timeline.add(0, ms);
            continue;
        }
        const auto frequency =
            static_cast<std::int32_t>(std::lround(semitoneFrequency(note.semitone)));
        const double sounding = note.isLegato ? ms : ms * NormalShare;
        timeline.add(frequency, sounding);
        timeline.add(0, ms - sounding);
    }
    return timeline.finished();
}

} // namespace vemo
