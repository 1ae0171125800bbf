#include "convert/FmfFile.h"

#include "convert/TextScan.h"

#include <array>
#include <cctype>
#include <cmath>

namespace vemo {

namespace {

constexpr std::int32_t SemitonesPerOctave = 12;
constexpr double WholeNoteBeatMs = 4 * 60000.0;

std::optional<std::int32_t> pitchClass(char letter) {
    constexpr std::array<std::int32_t, 7> FromA = {9, 11, 0, 2, 4, 5, 7};
    if (letter < 'A' || letter > 'G') return std::nullopt;
    return FromA[static_cast<std::size_t>(letter - 'A')];
}

struct Defaults {
    std::int32_t value = 4;
    std::int32_t octave = 4;
};

// Empty on success, else the reason: [value] letter [#] [octave] [dots].
std::string readNote(std::string_view item, const Defaults& defaults, FmfNote& note) {
    std::size_t at = 0;
    note.value = defaults.value;
    if (isTextDigit(item[at])) {
        const auto value = readNumber(item, at);
        if (!value || *value < 1 || *value > MaxFmfValue)
            return "the note value must be 1 to " + std::to_string(MaxFmfValue);
        note.value = *value;
    }
    if (at == item.size()) return "a note name (A to G, or P) is missing";
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(item[at++])));
    const auto natural = pitchClass(letter);
    if (!natural && letter != 'P')
        return std::string("'") + item[at - 1] + "' is not a note name; use A to G, or P";
    std::int32_t semitone = natural.value_or(0);
    if (at < item.size() && (item[at] == '#' || item[at] == '_')) {
        ++semitone;
        ++at;
    }
    std::int32_t octave = defaults.octave;
    if (at < item.size() && isTextDigit(item[at])) {
        const auto number = readNumber(item, at);
        if (!number || *number < 1 || *number > MaxFmfOctave)
            return "the octave must be 1 to " + std::to_string(MaxFmfOctave);
        octave = *number;
    }
    for (note.dots = 0; at < item.size() && item[at] == '.'; ++at)
        if (++note.dots > MaxFmfDots)
            return "a note has " + std::to_string(MaxFmfDots) + " dots at most";
    if (at < item.size())
        return std::string("'") + item[at] + "' does not belong there; a note reads like 8C#5.";
    note.semitone = natural ? (octave + 1) * SemitonesPerOctave + semitone : NoSemitone;
    return {};
}

FmfParse refuse(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

// Empty on success, else the reason with the note where the reading stopped.
std::string readNotes(std::string_view text, const Defaults& defaults, FmfSong& song) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view item = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (item.empty()) continue; // a trailing or doubled comma
        const std::string where = "note " + std::to_string(song.notes.size() + 1) + " ('" +
                                  std::string(item.substr(0, 12)) + "')";
        if (song.notes.size() == MaxFmfNotes)
            return where + ": more than " + std::to_string(MaxFmfNotes) + " notes";
        FmfNote note;
        if (const std::string reason = readNote(item, defaults, note); !reason.empty())
            return where + ": " + reason;
        song.notes.push_back(note);
    }
    return song.notes.empty() ? "there are no notes" : "";
}

// The values of the keys vemo reads, each with its line.
struct Header {
    std::array<std::string_view, 5> values;
    std::array<std::size_t, 5> lines{};
};
constexpr std::array<std::string_view, 5> Keys = {"Version", "BPM", "Duration", "Octave", "Notes"};
enum Key : std::size_t { Version, Tempo, Value, Octave, Notes };

// Empty on success, else the reason with the line.
std::string readHeader(std::string_view text, Header& header) {
    std::size_t number = 0;
    bool typed = false;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = trimmed(text.substr(start, end - start));
        start = end + 1;
        ++number;
        if (line.empty() || line.front() == '#') continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        const std::size_t colon = line.find(':');
        const std::string_view key = trimmed(line.substr(0, colon));
        const std::string_view value =
            colon == std::string_view::npos ? "" : trimmed(line.substr(colon + 1));
        if (!typed) {
            if (key != "Filetype" || value != FmfFileType.substr(FmfFileType.find(':') + 2))
                return where + "a Flipper music file begins with '" + std::string(FmfFileType) +
                       "'";
            typed = true;
            continue;
        }
        if (colon == std::string_view::npos)
            return where + "'" + std::string(line.substr(0, 20)) + "' is not a 'Key: value' line";
        for (std::size_t index = 0; index < Keys.size(); ++index) {
            if (key != Keys[index]) continue;
            if (header.lines[index] != 0)
                return where + std::string(key) + " is given twice, first on line " +
                       std::to_string(header.lines[index]);
            header.values[index] = value;
            header.lines[index] = number;
        }
    }
    if (!typed) return "the file is empty";
    for (std::size_t index = 0; index < Keys.size(); ++index)
        if (header.lines[index] == 0) return "there is no " + std::string(Keys[index]) + " line";
    return {};
}

// The number a header line holds, or why it is refused.
std::optional<std::int32_t> headerNumber(const Header& header, Key key, std::int32_t low,
                                         std::int32_t high, std::string& reason) {
    const std::string_view text = header.values[key];
    std::size_t at = 0;
    const auto number = readNumber(text, at);
    if (number && at == text.size() && *number >= low && *number <= high) return number;
    if (!reason.empty()) return std::nullopt; // the first refusal is the one told
    reason = "line " + std::to_string(header.lines[key]) + ": " + std::string(Keys[key]) +
             (low == high ? " must be " + std::to_string(low)
                          : " must be a whole number from " + std::to_string(low) + " to " +
                                std::to_string(high));
    return std::nullopt;
}

} // namespace

FmfParse parseFmf(std::string_view text) {
    if (text.size() > MaxFmfFileBytes)
        return refuse("the file is longer than " + std::to_string(MaxFmfFileBytes) +
                      " bytes; a Flipper melody is much shorter");
    Header header;
    if (std::string reason = readHeader(text, header); !reason.empty()) return refuse(reason);
    std::string reason;
    const auto version = headerNumber(header, Version, 0, 0, reason);
    const auto tempo = headerNumber(header, Tempo, 1, MaxFmfTempo, reason);
    const auto value = headerNumber(header, Value, 1, MaxFmfValue, reason);
    const auto octave = headerNumber(header, Octave, 0, MaxFmfOctave, reason);
    if (!version || !tempo || !value || !octave) return refuse(reason);
    FmfSong song;
    song.tempo = *tempo;
    if (std::string stopped = readNotes(header.values[Notes], {*value, *octave}, song);
        !stopped.empty())
        return refuse("line " + std::to_string(header.lines[Notes]) + ", " + stopped);
    return {std::move(song), {}};
}

MelodyImport importFmf(const FmfSong& song, std::int32_t gridStep) {
    if (!isGridStep(gridStep)) gridStep = DefaultGridStep;
    std::vector<TimedNote> timed;
    timed.reserve(song.notes.size());
    // In columns: the lengths vemo writes, powers of two with dots, add up exactly.
    double position = 0.0;
    for (const FmfNote& note : song.notes) {
        const double start = position;
        position += gridStep / static_cast<double>(note.value) * std::pow(1.5, note.dots);
        timed.push_back({note.semitone, start, position, timed.size() + 1});
    }
    const double wholeMs = WholeNoteBeatMs / std::max(song.tempo, 1);
    return placeNotes(timed, wholeMs / gridStep, gridStep, song.notes.size());
}

} // namespace vemo
