#include "convert/RtttlWriter.h"

#include "convert/EqualTemper.h"
#include "convert/RtttlImport.h"
#include "convert/RtttlParser.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vemo {

namespace {

constexpr std::int32_t UnitsPerWhole = 64;
constexpr std::size_t MaxNameLength = 64;
// The lowest and highest notes a single octave digit can name.
constexpr std::int32_t LowestWritten = 12;
constexpr std::int32_t HighestWritten = 131;

struct NoteLength {
    std::int32_t units;
    std::int32_t value;
    bool isDotted;
};

// Every length one note can give, longest first.
constexpr std::array<NoteLength, 12> NoteLengths = {{{96, 1, true},
                                                     {64, 1, false},
                                                     {48, 2, true},
                                                     {32, 2, false},
                                                     {24, 4, true},
                                                     {16, 4, false},
                                                     {12, 8, true},
                                                     {8, 8, false},
                                                     {6, 16, true},
                                                     {4, 16, false},
                                                     {3, 32, true},
                                                     {2, 32, false}}};

constexpr std::array<const char*, 12> NoteNames = {"c",  "c#", "d",  "d#", "e",  "f",
                                                   "f#", "g",  "g#", "a",  "a#", "b"};

void appendNote(std::string& text, const NoteLength& length, std::int32_t semitone) {
    if (text.back() != ':') text += ',';
    text += std::to_string(length.value);
    if (semitone == RtttlRest) {
        text += 'p';
    } else {
        text += NoteNames[semitone % 12];
        text += std::to_string(semitone / 12 - 1);
    }
    if (length.isDotted) text += '.';
}

} // namespace

std::string rtttlName(std::string_view wanted) {
    std::string name;
    for (char c : wanted) {
        if (c == ':' || c == ',' || static_cast<unsigned char>(c) < 0x20) continue;
        if (name.size() == MaxNameLength) break;
        name += c;
    }
    return name.empty() ? "vemo" : name;
}

std::string writeRtttl(const ToneList& tones, std::int32_t columnDuration, std::int32_t gridStep,
                       std::string_view name) {
    if (!isGridStep(gridStep)) gridStep = DefaultGridStep;
    columnDuration = std::max(columnDuration, MinColumnDuration);
    const double beatsPerMinute = 60000.0 * 4 / (static_cast<double>(gridStep) * columnDuration);
    const auto tempo = std::clamp<long>(std::lround(beatsPerMinute), 1, MaxRtttlTempo);
    std::string text = rtttlName(name) + ":d=4,o=5,b=" + std::to_string(tempo) + ":";
    const std::int32_t unitsPerColumn = UnitsPerWhole / gridStep;
    for (const ToneEvent& event : tones) {
        const auto columns = std::clamp<long>(
            std::lround(static_cast<double>(event.duration) / columnDuration), 1, MaxColumnCount);
        const std::int32_t semitone =
            event.isRest != 0
                ? RtttlRest
                : std::clamp(nearestSemitone(event.frequency), LowestWritten, HighestWritten);
        // Whole columns only: every piece is a multiple of the column.
        long units = columns * unitsPerColumn;
        for (const NoteLength& length : NoteLengths) {
            if (length.units % unitsPerColumn != 0) continue;
            while (units >= length.units) {
                appendNote(text, length, semitone);
                units -= length.units;
            }
        }
    }
    return text;
}

} // namespace vemo
