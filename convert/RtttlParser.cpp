#include "convert/RtttlParser.h"

#include "convert/TextScan.h"

#include <cctype>

namespace vemo {

namespace {

constexpr std::int32_t SemitonesPerOctave = 12;

// Lower case, white space gone: what the grammar sees of the settings and notes.
std::string squeezed(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!isTextSpace(c))
            out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return out;
}

bool isNoteValue(std::int32_t value) {
    return value == 1 || value == 2 || value == 4 || value == 8 || value == 16 || value == 32;
}

std::optional<std::int32_t> pitchClass(char letter) {
    switch (letter) {
    case 'c':
        return 0;
    case 'd':
        return 2;
    case 'e':
        return 4;
    case 'f':
        return 5;
    case 'g':
        return 7;
    case 'a':
        return 9;
    case 'b':
    case 'h':
        return 11;
    default:
        return std::nullopt;
    }
}

struct Defaults {
    std::int32_t value = 4;
    std::int32_t octave = 6;
    std::int32_t tempo = 63;
};

const std::string NoteValues = "1, 2, 4, 8, 16 or 32";

// Empty on success, else the reason.
std::string readDefaults(std::string_view text, Defaults& defaults) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view item = text.substr(start, end - start);
        start = end + 1;
        if (item.empty()) continue;
        const std::string where = "in the settings, '" + std::string(item) + "'";
        if (item.size() < 2 || item[1] != '=')
            return where + " is not a setting; write d=4, o=6 or b=63";
        std::size_t at = 2;
        const auto number = readNumber(item, at);
        if (!number || at != item.size())
            return where + " needs a whole number of at most " + std::to_string(MaxNumberDigits) +
                   " digits";
        switch (item[0]) {
        case 'd':
            if (!isNoteValue(*number)) return where + ": the note value must be " + NoteValues;
            defaults.value = *number;
            break;
        case 'o':
            if (*number > 9) return where + ": the octave must be 0 to 9";
            defaults.octave = *number;
            break;
        case 'b':
            if (*number < 1 || *number > MaxRtttlTempo)
                return where + ": the tempo must be 1 to " + std::to_string(MaxRtttlTempo) +
                       " beats a minute";
            defaults.tempo = *number;
            break;
        default:
            return where + " is not a setting; only d, o and b are known";
        }
    }
    return {};
}

// Empty on success, else the reason: [value] letter [#] [.] [octave] [.]
std::string readNote(std::string_view item, const Defaults& defaults, RtttlNote& note) {
    std::size_t at = 0;
    note.value = defaults.value;
    if (at < item.size() && isTextDigit(item[at])) {
        const auto value = readNumber(item, at);
        if (!value || !isNoteValue(*value)) return "the note value must be " + NoteValues;
        note.value = *value;
    }
    if (at == item.size()) return "a note name (c, d, e, f, g, a, b or p) is missing";
    const char letter = item[at++];
    const auto natural = pitchClass(letter);
    if (!natural && letter != 'p')
        return std::string("'") + letter + "' is not a note name; use c, d, e, f, g, a, b or p";
    std::int32_t semitone = natural.value_or(0);
    if (at < item.size() && item[at] == '#') {
        if (!natural) return "a rest cannot be sharp";
        ++semitone;
        ++at;
    }
    std::int32_t octave = defaults.octave;
    bool hasOctave = false;
    while (at < item.size()) {
        const char c = item[at++];
        if (c == '.' && !note.isDotted) {
            note.isDotted = true;
        } else if (isTextDigit(c) && !hasOctave) {
            octave = c - '0';
            hasOctave = true;
        } else {
            return std::string("'") + c + "' does not belong there; a note reads like 8c#.6";
        }
    }
    note.semitone = natural ? (octave + 1) * SemitonesPerOctave + semitone : RtttlRest;
    return {};
}

RtttlParse refuse(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

} // namespace

RtttlParse parseRtttl(std::string_view text) {
    if (text.size() > MaxRtttlTextBytes)
        return refuse("the text is longer than " + std::to_string(MaxRtttlTextBytes) +
                      " bytes; a ringtone is much shorter");
    const std::size_t nameEnd = text.find(':');
    if (nameEnd == std::string_view::npos)
        return refuse("there is no ':'; a ringtone reads name:d=4,o=5,b=125:notes");
    const std::size_t settingsEnd = text.find(':', nameEnd + 1);
    RtttlSong song;
    song.name = std::string(trimmed(text.substr(0, nameEnd)));
    Defaults defaults;
    std::string notesText;
    if (settingsEnd == std::string_view::npos) {
        // One colon: the name or the settings were left out.
        if (song.name.find('=') != std::string::npos) {
            if (const std::string reason = readDefaults(squeezed(song.name), defaults);
                !reason.empty())
                return refuse(reason);
            song.name.clear();
        }
        notesText = squeezed(text.substr(nameEnd + 1));
    } else {
        if (const std::string reason = readDefaults(
                squeezed(text.substr(nameEnd + 1, settingsEnd - nameEnd - 1)), defaults);
            !reason.empty())
            return refuse(reason);
        notesText = squeezed(text.substr(settingsEnd + 1));
    }
    song.tempo = defaults.tempo;
    std::size_t start = 0;
    while (start <= notesText.size()) {
        std::size_t end = notesText.find(',', start);
        if (end == std::string::npos) end = notesText.size();
        const std::string_view item = std::string_view(notesText).substr(start, end - start);
        start = end + 1;
        if (item.empty()) continue; // a trailing or doubled comma
        const std::string where = "note " + std::to_string(song.notes.size() + 1) + " ('" +
                                  std::string(item.substr(0, 12)) + "')";
        if (song.notes.size() == MaxRtttlNotes)
            return refuse("stopped at " + where + ": more than " + std::to_string(MaxRtttlNotes) +
                          " notes");
        RtttlNote note;
        if (const std::string reason = readNote(item, defaults, note); !reason.empty())
            return refuse("stopped at " + where + ": " + reason);
        song.notes.push_back(note);
    }
    if (song.notes.empty()) return refuse("there are no notes after the settings");
    return {std::move(song), {}};
}

} // namespace vemo
