#pragma once

#include "platform/Ui.h"

#include <string>

namespace vemo {

// F1: the help page from the working directory, else an offer to open that folder.
void openHelp(Ui& ui, const std::string& workingDirectory);

} // namespace vemo
