#pragma once

#include "platform/Ui.h"

#include <memory>

namespace vemo {

// The Qt user interface; a QApplication must exist for as long as it does.
std::unique_ptr<Ui> makeQtUi();

// From now on SIGTERM, SIGINT and SIGHUP close any open modal window and arrive as an
// EndRequest event of the main window. ui must come from makeQtUi.
void endOnSignals(Ui& ui);

} // namespace vemo
