#pragma once

#include "app/FileCommands.h"

#include <span>
#include <string>
#include <string_view>

namespace vemo {

// A format the editor reads besides its own melody files. An import replaces the melody as one
// undo step and leaves no file name, so that "save" asks for a new one.
struct ImportFormat {
    std::string_view description;
    std::string_view extensions; // without dots, separated by spaces
    LoadOutcome (*import)(EditorContext& editor, const std::string& path);
};

// In the order of the load dialog's filters, after the melody files' own.
std::span<const ImportFormat> importFormats();

// The format a file is imported as: by its first bytes when they tell, else by its extension;
// none for a melody file.
const ImportFormat* importFormatOf(const std::string& path);

} // namespace vemo
