#include "app/Startup.h"
#include "platform/Files.h"
#include "platform/Threads.h"
#include "platform/qt/MakeQtUi.h"
#include "platform/sdl/AudioBeeper.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

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

// What Qt says while it opens the display waits here: a display that cannot be opened ends in
// a fatal message and an abort after four lines; the editor says so in one and exits as it does
// without any display. Otherwise the held messages are passed on.
struct HeldMessage {
    QtMsgType type;
    QString text;
};
std::vector<HeldMessage> heldMessages;

void holdWhileOpeningDisplay(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, text});
        return;
    }
    const char* display = std::getenv("WAYLAND_DISPLAY");
    if (display == nullptr || *display == '\0') display = std::getenv("DISPLAY");
    std::fprintf(stderr, "vemo: can't open the display '%s' to show the editor on\n",
                 display != nullptr ? display : "");
    std::_Exit(vemo::ExitFailure);
}

void passHeldMessagesOn(QtMessageHandler handler) {
    for (const HeldMessage& message : heldMessages)
        handler(message.type, QMessageLogContext(), message.text);
    heldMessages.clear();
}

} // namespace

int main(int argc, char* argv[]) {
    if (!hasDisplay()) {
        std::fprintf(stderr, "vemo: no display to open the editor on (DISPLAY is not set)\n");
        return vemo::ExitFailure;
    }
    // A save that meets the file size limit must fail with its box, not kill the editor.
    vemo::ignoreFileSizeSignal();
    const QtMessageHandler qtHandler = qInstallMessageHandler(holdWhileOpeningDisplay);
    QApplication application(argc, argv);
    qInstallMessageHandler(qtHandler);
    passHeldMessagesOn(qtHandler);
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
    auto beeper = vemo::makeAudioBeeper("vemo");
    vemo::SystemRuntime runtime;
    vemo::Platform platform{*ui, *beeper, runtime};
    vemo::ProgramContext context = vemo::systemProgramContext(
        std::move(arguments), std::move(executableFolder), isDevelopmentRun);
    return vemo::runProgram(platform, context);
}
