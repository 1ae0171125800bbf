#pragma once

#include "platform/JournalFolder.h"
#include "view/EditorContext.h"

#include <functional>
#include <string>
#include <vector>

namespace vemo {

// The process around the program: its command line and folders.
struct ProgramContext {
    std::vector<std::string> arguments; // program parameters, without the program itself
    std::string executableFolder;       // the program's folder with Data/; ends in a separator
    bool isDevelopmentRun = false;      // keep the working directory as started
    std::function<std::string()> workingDirectory;
    std::function<bool(const std::string&)> setWorkingDirectory;
    // Where the recovery journals live; none: the editor keeps no journal.
    std::function<JournalFolder()> journalFolder;
};

// Reads the real working directory and changes it through std::filesystem.
ProgramContext systemProgramContext(std::vector<std::string> arguments,
                                    std::string executableFolder, bool isDevelopmentRun);

} // namespace vemo
