#include "convert/SongFiles.h"

#include "convert/MidiImport.h"
#include "platform/Files.h"
#include "store/MelodyCodec.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace vemo {

FileContent fileContent(const std::string& path) {
    std::array<char, 32> start{};
    std::error_code error;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, error)) file.open(path, std::ios::binary);
    file.read(start.data(), start.size());
    const std::string_view begins(start.data(), static_cast<std::size_t>(file.gcount()));
    if (begins.starts_with(MelodyHeaderText)) return FileContent::Melody;
    if (begins.starts_with("MThd")) return FileContent::Midi;
    return FileContent::Unknown;
}

SongFile<RtttlSong> readRtttlFile(const std::string& path) {
    // One byte past the limit lets the parser tell a text that is too long.
    const FileBytes file = readFileBytes(path, MaxRtttlTextBytes + 1);
    if (!file) return {std::nullopt, false, file.outcome.reason};
    RtttlParse parsed = parseRtttl(
        std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
    return {std::move(parsed.song), true, std::move(parsed.reason)};
}

SongFile<MidiSong> readMidiFile(const std::string& path) {
    const FileBytes file = readFileBytes(path, MaxMidiFileBytes + 1);
    if (!file) return {std::nullopt, false, file.outcome.reason};
    MidiParse parsed = parseMidi(file.bytes);
    if (parsed.song && parsed.song->voices.empty())
        return {std::nullopt, true, "the file has no notes"};
    if (parsed.song) {
        const MidiSong& song = *parsed.song;
        std::int32_t sounding = 0;
        for (std::size_t voice = 0; voice < song.voices.size(); ++voice)
            sounding += soundingNotes(song, voice);
        if (sounding == 0)
            return {std::nullopt, true,
                    "the file has no notes that sound: all " + std::to_string(song.notes.size()) +
                        " end where they start"};
    }
    return {std::move(parsed.song), true, std::move(parsed.reason)};
}

} // namespace vemo
