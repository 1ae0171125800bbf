#include "app/Editor.h"

#include <filesystem>
#include <system_error>

namespace vemo {

ProgramContext systemProgramContext(std::vector<std::string> arguments,
                                    std::string executableFolder, bool isDevelopmentRun) {
    ProgramContext context;
    context.arguments = std::move(arguments);
    context.executableFolder = std::move(executableFolder);
    context.isDevelopmentRun = isDevelopmentRun;
    context.workingDirectory = [] {
        std::error_code error;
        return std::filesystem::current_path(error).string();
    };
    context.setWorkingDirectory = [](const std::string& folder) {
        std::error_code error;
        std::filesystem::current_path(folder, error);
        return !error;
    };
    return context;
}

} // namespace vemo
