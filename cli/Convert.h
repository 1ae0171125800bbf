#pragma once

#include "convert/Formats.h"
#include "convert/MelodyImport.h"

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
    std::int32_t gridStep = DefaultGridStep;
    // MIDI only: the track (from 1) and channel (1-16) to take, 0 for the default choice, and
    // whether the latest note-on wins over the highest sounding note.
    std::int32_t track = 0;
    std::int32_t channel = 0;
    bool latestWins = false;
    // What the output's target cannot play refuses the conversion instead of being only told.
    bool isStrict = false;
};

// Tells on `err` what the format's target cannot reproduce of the input, a line a problem named
// after the file. False when there is something to tell and isStrict refuses it.
bool tellTargetProblems(const Format& format, const TargetInput& input, const std::string& path,
                        bool isStrict, std::ostream& err);

// For the command's help text: the format names it accepts ("vemo, rtttl or midi") and the grid
// steps ("8, 16 or 32").
std::string convertFormatNames();
std::string gridStepNames();

// Reads, converts and writes through a temporary file renamed over OUT. The import's report goes
// to `out`, problems to `err`. Returns the tool's exit code: 0 done, 1 failed, 2 wrong use.
int convertFiles(const ConvertRequest& request, std::ostream& out, std::ostream& err);

} // namespace vemo
