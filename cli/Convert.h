#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace vemo {

// What `vemo-tool convert` was asked to do. An empty format is taken from the file's extension.
struct ConvertRequest {
    std::string inPath;
    std::string outPath;
    std::string fromFormat;
    std::string toFormat;
    std::int32_t gridStep = 16;
};

// The format names the command accepts, for its help text.
extern const char* const ConvertFormats;

// Reads, converts and writes through a temporary file renamed over OUT. The import's report goes
// to `out`, problems to `err`. Returns the tool's exit code: 0 done, 1 failed, 2 wrong use.
int convertFiles(const ConvertRequest& request, std::ostream& out, std::ostream& err);

} // namespace vemo
