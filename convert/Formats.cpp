#include "convert/Formats.h"

#include "convert/AvrTone.h"
#include "convert/EsphomeTarget.h"
#include "convert/FmfFile.h"
#include "convert/MidiFile.h"
#include "convert/PlayTarget.h"
#include "convert/RtttlWriter.h"
#include "convert/ScriptTargets.h"
#include "convert/ZxBasic.h"
#include "sound/WaveFile.h"
#include "store/FileNames.h"
#include "store/MelodyCodec.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

namespace vemo {

namespace {

FileOutcome writeText(const std::string& path, const std::string& text) {
    return writeFileReplacing(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

FileOutcome writeMelody(const Format&, const std::string& path, const WriteSource& source) {
    return writeFileReplacing(path, encodeMelody(source.melody));
}

FileOutcome writeWave(const Format&, const std::string& path, const WriteSource& source) {
    return writeWaveFile(path, source.target.tones);
}

// One line of the text per file line, each ended as text files end their lines.
FileOutcome writeLines(const Format& format, const std::string& path, const WriteSource& source) {
    std::string text;
    for (const std::string& line : format.text(source.target))
        text += line + "\n";
    return writeText(path, text);
}

FileOutcome writeMidiSong(const Format&, const std::string& path, const WriteSource& source) {
    const TargetInput& target = source.target;
    return writeFileReplacing(path, writeMidi(target.tones, target.columnDuration, target.name));
}

template <CodeDialect Dialect> std::vector<std::string> dialectText(const TargetInput& input) {
    return codeLinesFor(Dialect, input.tones);
}

// The melody file comes first; the rest in the order of the export dialog's filters.
constexpr auto Formats = std::to_array<Format>({
    {.name = "vemo",
     .extensions = "vemo",
     .begins = MelodyHeaderText,
     .read = readMelodySong,
     .write = writeMelody},
    // Ringtones travel as .txt too; written, .txt is program text.
    {.name = "rtttl",
     .description = "RTTTL ringtone",
     .extensions = "rtttl",
     .read = readRtttlFile,
     .write = writeLines,
     .text = rtttlText,
     .check = rtttlCheck,
     .sound = rtttlSound,
     .needsTones = true,
     .loadDescription = "RTTTL",
     .alsoRead = "txt"},
    // Silence is a sound file of no length.
    {.name = "wav",
     .description = "WAV audio",
     .extensions = "wav",
     .write = writeWave,
     .holdsNoTones = true},
    {.name = "beep",
     .description = "program text",
     .extensions = "txt",
     .write = writeLines,
     .text = dialectText<CodeDialect::Beep>,
     .isProgramText = true},
    {.name = "arduino",
     .description = "Arduino statements",
     .extensions = "txt",
     .write = writeLines,
     .text = dialectText<CodeDialect::Arduino>,
     .isProgramText = true,
     .sound = avrToneSound},
    {.name = "arduino-table",
     .description = "Arduino sketch",
     .extensions = "ino",
     .write = writeLines,
     .text = dialectText<CodeDialect::ArduinoTable>,
     .isProgramText = true,
     .sound = avrToneSound},
    {.name = "linux-beep",
     .description = "Linux beep command",
     .extensions = "sh",
     .write = writeLines,
     .text = dialectText<CodeDialect::LinuxBeep>,
     .isProgramText = true},
    {.name = "c-array",
     .description = "C array",
     .extensions = "c h",
     .write = writeLines,
     .text = dialectText<CodeDialect::CArray>,
     .isProgramText = true},
    {.name = "midi",
     .description = "MIDI",
     .extensions = "mid midi",
     .begins = MidiHeaderTag,
     .read = readMidiFile,
     .write = writeMidiSong,
     .loadDescription = "MIDI",
     .loadsFirst = true},
    {.name = "micropython",
     .description = "MicroPython script",
     .extensions = "py",
     .write = writeLines,
     .text = micropythonText,
     .isProgramText = true,
     .check = micropythonCheck},
    {.name = "circuitpython",
     .description = "CircuitPython script",
     .extensions = "py",
     .write = writeLines,
     .text = circuitpythonText,
     .isProgramText = true},
    {.name = "esp32",
     .description = "ESP32 Arduino sketch",
     .extensions = "ino",
     .write = writeLines,
     .text = dialectText<CodeDialect::Esp32>,
     .isProgramText = true},
    {.name = "zx",
     .description = "ZX Spectrum BASIC",
     .extensions = "zxb",
     .write = writeLines,
     .text = zxText,
     .isProgramText = true,
     .check = zxCheck},
    {.name = "powershell",
     .description = "PowerShell script",
     .extensions = "ps1",
     .write = writeLines,
     .text = powershellText,
     .isProgramText = true,
     .check = powershellCheck},
    {.name = "marlin",
     .description = "Marlin G-code",
     .extensions = "gcode",
     .write = writeLines,
     .text = marlinText,
     .isProgramText = true},
    {.name = "play",
     .description = "QBasic PLAY",
     .extensions = "bas",
     .read = readPlayFile,
     .write = writeLines,
     .text = playText,
     .isProgramText = true,
     .check = playCheck,
     .sound = playSound,
     .needsTones = true,
     .loadDescription = "PLAY",
     .alsoRead = "mml"},
    {.name = "esphome",
     .description = "ESPHome YAML",
     .extensions = "yaml",
     .write = writeLines,
     .text = esphomeText,
     .isProgramText = true,
     .check = esphomeCheck,
     .sound = esphomeSound,
     .needsTones = true},
    {.name = "fmf",
     .description = "Flipper Music Format",
     .extensions = "fmf",
     .begins = FmfFileType,
     .read = readFmfFile,
     .write = writeLines,
     .text = fmfText,
     .check = fmfCheck,
     .sound = fmfSound,
     .needsTones = true,
     .loadDescription = "Flipper Music Format"},
});

template <typename Keep> std::vector<const Format*> formatsWhere(Keep keep) {
    std::vector<const Format*> kept;
    for (const Format& format : Formats)
        if (keep(format)) kept.push_back(&format);
    return kept;
}

// Enough of a file's start for every format's mark.
std::string fileBeginning(const std::string& path) {
    std::size_t longest = 0;
    for (const Format& format : Formats)
        longest = std::max(longest, format.begins.size());
    std::string start(longest, '\0');
    std::error_code error;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, error)) file.open(path, std::ios::binary);
    file.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(file.gcount()));
    return start;
}

} // namespace

std::span<const Format> formats() {
    return Formats;
}

const Format& melodyFormat() {
    return Formats.front();
}

std::vector<const Format*> exportFormats() {
    return formatsWhere([](const Format& format) {
        return format.write != nullptr && !format.description.empty();
    });
}

std::vector<const Format*> loadFormats() {
    std::vector<const Format*> listed = formatsWhere([](const Format& format) {
        return format.read != nullptr && !format.loadDescription.empty();
    });
    std::stable_partition(listed.begin(), listed.end(),
                          [](const Format* format) { return format->loadsFirst; });
    return listed;
}

std::vector<const Format*> readFormats() {
    return formatsWhere([](const Format& format) { return format.read != nullptr; });
}

std::vector<const Format*> convertFormats() {
    return formatsWhere(
        [](const Format& format) { return format.read != nullptr && format.write != nullptr; });
}

std::string readExtensions(const Format& format) {
    std::string extensions(format.extensions);
    if (!format.alsoRead.empty()) extensions += " " + std::string(format.alsoRead);
    return extensions;
}

const Format* formatByBeginning(const std::string& path, std::span<const Format* const> among) {
    const std::string begins = fileBeginning(path);
    for (const Format* format : among)
        if (!format->begins.empty() && begins.starts_with(format->begins)) return format;
    return nullptr;
}

const Format* formatByExtension(const std::string& path, std::span<const Format* const> among) {
    const std::string extension = extensionOf(path);
    for (const Format* format : among)
        if (isListed(readExtensions(*format), extension)) return format;
    return nullptr;
}

std::vector<std::string_view> textFormatNames() {
    std::vector<const Format*> texts =
        formatsWhere([](const Format& format) { return format.text != nullptr; });
    std::stable_partition(texts.begin(), texts.end(),
                          [](const Format* format) { return format->isProgramText; });
    std::vector<std::string_view> names;
    for (const Format* format : texts)
        names.push_back(format->name);
    return names;
}

const Format* textFormatNamed(std::string_view name) {
    const Format* format = formatNamed(name);
    return format != nullptr && format->text != nullptr ? format : nullptr;
}

std::vector<std::string_view> soundFormatNames() {
    std::vector<std::string_view> names;
    for (const Format* format :
         formatsWhere([](const Format& format) { return format.sound != nullptr; }))
        names.push_back(format->name);
    return names;
}

const Format* formatNamed(std::string_view name) {
    for (const Format& format : Formats)
        if (format.name == name) return &format;
    return nullptr;
}

} // namespace vemo
