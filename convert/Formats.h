#pragma once

#include "convert/CodeDialects.h"
#include "convert/MelodyImport.h"
#include "convert/SongFiles.h"
#include "convert/Targets.h"
#include "model/Melody.h"
#include "model/Tones.h"
#include "platform/Files.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// What a writer is given: the whole melody (for the formats that keep the grid) and the tones of
// the range to write with what a target needs beside them.
struct WriteSource {
    const Melody& melody;
    TargetInput target;
};

struct Format;
using FormatReader = SongFile (*)(const std::string& path);
// Writes through a temporary that replaces the target only when complete. The entry comes along
// so that formats of one kind can share a writer.
using FormatWriter = FileOutcome (*)(const Format& format, const std::string& path,
                                     const WriteSource& source);

// One format of the files vemo reads or writes: a new format is one entry of the table in
// convert/Formats.cpp with its reader or writer.
struct Format {
    std::string_view name = {}; // as users type it: "midi"
    // The export dialog's filter text; empty where "export" does not offer the format.
    std::string_view description = {};
    // Without dots, separated by spaces: "mid midi". The first is the one added to a bare name.
    std::string_view extensions = {};
    // What a file of the format begins with; empty where only its name tells.
    std::string_view begins = {};
    FormatReader read = nullptr;  // none: the format is only written
    FormatWriter write = nullptr; // none: the format is only read
    // The format is text: the code window's menu and `vemo-tool code --format` offer it, and
    // it is written line by line.
    TargetText text = nullptr;
    // Text in a programming language: listed before the other texts in the code window's menu.
    bool isProgramText = false;
    // What the target cannot reproduce exactly, said before it is written; none: nothing.
    TargetCheck check = nullptr;
    // The tones as the device plays them (`vemo-tool wav --as`); none: as vemo plays them.
    TargetSound sound = nullptr;
    // A melody without notes still makes a file worth exporting.
    bool holdsNoTones = false;
    // No file of the format holds no note: a conversion refuses a melody without notes.
    bool needsTones = false;
    // The load dialog's filter text; empty where the load dialog does not list the format.
    std::string_view loadDescription = {};
    // More extensions that a file read as the format may have.
    std::string_view alsoRead = {};
    // Listed in the load dialog before the formats above it in the table, where it has always
    // stood; a format added later is listed after the others.
    bool loadsFirst = false;
};

// Every format, in the table's order.
std::span<const Format> formats();
// vemo's own melody file: what "save" writes and a file no other format claims is read as.
const Format& melodyFormat();

// The formats "export" offers, in the order of its dialog's filters.
std::vector<const Format*> exportFormats();
// The formats the load dialog lists after the melody files' own: those listed first, then the
// others in the table's order.
std::vector<const Format*> loadFormats();
// The formats that are read: the editor loads them and tells them apart by these.
std::vector<const Format*> readFormats();
// The formats `vemo-tool convert` takes: those both read and written.
std::vector<const Format*> convertFormats();

// Every extension a file read as the format may have: its own, then those it also reads.
std::string readExtensions(const Format& format);
// The format among `among` that a file's first bytes say it is; none when none of them tells.
// Anything but a regular file is not opened (a named pipe would block until written to).
const Format* formatByBeginning(const std::string& path, std::span<const Format* const> among);
// The format among `among` whose read extensions hold the file's extension.
const Format* formatByExtension(const std::string& path, std::span<const Format* const> among);

// The formats that are text, by the names users type: program text first, the default (`beep`)
// first of all, then the others in the table's order.
std::vector<std::string_view> textFormatNames();
const Format* textFormatNamed(std::string_view name);
// The formats that say how their device sounds (`vemo-tool wav --as`), in the table's order.
std::vector<std::string_view> soundFormatNames();
// Any format by its name; none for a name no format has.
const Format* formatNamed(std::string_view name);

} // namespace vemo
