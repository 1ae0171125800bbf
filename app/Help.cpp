#include "app/Help.h"

#include "store/FileNames.h"

namespace vemo {

void openHelp(Ui& ui, const std::string& workingDirectory) {
    const std::string folder = withTrailingSeparator(workingDirectory);
    if (ui.openWithShell(folder + "vemo - help.html")) return;
    if (!ui.messageBox("error",
                       "can't open html-help \r\n" + folder +
                           "vemo - help.html\r\n\r\ndo you want watch the folder?",
                       true))
        return;
    if (ui.openWithShell(folder)) return;
    ui.messageBox("error", "can't open folder\r\n\r\n" + folder, false);
}

} // namespace vemo
