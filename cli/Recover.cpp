#include "cli/Recover.h"

#include "platform/Files.h"
#include "store/MelodyCodec.h"
#include "store/Recovery.h"

#include <ostream>

namespace vemo {

namespace {

std::string terminalLines(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return text;
}

} // namespace

int recoverToFile(const std::string& journalPath, const std::string& outPath, std::ostream& out,
                  std::ostream& err) {
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
