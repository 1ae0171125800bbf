#pragma once

#include <string>

namespace vemo {

// The main window's titles: the melody's file name follows the prefix.
inline const std::string TitlePrefix = "       vemo - ";
inline const std::string MainTitle = TitlePrefix + "F1:help";
// While the melody has no file.
inline const std::string UntitledTitle = MainTitle + " - untitled";

} // namespace vemo
