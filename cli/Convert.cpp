#include "cli/Convert.h"

#include "cli/LoadedMelody.h"

#include "convert/MidiImport.h"
#include "convert/RtttlImport.h"
#include "convert/RtttlWriter.h"
#include "convert/SongFiles.h"
#include "sound/ToneList.h"
#include "platform/Files.h"
#include "store/FileNames.h"
#include "store/MelodyFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <ostream>

namespace vemo {

const char* const ConvertFormats = "vemo, rtttl or midi";

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitBadUse = 2;

enum class Format { Vemo, Rtttl, Midi };

std::optional<Format> formatNamed(const std::string& name) {
    if (name == "vemo") return Format::Vemo;
    if (name == "rtttl") return Format::Rtttl;
    if (name == "midi") return Format::Midi;
    return std::nullopt;
}

// The format asked for, else for a file to read what it begins with, else its extension.
std::optional<Format> formatOf(const std::string& path, const std::string& given, bool isRead,
                               const std::string& option, std::ostream& err) {
    if (!given.empty()) {
        std::string name = given;
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const auto format = formatNamed(name);
        if (!format)
            err << "vemo-tool: " << option << " " << given << " is not a format; use "
                << ConvertFormats << "\n";
        return format;
    }
    const FileContent content = isRead ? fileContent(path) : FileContent::Unknown;
    if (content == FileContent::Melody) return Format::Vemo;
    if (content == FileContent::Midi) return Format::Midi;
    const std::string extension = extensionOf(path);
    if (extension == "vemo") return Format::Vemo;
    if (isListed("rtttl txt", extension)) return Format::Rtttl;
    if (isListed("mid midi", extension)) return Format::Midi;
    err << "vemo-tool: " << path << ": can't tell the format from the name; end it in .vemo, "
        << ".rtttl, .txt, .mid or .midi, or give " << option << " " << ConvertFormats << "\n";
    return std::nullopt;
}

std::optional<LoadedMelody> readVemo(const std::string& path, std::ostream& err) {
    MelodyFile file = readMelodyFile(path);
    if (!file.melody) {
        err << "vemo-tool: " << path << ": " << file.reason << "\n";
        return std::nullopt;
    }
    return loadedMelody(std::move(*file.melody));
}

void reportImport(const MelodyImport& imported, const std::string& read, const std::string& path,
                  std::ostream& out, std::ostream& err) {
    if (!imported.warning.empty())
        err << "vemo-tool: " << path << ": warning: " << imported.warning << "\n";
    out << read << " at " << imported.melody.columnDuration
        << " ms per column in " << imported.melody.lastColumn + 1
        << " columns; largest snapping error " << imported.largestSnapErrorMs << " ms; "
        << imported.octaveMovedNotes << " notes moved by octaves";
    if (imported.unheardNotes > 0) out << "; " << unheardNotesReport(imported.unheardNotes);
    out << "\n";
}

// A file that holds no song is told why: one it could not read, or one it refused.
template <typename Song>
bool hasSong(const SongFile<Song>& file, const std::string& path, std::ostream& err) {
    if (file.song) return true;
    err << "vemo-tool: " << path << ": " << (file.isReadable ? "refused: " : "") << file.reason
        << "\n";
    return false;
}

std::optional<LoadedMelody> readRtttl(const std::string& path, std::int32_t gridStep,
                                      std::ostream& out, std::ostream& err) {
    const SongFile<RtttlSong> parsed = readRtttlFile(path);
    if (!hasSong(parsed, path, err)) return std::nullopt;
    MelodyImport imported = importRtttl(*parsed.song, gridStep);
    reportImport(imported, std::to_string(parsed.song->notes.size()) + " notes and rests", path,
                 out, err);
    return LoadedMelody{std::move(imported.melody), std::move(imported.pitch)};
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

std::optional<LoadedMelody> readMidi(const std::string& path, const ConvertRequest& request,
                                     std::ostream& out, std::ostream& err) {
    const SongFile<MidiSong> parsed = readMidiFile(path);
    if (!hasSong(parsed, path, err)) return std::nullopt;
    const MidiSong& song = *parsed.song;
    const auto voice = chosenVoice(song, request);
    if (!voice) {
        err << "vemo-tool: " << path << ": no notes on that track and channel; the file has:\n";
    }
    for (std::size_t index = 0; index < song.voices.size(); ++index) {
        (voice ? out : err) << (voice == index ? "* " : "  ")
                            << voiceDescription(song.voices[index]) << "\n";
    }
    if (!voice) return std::nullopt;
    if (const std::string silent = silentVoiceReason(song, *voice); !silent.empty()) {
        err << "vemo-tool: " << path << ": refused: " << silent << "\n";
        return std::nullopt;
    }
    MelodyImport imported =
        importMidi(song, {*voice, request.gridStep,
                          request.latestWins ? OverlapRule::Latest : OverlapRule::Highest});
    reportImport(imported, std::to_string(song.voices[*voice].noteCount) + " notes", path, out,
                 err);
    return LoadedMelody{std::move(imported.melody), std::move(imported.pitch)};
}

std::optional<std::string> rtttlText(const LoadedMelody& converted, const std::string& outPath,
                                     std::int32_t gridStep, std::ostream& err) {
    const ToneList tones =
        buildToneList(converted.melody, converted.pitch, melodyRange(converted.melody, {}));
    if (tones.empty()) {
        err << "vemo-tool: " << outPath << ": the melody has no notes; nothing to write\n";
        return std::nullopt;
    }
    return writeRtttl(tones, converted.melody.columnDuration, gridStep,
                      std::filesystem::path(outPath).stem().string()) +
           "\n";
}

} // namespace

int convertFiles(const ConvertRequest& request, std::ostream& out, std::ostream& err) {
    const auto from = formatOf(request.inPath, request.fromFormat, true, "--from-format", err);
    const auto to = formatOf(request.outPath, request.toFormat, false, "--to-format", err);
    if (!from || !to) return ExitBadUse;
    std::error_code error;
    if (std::filesystem::equivalent(request.inPath, request.outPath, error)) {
        err << "vemo-tool: " << request.outPath
            << ": this is the file being converted; choose another name\n";
        return ExitBadUse;
    }
    const auto converted = *from == Format::Vemo    ? readVemo(request.inPath, err)
                           : *from == Format::Rtttl ? readRtttl(request.inPath, request.gridStep, out, err)
                                                    : readMidi(request.inPath, request, out, err);
    if (!converted) return ExitFailed;
    std::vector<std::uint8_t> bytes;
    if (*to == Format::Vemo) {
        bytes = encodeMelody(converted->melody);
    } else if (*to == Format::Midi) {
        bytes = writeMidi(
            buildToneList(converted->melody, converted->pitch, melodyRange(converted->melody, {})),
            converted->melody.columnDuration, std::filesystem::path(request.outPath).stem().string());
    } else {
        const auto text = rtttlText(*converted, request.outPath, request.gridStep, err);
        if (!text) return ExitFailed;
        bytes.assign(text->begin(), text->end());
    }
    const FileOutcome written = writeFileReplacing(request.outPath, bytes);
    if (!written) {
        err << "vemo-tool: " << request.outPath << ": can't write it: " << written.reason << "\n";
        return ExitFailed;
    }
    return ExitOk;
}

} // namespace vemo
