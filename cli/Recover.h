#pragma once

#include <iosfwd>
#include <string>

namespace vemo {

// `vemo-tool recover JOURNAL OUT.vemo`: the melody a journal holds written as a melody file,
// through a temporary renamed over OUT, without the editor. What the journal held goes to `out`,
// why nothing was written to `err`. Returns 0 when written, 1 otherwise.
int recoverToFile(const std::string& journalPath, const std::string& outPath, std::ostream& out,
                  std::ostream& err);

} // namespace vemo
