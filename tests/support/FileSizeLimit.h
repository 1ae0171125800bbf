#pragma once

#include <sys/resource.h>

namespace vemo::test {

// Lowers the process's file size limit so that writes past a few bytes fail for real, and puts
// it back when it goes. Writes past it raise SIGXFSZ, so use it only in a child process or
// after ignoreFileSizeSignal(). Nothing may print to a redirected log while it is active, since
// that log is a file as well.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t maxBytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = maxBytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }

  private:
    rlimit saved_{};
    bool active_ = false;
};

} // namespace vemo::test
