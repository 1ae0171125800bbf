// vemo-tool: melody files from the command line — play, list tones, export code, render, check,
// convert.
#include "cli/Convert.h"
#include "cli/Recover.h"
#include "convert/Formats.h"
#include "platform/Files.h"
#include "platform/sdl/AudioBeeper.h"
#include "sound/ToneList.h"
#include "sound/WaveFile.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace vemo;

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitBadUse = 2;
constexpr int ExitInterrupted = 130;

const std::string VersionText = std::string("vemo-tool ") + VEMO_VERSION;

void complain(const std::string& subject, const std::string& problem) {
    std::cerr << "vemo-tool: " << subject << ": " << problem << "\n";
}

// The commands but convert read vemo's own melody files only.
std::optional<MelodyImport> loadFile(const std::string& path) {
    SongFile file = melodyFormat().read(path);
    if (!file.song) {
        complain(path, file.reason);
        return std::nullopt;
    }
    return melodyOf(std::move(*file.song));
}

// The words given: FILE and the options of the command used.
struct Arguments {
    std::string path;
    std::string outPath;
    bool repeat = false;
    std::optional<std::int32_t> from;
    std::optional<std::int32_t> to;
    std::string formatName{textFormatNames().front()};
    // code: what the format's target cannot play refuses the text; check: the target to check.
    bool isStrict = false;
    std::string targetName;
    // wav: the format whose device the rendering sounds like; empty: as vemo plays the melody.
    std::string soundName;
    ConvertRequest conversion;
};

ToneList tonesOf(const MelodyImport& loaded, const Selection& selection) {
    return buildToneList(loaded.melody, loaded.pitch, melodyRange(loaded.melody, selection));
}

volatile std::sig_atomic_t interrupted = 0;

// A blocking tone returns a little before it has sounded; this much silence at the end lets the
// last tone play out before the output is closed.
constexpr std::int32_t PlayOutMs = 100;

int playTones(const Arguments& arguments, const MelodyImport& loaded) {
    const ToneList tones = tonesOf(loaded, {});
    if (tones.empty()) return ExitOk;
    auto beeper = makeAudioBeeper("vemo-tool");
    std::signal(SIGINT, [](int) { interrupted = 1; });
    do {
        for (const ToneEvent& event : tones) {
            if (interrupted != 0) return ExitInterrupted;
            if (event.isRest == 0)
                beeper->beep(event.frequency, event.duration);
            else
                beeper->rest(event.duration);
        }
    } while (arguments.repeat && interrupted == 0);
    if (interrupted != 0) return ExitInterrupted;
    beeper->rest(PlayOutMs);
    return ExitOk;
}

int printTones(const Arguments&, const MelodyImport& loaded) {
    for (const ToneEvent& event : tonesOf(loaded, {})) {
        if (event.isRest == 0)
            std::cout << "tone " << event.frequency << " " << event.duration << "\n";
        else
            std::cout << "rest " << event.duration << "\n";
    }
    return ExitOk;
}

// A column range works as a selection would in the editor; both ends must be columns of the
// melody, since a range past its end is a mistake worth telling rather than cutting.
int printCode(const Arguments& arguments, const MelodyImport& loaded) {
    const std::string& path = arguments.path;
    const std::optional<std::int32_t>& from = arguments.from;
    const std::optional<std::int32_t>& to = arguments.to;
    const std::int32_t lastColumn = loaded.melody.lastColumn;
    const std::string columns = "give a column from 0 to " + std::to_string(lastColumn);
    for (const auto& [name, column] : {std::pair{"--from", from}, std::pair{"--to", to}}) {
        if (column && *column > lastColumn) {
            complain(path, std::string(name) + " " + std::to_string(*column) +
                               " is past the last column, " + std::to_string(lastColumn) + "; " +
                               columns);
            return ExitBadUse;
        }
    }
    Selection selection{0, 0, lastColumn, 0, 0};
    if (from || to) {
        selection.selectionActive = 1;
        selection.selectionFirst = from.value_or(0);
        selection.selectionLast = to.value_or(lastColumn);
    }
    if (selection.selectionFirst > selection.selectionLast) {
        complain(path, "--from " + std::to_string(selection.selectionFirst) + " lies after --to " +
                           std::to_string(selection.selectionLast) + "; swap them");
        return ExitBadUse;
    }
    const Format& format = *textFormatNamed(arguments.formatName);
    const TargetInput input =
        targetInputFor(loaded.melody, loaded.pitch, selection,
                       std::filesystem::path(path).stem().string(), DefaultGridStep);
    if (!tellTargetProblems(format, input, path, arguments.isStrict, std::cerr)) return ExitFailed;
    for (const std::string& line : format.text(input))
        std::cout << line << "\n";
    return ExitOk;
}

std::string nameList(const std::vector<std::string_view>& names) {
    std::string list;
    for (std::string_view name : names)
        list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

std::string dialectList() {
    return nameList(textFormatNames());
}

// An unknown format is refused before the file is read, with the names that would do.
const CLI::Validator KnownDialect(
    [](std::string& name) {
        return textFormatNamed(name) ? std::string()
                                     : "'" + name + "' is not a format; use " + dialectList();
    },
    "");

bool sameFile(const std::string& one, const std::string& other) {
    std::error_code error;
    return std::filesystem::equivalent(one, other, error);
}

int writeWave(const Arguments& arguments, const MelodyImport& loaded) {
    const std::string& outPath = arguments.outPath;
    if (sameFile(arguments.path, outPath)) {
        complain(outPath, "this is the melody file itself; choose another name for the WAV file");
        return ExitBadUse;
    }
    const ToneList tones =
        arguments.soundName.empty()
            ? tonesOf(loaded, {})
            : formatNamed(arguments.soundName)
                  ->sound(targetInputFor(loaded.melody, loaded.pitch, {},
                                         std::filesystem::path(arguments.path).stem().string(),
                                         DefaultGridStep));
    const FileOutcome written = writeWaveFile(outPath, tones);
    if (!written) {
        complain(outPath, "can't write the WAV file: " + written.reason);
        return ExitFailed;
    }
    return ExitOk;
}

// Only a format that says how its device sounds can be heard; another name is refused with those.
const CLI::Validator KnownSound(
    [](std::string& name) {
        const Format* format = formatNamed(name);
        return format != nullptr && format->sound != nullptr
                   ? std::string()
                   : "'" + name + "' is not a format whose device vemo can sound like; use " +
                         nameList(soundFormatNames());
    },
    "");

// With a target, what it cannot play of the melody, a line a problem, instead of the dimensions.
int printCheck(const Arguments& arguments, const MelodyImport& loaded) {
    if (arguments.targetName.empty()) {
        std::cout << "ok: " << loaded.melody.lastColumn + 1 << " columns, "
                  << loaded.melody.lastRow + 1 << " rows, " << loaded.melody.columnDuration
                  << " ms per column\n";
        return ExitOk;
    }
    const Format& format = *formatNamed(arguments.targetName);
    if (format.check == nullptr) return ExitOk;
    const std::vector<TargetProblem> problems = format.check(
        targetInputFor(loaded.melody, loaded.pitch, {},
                       std::filesystem::path(arguments.path).stem().string(), DefaultGridStep));
    for (const TargetProblem& problem : problems)
        std::cout << problem.text << "\n";
    return problems.empty() ? ExitOk : ExitFailed;
}

std::string writtenFormatList() {
    std::string list;
    for (const Format* format : exportFormats())
        list += (list.empty() ? "" : ", ") + std::string(format->name);
    return list;
}

// A target is a format vemo writes; another name is refused with those that would do.
const CLI::Validator KnownTarget(
    [](std::string& name) {
        const Format* format = formatNamed(name);
        return format != nullptr && format->write != nullptr
                   ? std::string()
                   : "'" + name + "' is not a format; use " + writtenFormatList();
    },
    "");

// The parser's messages start as sentences; ours continue after "vemo-tool: ". Names such as
// FILE keep their capitals.
std::string lowerFirst(std::string text) {
    if (text.size() > 1 && std::isupper(static_cast<unsigned char>(text[1])) == 0)
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

const std::string CommandNames = "play, tones, code, wav, check or convert";

// What went wrong with the words given, and where to read how they go.
void complainAboutUse(const CLI::App& tool, const CLI::ParseError& error, int argc, char* argv[]) {
    const auto used = tool.get_subcommands();
    if (used.empty() && argc > 1 && argv[1][0] != '-') {
        std::cerr << "vemo-tool: '" << argv[1] << "' is not a command; use " << CommandNames
                  << " (see 'vemo-tool --help')\n";
        return;
    }
    if (used.empty() && argc <= 1) {
        std::cerr << "vemo-tool: give a command: " << CommandNames << " (see 'vemo-tool --help')\n";
        return;
    }
    const std::string helpCommand =
        "vemo-tool" + (used.empty() ? std::string() : " " + used.front()->get_name()) + " --help";
    std::cerr << "vemo-tool: " << lowerFirst(error.what()) << "; see '" << helpCommand
              << "' for how to use it\n";
}

CLI::App* addCommand(CLI::App& tool, const std::string& name, const std::string& description,
                     Arguments& arguments) {
    CLI::App* command = tool.add_subcommand(name, description);
    command->set_version_flag("--version", VersionText);
    command->add_option("FILE", arguments.path, "the .vemo melody file")->required();
    return command;
}

CLI::App* addCodeCommand(CLI::App& tool, Arguments& arguments) {
    CLI::App* command =
        addCommand(tool, "code", "prints the program text, one statement a line", arguments);
    const auto column = CLI::Range(0, MaxColumnCount - 1);
    command->add_option("--from", arguments.from, "first column of the range (default: 0)")
        ->check(column);
    command->add_option("--to", arguments.to, "last column of the range (default: the last one)")
        ->check(column);
    command
        ->add_option("--format", arguments.formatName,
                     "the program text's dialect: " + dialectList())
        ->check(KnownDialect)
        ->type_name("NAME")
        ->capture_default_str();
    command->add_flag("--strict", arguments.isStrict,
                      "refuse, instead of only telling, what the format's target cannot play");
    return command;
}

// A command on one melody file, run once the file is read.
using MelodyCommand = int (*)(const Arguments& arguments, const MelodyImport& loaded);

// Every command but convert, in the order of the help text.
std::vector<std::pair<CLI::App*, MelodyCommand>> addMelodyCommands(CLI::App& tool,
                                                                   Arguments& arguments) {
    CLI::App* play = addCommand(tool, "play", "plays the melody once", arguments);
    play->add_flag("--repeat", arguments.repeat, "plays it over and over until Ctrl+C");
    CLI::App* tones = addCommand(
        tool, "tones", "prints the tone list, one event a line: tone 440 240, rest 120", arguments);
    CLI::App* code = addCodeCommand(tool, arguments);
    CLI::App* wav = addCommand(
        tool, "wav", "renders the melody as a 16-bit mono 48 kHz WAV with the beeper's square wave",
        arguments);
    wav->add_option("OUT.wav", arguments.outPath, "the WAV file to write")->required();
    wav->add_option("--as", arguments.soundName,
                    "instead, the melody as this format's device plays it: " +
                        nameList(soundFormatNames()))
        ->check(KnownSound)
        ->type_name("NAME");
    CLI::App* check = addCommand(
        tool, "check", "prints ok with the dimensions, or why the file is refused", arguments);
    check
        ->add_option("--target", arguments.targetName,
                     "instead, what this format's target cannot play of the melody (exit 1 when "
                     "anything): " +
                         writtenFormatList())
        ->check(KnownTarget)
        ->type_name("NAME");
    return {{play, playTones},
            {tones, printTones},
            {code, printCode},
            {wav, writeWave},
            {check, printCheck}};
}

CLI::App* addConvertCommand(CLI::App& tool, ConvertRequest& conversion) {
    CLI::App* command = tool.add_subcommand(
        "convert", "converts between melody formats: .vemo, RTTTL ringtone text (.rtttl, .txt), "
                   "MIDI (.mid, .midi), QBasic PLAY (.bas, .mml) and Flipper Music Format (.fmf); "
                   "prints the timing and pitch changes of an import");
    command->set_version_flag("--version", VersionText);
    command->add_option("IN", conversion.inPath, "the file to read")->required();
    command->add_option("OUT", conversion.outPath, "the file to write")->required();
    const std::string names = convertFormatNames();
    command->add_option("--from-format", conversion.fromFormat,
                        "the format of IN: " + names + " (default: by its extension)");
    command->add_option("--to-format", conversion.toFormat,
                        "the format of OUT: " + names + " (default: by its extension)");
    command
        ->add_option("--grid", conversion.gridStep,
                     "one column is this part of a whole note: " + gridStepNames() +
                         " (default: " + std::to_string(DefaultGridStep) + ")")
        ->check(CLI::IsMember(std::vector<std::int32_t>(GridSteps.begin(), GridSteps.end())));
    command
        ->add_option("--track", conversion.track,
                     "MIDI: take the notes of this track, counted from 1 (default: the tune, that "
                     "is the highest on average of the tracks and channels with at least half as "
                     "many note-on times as the busiest, a chord one; drums only when nothing "
                     "else sounds)")
        ->check(CLI::Range(1, 65535));
    command
        ->add_option("--channel", conversion.channel, "MIDI: take the notes of this channel, 1-16")
        ->check(CLI::Range(1, 16));
    command->add_flag("--latest", conversion.latestWins,
                      "MIDI: where notes overlap the latest one sounds (default: the highest)");
    command->add_flag("--strict", conversion.isStrict,
                      "refuse, instead of only telling, what OUT's target cannot play");
    command->footer("RTTTL has the note values 1, 2, 4, 8, 16 and 32, plain or dotted (dotted only "
                    "in the default octave), and tempi up to b=255; a tone that none of them gives "
                    "is written as two or more notes of its pitch.");
    return command;
}

// The parse's own end (help, version, a mistake) with its exit code; none when a command is to run.
std::optional<int> parse(CLI::App& tool, int argc, char* argv[]) {
    try {
        tool.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return tool.exit(help);
    } catch (const CLI::CallForVersion& version) {
        return tool.exit(version);
    } catch (const CLI::ParseError& error) {
        complainAboutUse(tool, error, argc, argv);
        return ExitBadUse;
    }
    return std::nullopt;
}

int run(int argc, char* argv[]) {
    CLI::App tool{"Plays, lists, exports, renders, checks and converts vemo melody files.",
                  "vemo-tool"};
    tool.set_version_flag("--version", VersionText);
    tool.require_subcommand(1);
    Arguments arguments;
    const auto commands = addMelodyCommands(tool, arguments);
    const CLI::App* convert = addConvertCommand(tool, arguments.conversion);
    RecoverRequest recovered;
    const CLI::App* recover = addRecoverCommand(tool, recovered, VersionText);
    if (const std::optional<int> stopped = parse(tool, argc, argv)) return *stopped;

    if (convert->parsed()) return convertFiles(arguments.conversion, std::cout, std::cerr);
    if (recover->parsed()) return recoverToFile(recovered, std::cout, std::cerr);
    const auto loaded = loadFile(arguments.path);
    if (!loaded) return ExitFailed;
    for (const auto& [command, runCommand] : commands)
        if (command->parsed()) return runCommand(arguments, *loaded);
    return ExitOk;
}

} // namespace

int main(int argc, char* argv[]) {
    // A WAV that meets the file size limit must fail with its message, not kill the tool.
    ignoreFileSizeSignal();
    return run(argc, argv);
}
