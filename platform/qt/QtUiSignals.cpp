#include "platform/qt/MakeQtUi.h"
#include "platform/qt/QtUi.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vemo {

namespace {

// The handler may only write: the byte wakes the UI thread's notifier.
int signalPipe[2] = {-1, -1};

void onEndSignal(int /*signal*/) {
    const char byte = 1;
    // A full pipe already holds a request; nothing else can be done here.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// A modal box or menu runs a loop of its own: close it so that the program sees the request.
void closeModalWindows() {
    for (int guard = 0; guard < 16; ++guard) {
        QWidget* modal = QApplication::activePopupWidget();
        if (!modal) modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}

} // namespace

void endOnSignals(Ui& ui) {
    static_cast<QtUi&>(ui).watchEndSignals();
}

void QtUi::watchEndSignals() {
    if (endSignals_) return;
    if (signalPipe[0] < 0 && ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    endSignals_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(endSignals_.get(), &QSocketNotifier::activated, [this] {
        char bytes[16];
        while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        if (!isEndRequested_) events_.push({EventKind::EndRequest, mainWindowId_});
        isEndRequested_ = true;
        closeModalWindows();
    });
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

} // namespace vemo
