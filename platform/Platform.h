#pragma once

#include "platform/Beeper.h"
#include "platform/Threads.h"
#include "platform/Ui.h"

namespace vemo {

// The outside world as the program sees it, passed in wherever it is needed.
struct Platform {
    Ui& ui;
    Beeper& beeper;
    Runtime& runtime;
};

} // namespace vemo
