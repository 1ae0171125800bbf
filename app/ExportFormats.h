#pragma once

#include "model/Tones.h"
#include "platform/Files.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vemo {

// What an export writes: the tones of the melody's range, the duration of one column, and the
// name of the file without folder and extension, for formats that carry a name.
struct ExportSource {
    ToneList tones;
    std::int32_t columnDuration = 0;
    std::string name;
};

struct ExportFormat {
    std::string_view description;
    std::string_view extensions; // without dots, separated by spaces; the first is the one added
    // Whether a melody without notes makes a file worth having in this format.
    bool holdsNoTones = false;
    // Writes the file through a temporary that replaces the target only when complete.
    FileOutcome (*write)(const std::string& path, const ExportSource& source) = nullptr;
};

// Every format "export" offers, in the order of the save dialog's filters.
std::span<const ExportFormat> exportFormats();

// The save dialog's filter list: "description|*.ext;*.ext|..." in the order of exportFormats.
std::string exportFilter();

struct ExportTarget {
    const ExportFormat* format = nullptr;
    std::string path;
};

// The format of a chosen path: the chosen filter's when the name ends in one of its extensions,
// else the format whose extension the name ends in, else the chosen filter's with its first
// extension added to the name.
ExportTarget exportTargetFor(const std::string& path, std::int32_t filterIndex);

} // namespace vemo
