// vemo-tool: melody files from the command line — play, list tones, export code, render, check.
#include "model/Geometry.h"
#include "model/Marks.h"
#include "model/PitchTable.h"
#include "platform/sdl/AudioBeeper.h"
#include "platform/sdl/ToneMixer.h"
#include "sound/CodeExport.h"
#include "sound/ToneList.h"
#include "store/FileIo.h"
#include "store/MelodyFile.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace vemo;

void usage() {
    std::cerr << "usage: vemo-tool play FILE [--repeat]\n"
                 "       vemo-tool tones FILE\n"
                 "       vemo-tool code FILE [--from COLUMN] [--to COLUMN]\n"
                 "       vemo-tool wav FILE OUT.wav\n"
                 "       vemo-tool check FILE\n";
}

struct LoadedMelody {
    Melody melody;
    Pitch pitch;
};

std::optional<LoadedMelody> loadFile(const std::string& path) {
    MelodyFile file = readMelodyFile(path);
    if (!file.melody) {
        std::cerr << "vemo-tool: " << path << ": " << file.reason << "\n";
        return std::nullopt;
    }
    DecodeResult decoded{std::move(file.melody), {}};
    LoadedMelody loaded;
    Melody& melody = loaded.melody;
    melody.lastColumn = decoded.melody->lastColumn;
    melody.lastRow = decoded.melody->lastRow;
    melody.columnDuration = decoded.melody->columnDuration;
    melody.grid = std::move(decoded.melody->grid);
    melody.marks = std::move(decoded.melody->marks);
    melody.markTotal = sumOfMarks(melody.marks);
    buildPitchTable(loaded.pitch, StartOctaveShift, melody.lastRow);
    return loaded;
}

ToneList tonesOf(const LoadedMelody& loaded, const Selection& selection) {
    return buildToneList(loaded.melody, loaded.pitch, melodyRange(loaded.melody, selection));
}

bool parseColumn(const std::string& text, std::int32_t& column) {
    try {
        std::size_t used = 0;
        const long value = std::stol(text, &used);
        if (used != text.size() || value < 0 || value > MaxColumnCount) return false;
        column = static_cast<std::int32_t>(value);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void putLittleEndian(std::vector<unsigned char>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

std::vector<unsigned char> renderWave(const ToneList& tones) {
    ToneMixer mixer;
    std::int64_t position = 0;
    for (const ToneEvent& event : tones) {
        const std::int64_t length = std::int64_t{event.duration} * SamplesPerMs;
        if (event.isRest == 0) mixer.addVoice(position, position + length, event.frequency);
        position += length;
    }
    std::vector<std::int16_t> samples(static_cast<std::size_t>(position));
    mixer.mix(samples.data(), samples.size(), 0);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<unsigned char> wave;
    const auto text = [&](const char* four) { wave.insert(wave.end(), four, four + 4); };
    text("RIFF");
    putLittleEndian(wave, 36 + dataBytes, 4);
    text("WAVE");
    text("fmt ");
    putLittleEndian(wave, 16, 4);
    putLittleEndian(wave, 1, 2); // PCM
    putLittleEndian(wave, 1, 2); // mono
    putLittleEndian(wave, SampleRateHz, 4);
    putLittleEndian(wave, SampleRateHz * 2, 4);
    putLittleEndian(wave, 2, 2);
    putLittleEndian(wave, 16, 2);
    text("data");
    putLittleEndian(wave, dataBytes, 4);
    for (std::int16_t sample : samples) putLittleEndian(wave, static_cast<std::uint16_t>(sample), 2);
    return wave;
}

volatile std::sig_atomic_t interrupted = 0;

// A blocking tone returns a little before it has sounded; this much silence at the end lets the
// last tone play out before the output is closed.
constexpr std::int32_t PlayOutMs = 100;

int play(const LoadedMelody& loaded, bool repeat) {
    const ToneList tones = tonesOf(loaded, {});
    if (tones.empty()) return 0;
    auto beeper = makeAudioBeeper();
    std::signal(SIGINT, [](int) { interrupted = 1; });
    do {
        for (const ToneEvent& event : tones) {
            if (interrupted != 0) return 130;
            if (event.isRest == 0)
                beeper->beep(event.frequency, event.duration);
            else
                beeper->rest(event.duration);
        }
    } while (repeat && interrupted == 0);
    if (interrupted != 0) return 130;
    beeper->rest(PlayOutMs);
    return 0;
}

int run(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        usage();
        return 2;
    }
    const std::string& command = args[0];
    const std::string& path = args[1];
    const std::vector<std::string> options(args.begin() + 2, args.end());
    if (command != "play" && command != "tones" && command != "code" && command != "wav" &&
        command != "check") {
        usage();
        return 2;
    }
    const auto loaded = loadFile(path);
    if (!loaded) return 1;

    if (command == "check") {
        std::cout << "ok: " << loaded->melody.lastColumn + 1 << " columns, "
                  << loaded->melody.lastRow + 1 << " rows, " << loaded->melody.columnDuration
                  << " ms per column\n";
        return 0;
    }
    if (command == "play") {
        const bool repeat = options.size() == 1 && options[0] == "--repeat";
        if (!options.empty() && !repeat) {
            usage();
            return 2;
        }
        return play(*loaded, repeat);
    }
    if (command == "tones") {
        for (const ToneEvent& event : tonesOf(*loaded, {})) {
            if (event.isRest == 0)
                std::cout << "tone " << event.frequency << " " << event.duration << "\n";
            else
                std::cout << "rest " << event.duration << "\n";
        }
        return 0;
    }
    if (command == "wav") {
        if (options.size() != 1) {
            usage();
            return 2;
        }
        const auto wave = renderWave(tonesOf(*loaded, {}));
        std::ofstream out(options[0], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(wave.data()), static_cast<std::streamsize>(wave.size()));
        out.close();
        if (!out) {
            std::cerr << "vemo-tool: " << options[0] << ": can't write the file\n";
            return 1;
        }
        return 0;
    }
    // code, optionally for a column range as if it were selected
    Selection selection{0, 0, loaded->melody.lastColumn, 0, 0};
    for (std::size_t i = 0; i < options.size(); i += 2) {
        std::int32_t column = 0;
        if (i + 1 >= options.size() || !parseColumn(options[i + 1], column) ||
            (options[i] != "--from" && options[i] != "--to")) {
            usage();
            return 2;
        }
        selection.selectionActive = 1;
        (options[i] == "--from" ? selection.selectionFirst : selection.selectionLast) = column;
    }
    if (selection.selectionFirst > selection.selectionLast) {
        std::cerr << "vemo-tool: --from lies after --to\n";
        return 2;
    }
    const auto lines = codeLinesFor(tonesOf(*loaded, selection));
    for (const std::string& line : lines) std::cout << line << "\n";
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    ignoreFileSizeSignal();
    std::vector<std::string> args(argv + 1, argv + argc);
    return run(args);
}
