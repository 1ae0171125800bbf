#pragma once

#include <csignal>

#include <sys/resource.h>

namespace vemo::test {

// Lowers the process's file size limit so that writes past a few bytes fail for real (EFBIG)
// instead of killing the process, and puts limit and signal back when it goes. Nothing may
// print to a redirected log while it is active, since that log is a file as well.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t maxBytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGXFSZ, &ignore, &savedAction_);
        rlimit limited = saved_;
        limited.rlim_cur = maxBytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() { restore(); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }

    void restore() {
        if (restored_) return;
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::sigaction(SIGXFSZ, &savedAction_, nullptr);
        restored_ = true;
    }

  private:
    rlimit saved_{};
    struct sigaction savedAction_ {};
    bool active_ = false;
    bool restored_ = false;
};

} // namespace vemo::test
