#include "platform/Threads.h"

#include <chrono>
#include <system_error>
#include <thread>

namespace vemo {

ThreadHandle SystemRuntime::startThread(std::function<void()> body) {
    auto running = std::make_shared<std::atomic<bool>>(true);
    try {
        std::thread([running, body = std::move(body)] {
            body();
            running->store(false, std::memory_order_release);
        }).detach();
    } catch (const std::system_error&) {
        return ThreadHandle();
    }
    return ThreadHandle(running);
}

void SystemRuntime::sleepMs(std::int32_t milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::int64_t SystemRuntime::nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace vemo
