#include "cli/Convert.h"

#include "convert/Formats.h"
#include "convert/MidiImport.h"
#include "platform/Files.h"
#include "sound/ToneList.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

namespace vemo {

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitBadUse = 2;

// "a, b or c".
std::string inWords(const std::vector<std::string>& words) {
    std::string text;
    for (std::size_t index = 0; index < words.size(); ++index)
        text += (index == 0 ? "" : index + 1 == words.size() ? " or " : ", ") + words[index];
    return text;
}

// Every extension a file to convert may have: ".vemo, .rtttl, .txt, .mid or .midi".
std::string convertExtensions() {
    std::vector<std::string> dotted;
    for (const Format* format : convertFormats()) {
        std::istringstream extensions(readExtensions(*format));
        for (std::string extension; extensions >> extension;)
            dotted.push_back("." + extension);
    }
    return inWords(dotted);
}

const Format* convertFormatNamed(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const Format* format : convertFormats())
        if (format->name == name) return format;
    return nullptr;
}

// The format asked for, else for a file to read what it begins with, else its extension.
const Format* formatOf(const std::string& path, const std::string& given, bool isRead,
                       const std::string& option, std::ostream& err) {
    if (!given.empty()) {
        const Format* format = convertFormatNamed(given);
        if (!format)
            err << "vemo-tool: " << option << " " << given << " is not a format; use "
                << convertFormatNames() << "\n";
        return format;
    }
    const std::vector<const Format*> formats = convertFormats();
    const Format* format = isRead ? formatByBeginning(path, formats) : nullptr;
    if (!format) format = formatByExtension(path, formats);
    if (!format)
        err << "vemo-tool: " << path << ": can't tell the format from the name; end it in "
            << convertExtensions() << ", or give " << option << " " << convertFormatNames() << "\n";
    return format;
}

void reportImport(const MelodyImport& imported, const std::string& read, const std::string& path,
                  std::ostream& out, std::ostream& err) {
    if (!imported.warning.empty())
        err << "vemo-tool: " << path << ": warning: " << imported.warning << "\n";
    out << read << " at " << imported.melody.columnDuration << " ms per column in "
        << imported.melody.lastColumn + 1 << " columns; largest snapping error "
        << imported.largestSnapErrorMs << " ms; " << imported.octaveMovedNotes
        << " notes moved by octaves";
    if (imported.unheardNotes > 0) out << "; " << unheardNotesReport(imported.unheardNotes);
    if (const std::string tempo = tempoRoundingReport(imported); !tempo.empty())
        out << "; " << tempo;
    out << "\n";
}

// A file that holds no song is told why: one it could not read, or one it refused. A melody
// file's reasons stand on their own, as `vemo-tool check` prints them.
bool hasSong(const SongFile& file, const Format& format, const std::string& path,
             std::ostream& err) {
    if (file.song) return true;
    const bool isRefusedImport = file.isReadable && &format != &melodyFormat();
    err << "vemo-tool: " << path << ": " << (isRefusedImport ? "refused: " : "") << file.reason
        << "\n";
    return false;
}

// The voice the request names: a track, a channel, both, or neither for the default.
std::optional<std::size_t> chosenVoice(const MidiSong& song, const ConvertRequest& request) {
    if (request.track == 0 && request.channel == 0) return defaultVoice(song);
    std::optional<std::size_t> best;
    for (std::size_t index = 0; index < song.voices.size(); ++index) {
        const MidiVoice& voice = song.voices[index];
        if ((request.track != 0 && voice.track + 1 != request.track) ||
            (request.channel != 0 && voice.channel + 1 != request.channel))
            continue;
        if (!best || voice.noteCount > song.voices[*best].noteCount) best = index;
    }
    return best;
}

// The song's voices are listed with the chosen one marked; none is chosen when the request names
// no voice with notes, or one whose notes are never heard.
std::optional<ImportChoice> midiChoice(const MidiSong& song, const ConvertRequest& request,
                                       std::ostream& out, std::ostream& err) {
    const auto voice = chosenVoice(song, request);
    if (!voice) {
        err << "vemo-tool: " << request.inPath
            << ": no notes on that track and channel; the file has:\n";
    }
    for (std::size_t index = 0; index < song.voices.size(); ++index) {
        (voice ? out : err) << (voice == index ? "* " : "  ")
                            << voiceDescription(song.voices[index]) << "\n";
    }
    if (!voice) return std::nullopt;
    if (const std::string silent = silentVoiceReason(song, *voice); !silent.empty()) {
        err << "vemo-tool: " << request.inPath << ": refused: " << silent << "\n";
        return std::nullopt;
    }
    return ImportChoice{*voice, request.gridStep,
                        request.latestWins ? OverlapRule::Latest : OverlapRule::Highest};
}

// What an import read, for its report; nothing for a melody file, which is taken as it is.
std::string notesRead(const FileSong& song, const ImportChoice& choice) {
    if (const auto* rtttl = std::get_if<RtttlSong>(&song))
        return std::to_string(rtttl->notes.size()) + " notes and rests";
    if (const auto* midi = std::get_if<MidiSong>(&song))
        return std::to_string(midi->voices[choice.voice].noteCount) + " notes";
    if (const auto* play = std::get_if<PlaySong>(&song))
        return std::to_string(play->notes.size()) + " notes and pauses";
    if (const auto* flipper = std::get_if<FmfSong>(&song))
        return std::to_string(flipper->notes.size()) + " notes and rests";
    return {};
}

std::optional<MelodyImport> readMelody(const Format& format, const ConvertRequest& request,
                                       std::ostream& out, std::ostream& err) {
    SongFile file = format.read(request.inPath);
    if (!hasSong(file, format, request.inPath, err)) return std::nullopt;
    ImportChoice choice{0, request.gridStep};
    if (const auto* midi = std::get_if<MidiSong>(&*file.song)) {
        const auto chosen = midiChoice(*midi, request, out, err);
        if (!chosen) return std::nullopt;
        choice = *chosen;
    }
    const std::string read = notesRead(*file.song, choice);
    MelodyImport imported = melodyOf(std::move(*file.song), choice);
    if (!read.empty()) reportImport(imported, read, request.inPath, out, err);
    return imported;
}

int writeMelody(const Format& format, const MelodyImport& converted, const ConvertRequest& request,
                std::ostream& err) {
    const Melody& melody = converted.melody;
    const WriteSource source{melody,
                             targetInputFor(melody, converted.pitch, {},
                                            std::filesystem::path(request.outPath).stem().string(),
                                            request.gridStep)};
    if (source.target.tones.empty() && format.needsTones) {
        err << "vemo-tool: " << request.outPath << ": the melody has no notes; nothing to write\n";
        return ExitFailed;
    }
    if (!tellTargetProblems(format, source.target, request.outPath, request.isStrict, err))
        return ExitFailed;
    const FileOutcome written = format.write(format, request.outPath, source);
    if (!written) {
        err << "vemo-tool: " << request.outPath << ": can't write it: " << written.reason << "\n";
        return ExitFailed;
    }
    return ExitOk;
}

} // namespace

std::string convertFormatNames() {
    std::vector<std::string> names;
    for (const Format* format : convertFormats())
        names.emplace_back(format->name);
    return inWords(names);
}

std::string gridStepNames() {
    std::vector<std::string> steps;
    for (const std::int32_t step : GridSteps)
        steps.push_back(std::to_string(step));
    return inWords(steps);
}

bool tellTargetProblems(const Format& format, const TargetInput& input, const std::string& path,
                        bool isStrict, std::ostream& err) {
    if (format.check == nullptr) return true;
    const std::vector<TargetProblem> problems = format.check(input);
    for (const TargetProblem& problem : problems)
        err << "vemo-tool: " << path << ": " << problem.text << "\n";
    if (problems.empty() || !isStrict) return true;
    err << "vemo-tool: " << path << ": not written, as --strict asks\n";
    return false;
}

int convertFiles(const ConvertRequest& request, std::ostream& out, std::ostream& err) {
    const Format* from = formatOf(request.inPath, request.fromFormat, true, "--from-format", err);
    const Format* to = formatOf(request.outPath, request.toFormat, false, "--to-format", err);
    if (!from || !to) return ExitBadUse;
    std::error_code error;
    if (std::filesystem::equivalent(request.inPath, request.outPath, error)) {
        err << "vemo-tool: " << request.outPath
            << ": this is the file being converted; choose another name\n";
        return ExitBadUse;
    }
    const auto converted = readMelody(*from, request, out, err);
    if (!converted) return ExitFailed;
    return writeMelody(*to, *converted, request, err);
}

} // namespace vemo
