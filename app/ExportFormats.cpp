#include "app/ExportFormats.h"

#include "convert/MidiFile.h"
#include "convert/RtttlImport.h"
#include "convert/RtttlWriter.h"
#include "convert/CodeDialects.h"
#include "sound/WaveFile.h"
#include "store/FileNames.h"

#include <algorithm>
#include <array>

namespace vemo {

namespace {

FileOutcome writeText(const std::string& path, const std::string& text) {
    return writeFileReplacing(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

FileOutcome writeRtttlFile(const std::string& path, const ExportSource& source) {
    return writeText(
        path, writeRtttl(source.tones, source.columnDuration, DefaultGridStep, source.name) + "\n");
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

FileOutcome writeMidiFile(const std::string& path, const ExportSource& source) {
    return writeFileReplacing(path, writeMidi(source.tones, source.columnDuration, source.name));
}

// In the order of the save dialog's filters.
constexpr std::array<ExportFormat, 8> Formats{{
    {"RTTTL ringtone", "rtttl", false, writeRtttlFile},
    {"WAV audio", "wav", true, writeWave},
    {"program text", "txt", false, writeCode<CodeDialect::Beep>},
    {"Arduino statements", "txt", false, writeCode<CodeDialect::Arduino>},
    {"Arduino sketch", "ino", false, writeCode<CodeDialect::ArduinoTable>},
    {"Linux beep command", "sh", false, writeCode<CodeDialect::LinuxBeep>},
    {"C array", "c h", false, writeCode<CodeDialect::CArray>},
    {"MIDI", "mid midi", false, writeMidiFile},
}};

} // namespace

std::span<const ExportFormat> exportFormats() {
    return Formats;
}

std::string exportFilter() {
    std::string filter;
    for (const ExportFormat& format : Formats)
        filter += (filter.empty() ? "" : "|") + filterEntry(format.description, format.extensions);
    return filter;
}

ExportTarget exportTargetFor(const std::string& path, std::int32_t filterIndex) {
    const auto chosenIndex = static_cast<std::size_t>(
        std::clamp(filterIndex, 0, static_cast<std::int32_t>(Formats.size()) - 1));
    const ExportFormat& chosen = Formats[chosenIndex];
    const std::string extension = extensionOf(path);
    if (isListed(chosen.extensions, extension)) return {&chosen, path};
    for (const ExportFormat& format : Formats)
        if (isListed(format.extensions, extension)) return {&format, path};
    return {&chosen, path + "." + std::string(firstExtension(chosen.extensions))};
}

} // namespace vemo
