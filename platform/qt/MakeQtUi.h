#pragma once

#include "platform/Ui.h"

#include <memory>

namespace vemo {

// The Qt user interface; a QApplication must exist for as long as it does.
std::unique_ptr<Ui> makeQtUi();

} // namespace vemo
