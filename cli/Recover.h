#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace vemo {

struct RecoverRequest {
    std::string journalPath;
    std::string outPath;
};

// The command's arguments and help on the tool.
CLI::App* addRecoverCommand(CLI::App& tool, RecoverRequest& request, const std::string& version);

// `vemo-tool recover JOURNAL OUT.vemo`: the melody a journal holds written as a melody file,
// through a temporary renamed over OUT, without the editor. What the journal held goes to `out`,
// why nothing was written to `err`. Returns 0 when written, 1 otherwise.
int recoverToFile(const RecoverRequest& request, std::ostream& out, std::ostream& err);

} // namespace vemo
