#include "app/ProgramContext.h"

#include <filesystem>
#include <system_error>

namespace vemo {

namespace {

// A build folder keeps Data/ and the help page beside the executable, and that wins; an
// installed program keeps them in share/vemo beside bin/.
std::string programFolderFor(const std::string& executableFolder) {
    std::error_code error;
    if (std::filesystem::is_directory(std::filesystem::path(executableFolder) / "Data", error))
        return executableFolder;
    const std::filesystem::path installed =
        std::filesystem::path(executableFolder) / ".." / "share" / "vemo";
    if (!std::filesystem::is_directory(installed / "Data", error)) return executableFolder;
    const std::filesystem::path folder = std::filesystem::weakly_canonical(installed, error);
    return error ? executableFolder : (folder / "").string();
}

} // namespace

ProgramContext systemProgramContext(std::vector<std::string> arguments,
                                    std::string executableFolder, bool isDevelopmentRun) {
    ProgramContext context;
    context.arguments = std::move(arguments);
    context.executableFolder = programFolderFor(executableFolder);
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
    context.journalFolder = openJournalFolder;
    return context;
}

} // namespace vemo
