#include "convert/PlayParser.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace vemo {

namespace {

// More digits are refused before they can overflow.
constexpr std::size_t MaxDigits = 5;
constexpr std::int32_t SemitonesPerOctave = 12;
// Octave 0's C in MIDI numbering: octave 2's A is 69.
constexpr std::int32_t OctaveZeroC = 36;
constexpr std::int32_t HighestOctave = 6;

struct Bound {
    std::int32_t low;
    std::int32_t high;
    const char* what;
};
constexpr Bound TempoBound{32, 255, "a tempo"};
constexpr Bound LengthBound{1, 64, "a length"};
constexpr Bound OctaveBound{0, HighestOctave, "an octave"};
constexpr Bound NoteNumberBound{0, 84, "a note number"};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}
bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '$' || c == '_';
}

// A character as a reason shows it: printable ones quoted, others by their byte.
std::string shown(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7f) return std::string("'") + c + "'";
    char text[16];
    std::snprintf(text, sizeof text, "byte 0x%02x", byte);
    return text;
}

struct PlayState {
    std::int32_t tempo = 120;
    std::int32_t length = 4;
    std::int32_t octave = 4;
    bool isLegato = false;
};

// The commands of one string in upper case without spaces, each with its column in the line.
struct Commands {
    std::string text;
    std::vector<std::size_t> columns;
    std::size_t at = 0;

    char peek() const { return at < text.size() ? text[at] : '\0'; }
};

Commands squeezed(std::string_view line, std::size_t begin, std::size_t end) {
    Commands commands;
    for (std::size_t index = begin; index < end; ++index) {
        if (isSpace(line[index])) continue;
        commands.text.push_back(
            static_cast<char>(std::toupper(static_cast<unsigned char>(line[index]))));
        commands.columns.push_back(index + 1);
    }
    return commands;
}

// Empty on success, else the reason: the number after `command`, inside the bound.
std::string boundedNumber(Commands& commands, const Bound& bound, char command,
                          std::int32_t& value) {
    const std::size_t start = commands.at;
    std::int32_t read = 0;
    while (isDigit(commands.peek())) {
        if (commands.at - start == MaxDigits)
            return "a number has more than " + std::to_string(MaxDigits) + " digits";
        read = read * 10 + (commands.peek() - '0');
        ++commands.at;
    }
    if (commands.at == start || read < bound.low || read > bound.high)
        return std::string(1, command) + " needs " + bound.what + " from " +
               std::to_string(bound.low) + " to " + std::to_string(bound.high);
    value = read;
    return {};
}

// A length in whole notes: 1/length, each dot adding half of what the one before added.
double dottedWholes(Commands& commands, std::int32_t length) {
    double wholes = 1.0 / length;
    double added = wholes;
    while (commands.peek() == '.') {
        added /= 2;
        wholes += added;
        ++commands.at;
    }
    return wholes;
}

std::int32_t pitchClass(char letter) {
    static constexpr std::int32_t Classes[] = {9, 11, 0, 2, 4, 5, 7}; // A to G
    return Classes[letter - 'A'];
}

struct Reading {
    PlayState state;
    PlaySong song;
};

std::string addNote(Reading& reading, std::int32_t semitone, double wholes) {
    if (reading.song.notes.size() == MaxPlayNotes)
        return "more than " + std::to_string(MaxPlayNotes) + " notes and pauses";
    const PlayState& state = reading.state;
    reading.song.notes.push_back(
        {semitone, wholes, state.tempo, semitone != PlayRest && state.isLegato});
    return {};
}

// A-G [# + -] [length] [dots]
std::string readLetterNote(Commands& commands, Reading& reading, char letter) {
    std::int32_t semitone =
        OctaveZeroC + reading.state.octave * SemitonesPerOctave + pitchClass(letter);
    const char accidental = commands.peek();
    if (accidental == '#' || accidental == '+' || accidental == '-') {
        semitone += accidental == '-' ? -1 : 1;
        ++commands.at;
    }
    std::int32_t length = reading.state.length;
    if (isDigit(commands.peek()))
        if (std::string reason = boundedNumber(commands, LengthBound, letter, length);
            !reason.empty())
            return reason;
    return addNote(reading, semitone, dottedWholes(commands, length));
}

std::string readMode(Commands& commands, PlayState& state) {
    const char mode = commands.peek();
    ++commands.at;
    if (mode == 'L' || mode == 'N' || mode == 'S') {
        state.isLegato = mode == 'L';
        return {};
    }
    if (mode == 'F' || mode == 'B') return {}; // foreground or background: the same sound
    return "M needs N, L or S after it (or F or B)";
}

// Empty on success, else the reason; the cursor stays on the command that failed.
std::string readCommand(Commands& commands, Reading& reading) {
    PlayState& state = reading.state;
    const char command = commands.peek();
    ++commands.at;
    std::int32_t value = 0;
    std::string reason;
    switch (command) {
    case 'A':
    case 'B':
    case 'C':
    case 'D':
    case 'E':
    case 'F':
    case 'G':
        return readLetterNote(commands, reading, command);
    case 'N':
        reason = boundedNumber(commands, NoteNumberBound, command, value);
        if (!reason.empty()) return reason;
        return addNote(reading, value == 0 ? PlayRest : OctaveZeroC - 1 + value,
                       dottedWholes(commands, state.length));
    case 'P':
        reason = boundedNumber(commands, LengthBound, command, value);
        if (!reason.empty()) return reason;
        return addNote(reading, PlayRest, dottedWholes(commands, value));
    case 'L':
        return boundedNumber(commands, LengthBound, command, state.length);
    case 'O':
        return boundedNumber(commands, OctaveBound, command, state.octave);
    case 'T':
        return boundedNumber(commands, TempoBound, command, state.tempo);
    case '<':
        state.octave = std::max(state.octave - 1, 0);
        return {};
    case '>':
        state.octave = std::min(state.octave + 1, HighestOctave);
        return {};
    case 'M':
        return readMode(commands, state);
    case 'X':
    case '=':
        return "substrings and variables (X, =) are not read; write the notes out";
    default:
        return shown(command) + " is not a PLAY command; use A-G, N, P, L, O, T, <, >, MN, ML "
                                "or MS";
    }
}

std::string place(std::size_t line, std::size_t column) {
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ";
}

// Empty on success, else the reason with its place.
std::string readCommands(std::string_view line, std::size_t begin, std::size_t end,
                         std::size_t lineNumber, Reading& reading) {
    Commands commands = squeezed(line, begin, end);
    while (commands.at < commands.text.size()) {
        const std::size_t start = commands.at;
        if (std::string reason = readCommand(commands, reading); !reason.empty())
            return place(lineNumber, commands.columns[start]) + reason;
    }
    return {};
}

bool startsWithWord(std::string_view line, std::size_t at, std::string_view word) {
    if (line.size() - at < word.size()) return false;
    for (std::size_t index = 0; index < word.size(); ++index)
        if (std::toupper(static_cast<unsigned char>(line[at + index])) != word[index]) return false;
    return at + word.size() == line.size() || !isWordChar(line[at + word.size()]);
}

std::size_t skipSpaces(std::string_view line, std::size_t at) {
    while (at < line.size() && isSpace(line[at]))
        ++at;
    return at;
}

// A quoted string from `at` (on its opening quote) read as commands; the end of the line may
// close it, as BASIC allows. Returns where reading goes on, or npos with the reason set.
std::size_t readString(std::string_view line, std::size_t at, std::size_t lineNumber,
                       Reading& reading, std::string& reason) {
    std::size_t close = line.find('"', at + 1);
    if (close == std::string_view::npos) close = line.size();
    reason = readCommands(line, at + 1, close, lineNumber, reading);
    return reason.empty() ? std::min(close + 1, line.size()) : std::string_view::npos;
}

// A statement from `at`: a remark, PLAY with its string, or a bare string. Returns where the next
// statement may start, line.size() at the end, or npos with the reason set.
std::size_t readStatement(std::string_view line, std::size_t at, std::size_t lineNumber,
                          Reading& reading, std::string& reason) {
    if (line[at] == '\'' || startsWithWord(line, at, "REM")) return line.size();
    if (startsWithWord(line, at, "PLAY")) {
        const std::size_t string = skipSpaces(line, at + 4);
        if (string == line.size() || line[string] != '"') {
            reason = place(lineNumber, string + 1) +
                     "PLAY is read with a string in quotes only, not variables or expressions";
            return std::string_view::npos;
        }
        at = string;
    } else if (line[at] != '"') {
        reason = place(lineNumber, at + 1) + "only PLAY statements and remarks are read here";
        return std::string_view::npos;
    }
    at = skipSpaces(line, readString(line, at, lineNumber, reading, reason));
    if (!reason.empty() || at == line.size() || line[at] == '\'') return line.size();
    if (line[at] == ':') return at + 1;
    reason = place(lineNumber, at + 1) +
             "only ':' or a remark may follow a PLAY string; strings joined with + or ; are not "
             "read";
    return std::string_view::npos;
}

// Empty on success, else the reason with its place.
std::string readLine(std::string_view line, std::size_t lineNumber, Reading& reading) {
    std::size_t at = skipSpaces(line, 0);
    if (at == line.size() || line[at] == '#') return {}; // empty, or a remark to qplay
    while (at < line.size() && isDigit(line[at]))
        ++at; // a line number
    at = skipSpaces(line, at);
    const bool isStatement =
        at < line.size() && (line[at] == '"' || line[at] == '\'' ||
                             startsWithWord(line, at, "PLAY") || startsWithWord(line, at, "REM"));
    if (!isStatement)
        return readCommands(line, at, std::min(line.find('\''), line.size()), lineNumber, reading);
    std::string reason;
    while (at < line.size() && reason.empty()) {
        at = skipSpaces(line, at);
        if (at < line.size()) at = readStatement(line, at, lineNumber, reading, reason);
    }
    return reason;
}

PlayParse refuse(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

} // namespace

PlayParse parsePlay(std::string_view text) {
    if (text.size() > MaxPlayTextBytes)
        return refuse("the text is longer than " + std::to_string(MaxPlayTextBytes) +
                      " bytes; a tune is much shorter");
    Reading reading;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        start = end + 1;
        if (std::string reason = readLine(line, ++lineNumber, reading); !reason.empty())
            return refuse(std::move(reason));
    }
    const auto& notes = reading.song.notes;
    if (std::none_of(notes.begin(), notes.end(),
                     [](const PlayNote& note) { return note.semitone != PlayRest; }))
        return refuse("there is no note to play");
    return {std::move(reading.song), {}};
}

} // namespace vemo
