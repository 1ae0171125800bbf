#include "cli/Recover.h"

#include "platform/Files.h"
#include "store/MelodyCodec.h"
#include "store/Recovery.h"

#include <CLI/CLI.hpp>

#include <ostream>

namespace vemo {

namespace {

std::string terminalLines(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return text;
}

} // namespace

CLI::App* addRecoverCommand(CLI::App& tool, RecoverRequest& request, const std::string& version) {
    CLI::App* command = tool.add_subcommand(
        "recover", "writes the melody a recovery journal holds as a .vemo file");
    command->set_version_flag("--version", version);
    command->add_option("JOURNAL", request.journalPath, "the journal")->required();
    command->add_option("OUT", request.outPath, "the .vemo file to write")->required();
    return command;
}

int recoverToFile(const RecoverRequest& request, std::ostream& out, std::ostream& err) {
    const std::string& journalPath = request.journalPath;
    const std::string& outPath = request.outPath;
    EditorState state;
    const Recovery recovery = recoverJournal(journalPath, state);
    if (!recovery.hasMelody) {
        err << "vemo-tool: can't recover '" << journalPath << "': " << recovery.reason << "\n";
        return 1;
    }
    out << terminalLines(recoveryText(recovery)) << "\n";
    const FileOutcome written = writeFileReplacing(outPath, encodeMelody(state.melody));
    if (!written) {
        err << "vemo-tool: can't write '" << outPath << "': " << written.reason << "\n";
        return 1;
    }
    return 0;
}

} // namespace vemo
