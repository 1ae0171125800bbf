#include "app/ExportFormats.h"

#include "convert/RtttlImport.h"
#include "convert/RtttlWriter.h"
#include "sound/CodeDialects.h"
#include "sound/WaveFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

namespace vemo {

namespace {

FileOutcome writeText(const std::string& path, const std::string& text) {
    return writeFileReplacing(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

FileOutcome writeRtttlFile(const std::string& path, const ExportSource& source) {
    return writeText(path, writeRtttl(source.tones, source.columnDuration, DefaultGridStep,
                                      source.name) +
                               "\n");
}

FileOutcome writeWave(const std::string& path, const ExportSource& source) {
    return writeWaveFile(path, source.tones);
}

// One line of the dialect's text per file line, each ended as text files end their lines.
template <CodeDialect Dialect>
FileOutcome writeCode(const std::string& path, const ExportSource& source) {
    std::string text;
    for (const std::string& line : codeLinesFor(Dialect, source.tones))
        text += line + "\n";
    return writeText(path, text);
}

// A format's extensions are its patterns in the filter; a MIDI entry (writeMidi of
// convert/MidiWriter.h, "mid") takes its place in this table like the others.
constexpr std::array<ExportFormat, 7> Formats{{
    {"RTTTL ringtone", "rtttl", false, writeRtttlFile},
    {"WAV audio", "wav", true, writeWave},
    {"program text", "txt", false, writeCode<CodeDialect::Beep>},
    {"Arduino statements", "txt", false, writeCode<CodeDialect::Arduino>},
    {"Arduino sketch", "ino", false, writeCode<CodeDialect::ArduinoTable>},
    {"Linux beep command", "sh", false, writeCode<CodeDialect::LinuxBeep>},
    {"C array", "c h", false, writeCode<CodeDialect::CArray>},
}};

std::vector<std::string_view> extensionsOf(const ExportFormat& format) {
    std::vector<std::string_view> extensions;
    std::string_view rest = format.extensions;
    while (!rest.empty()) {
        const std::size_t space = rest.find(' ');
        extensions.push_back(rest.substr(0, space));
        rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    }
    return extensions;
}

bool endsInExtensionOf(const ExportFormat& format, const std::string& extension) {
    const std::vector<std::string_view> extensions = extensionsOf(format);
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

// The text after the last dot of the file's name, in lower case; empty when there is none.
std::string extensionOf(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    if (!extension.empty()) extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace

std::span<const ExportFormat> exportFormats() {
    return Formats;
}

std::string exportFilter() {
    std::string filter;
    for (const ExportFormat& format : Formats) {
        std::string patterns;
        for (std::string_view extension : extensionsOf(format))
            patterns += (patterns.empty() ? "*." : ";*.") + std::string(extension);
        filter += (filter.empty() ? "" : "|") + std::string(format.description) + "|" + patterns;
    }
    return filter;
}

ExportTarget exportTargetFor(const std::string& path, std::int32_t filterIndex) {
    const auto chosenIndex =
        static_cast<std::size_t>(std::clamp(filterIndex, 0, static_cast<std::int32_t>(Formats.size()) - 1));
    const ExportFormat& chosen = Formats[chosenIndex];
    const std::string extension = extensionOf(path);
    if (endsInExtensionOf(chosen, extension)) return {&chosen, path};
    for (const ExportFormat& format : Formats)
        if (endsInExtensionOf(format, extension)) return {&format, path};
    return {&chosen, path + "." + std::string(extensionsOf(chosen).front())};
}

} // namespace vemo
