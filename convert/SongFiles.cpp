#include "convert/SongFiles.h"

#include "convert/PlayImport.h"
#include "convert/RtttlImport.h"
#include "model/Marks.h"
#include "platform/Files.h"
#include "store/MelodyFile.h"

#include <string_view>

namespace vemo {

namespace {

MelodyImport melodyOfFile(DecodedMelody&& decoded) {
    MelodyImport loaded;
    Melody& melody = loaded.melody;
    melody.lastColumn = decoded.lastColumn;
    melody.lastRow = decoded.lastRow;
    melody.columnDuration = decoded.columnDuration;
    melody.grid = std::move(decoded.grid);
    melody.marks = std::move(decoded.marks);
    melody.markTotal = sumOfMarks(melody.marks);
    buildPitchTable(loaded.pitch, StartOctaveShift, melody.lastRow);
    return loaded;
}

// A text a parser reads; one byte past the limit lets the parser tell a text that is too long.
template <typename Parse>
SongFile readTextSong(const std::string& path, std::size_t limit, Parse parse) {
    const FileBytes file = readFileBytes(path, limit + 1);
    if (!file) return {std::nullopt, false, file.outcome.reason};
    auto parsed = parse(
        std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
    if (!parsed.song) return {std::nullopt, true, std::move(parsed.reason)};
    return {std::move(*parsed.song), true, {}};
}

} // namespace

SongFile readMelodySong(const std::string& path) {
    MelodyFile file = readMelodyFile(path);
    if (!file.melody)
        return {std::nullopt, file.status != MelodyFileStatus::Unreadable, std::move(file.reason)};
    return {std::move(*file.melody), true, {}};
}

SongFile readRtttlFile(const std::string& path) {
    return readTextSong(path, MaxRtttlTextBytes, parseRtttl);
}

SongFile readMidiFile(const std::string& path) {
    const FileBytes file = readFileBytes(path, MaxMidiFileBytes + 1);
    if (!file) return {std::nullopt, false, file.outcome.reason};
    MidiParse parsed = parseMidi(file.bytes);
    if (!parsed.song) return {std::nullopt, true, std::move(parsed.reason)};
    const MidiSong& song = *parsed.song;
    if (song.voices.empty()) return {std::nullopt, true, "the file has no notes"};
    std::int32_t sounding = 0;
    for (std::size_t voice = 0; voice < song.voices.size(); ++voice)
        sounding += soundingNotes(song, voice);
    if (sounding == 0)
        return {std::nullopt, true,
                "the file has no notes that sound: all " + std::to_string(song.notes.size()) +
                    " end where they start"};
    return {std::move(*parsed.song), true, {}};
}

SongFile readPlayFile(const std::string& path) {
    return readTextSong(path, MaxPlayTextBytes, parsePlay);
}

SongFile readFmfFile(const std::string& path) {
    return readTextSong(path, MaxFmfFileBytes, parseFmf);
}

MelodyImport melodyOf(FileSong&& song, const ImportChoice& choice) {
    if (const auto* rtttl = std::get_if<RtttlSong>(&song))
        return importRtttl(*rtttl, choice.gridStep);
    if (const auto* midi = std::get_if<MidiSong>(&song)) return importMidi(*midi, choice);
    if (const auto* play = std::get_if<PlaySong>(&song)) return importPlay(*play, choice.gridStep);
    if (const auto* flipper = std::get_if<FmfSong>(&song))
        return importFmf(*flipper, choice.gridStep);
    return melodyOfFile(std::get<DecodedMelody>(std::move(song)));
}

} // namespace vemo
