#pragma once

#include <atomic>
#include <functional>
#include <memory>

namespace vemo {

// A detached worker thread that can be asked whether it still runs; a default handle is not running.
class ThreadHandle {
public:
    ThreadHandle() = default;
    explicit ThreadHandle(std::shared_ptr<const std::atomic<bool>> running)
        : running_(std::move(running)) {}

    bool isRunning() const { return running_ && running_->load(std::memory_order_acquire); }
    // False when the thread could not be started.
    bool started() const { return running_ != nullptr; }

private:
    std::shared_ptr<const std::atomic<bool>> running_;
};

// Threads and time: the program never joins a thread, and sleeps through the platform so that
// tests can run on a virtual clock.
class Runtime {
public:
    virtual ~Runtime() = default;
    // Starts body on a new detached thread; a failed start gives a handle that is not running.
    virtual ThreadHandle startThread(std::function<void()> body) = 0;
    virtual void sleepMs(std::int32_t milliseconds) = 0;
    virtual std::int64_t nowMs() = 0;
};

// The real one: std::thread and the steady clock.
class SystemRuntime final : public Runtime {
public:
    ThreadHandle startThread(std::function<void()> body) override;
    void sleepMs(std::int32_t milliseconds) override;
    std::int64_t nowMs() override;
};

} // namespace vemo
