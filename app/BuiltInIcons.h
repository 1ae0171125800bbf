#pragma once

#include "platform/Image.h"

#include <string_view>

namespace vemo {

// A 16 x 16 picture for a toolbar icon the Data folder may lack ("undo.ico", "redo.ico",
// "export.ico", "follow.ico"); an empty image for any other name.
Image builtInIcon(std::string_view fileName);

} // namespace vemo
