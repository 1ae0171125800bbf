#include "convert/SongFiles.h"

#include "store/FileIo.h"

#include <string_view>

namespace vemo {

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
    return {std::move(parsed.song), true, std::move(parsed.reason)};
}

} // namespace vemo
