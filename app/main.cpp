#include "app/Startup.h"
#include "platform/Threads.h"
#include "platform/qt/MakeQtUi.h"
#include "platform/sdl/AudioBeeper.h"
#include "store/FileIo.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>

namespace {

// Without any display a Qt program aborts; say so in one line instead.
bool hasDisplay() {
#if defined(Q_OS_LINUX)
    const auto isSet = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    if (!hasDisplay()) {
        std::fprintf(stderr, "vemo: no display to open the editor on (DISPLAY is not set)\n");
        return vemo::ExitFailure;
    }
    // A save that meets the file size limit must fail with its box, not kill the editor.
    vemo::ignoreFileSizeSignal();
    QApplication application(argc, argv);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    std::string executableFolder =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QDir::separator())
            .toStdString();
    // A run from inside the development environment keeps the working directory it was given.
    const char* developmentRun = std::getenv("VEMO_DEVELOPMENT_RUN");
    const bool isDevelopmentRun = developmentRun != nullptr && *developmentRun != '\0';

    auto ui = vemo::makeQtUi();
    vemo::endOnSignals(*ui);
    auto beeper = vemo::makeAudioBeeper();
    vemo::SystemRuntime runtime;
    vemo::Platform platform{*ui, *beeper, runtime};
    vemo::ProgramContext context = vemo::systemProgramContext(
        std::move(arguments), std::move(executableFolder), isDevelopmentRun);
    return vemo::runProgram(platform, context);
}
