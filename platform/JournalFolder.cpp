#include "platform/JournalFolder.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vemo {

namespace {

std::string stateHome() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && state[0] == '/')
        return state;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/state";
}

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof(name) - 1) != 0) return "unknown";
    return name;
}

} // namespace

JournalFolder openJournalFolder() {
    JournalFolder folder{stateHome() + "/vemo", {}};
    std::error_code error;
    std::filesystem::create_directories(stateHome(), error);
    if (::mkdir(folder.path.c_str(), 0700) != 0 && errno != EEXIST) {
        const int number = errno;
        folder.outcome = {std::error_code(number, std::generic_category()),
                          "can't create '" + folder.path +
                              "': " + std::generic_category().message(number)};
        folder.path.clear();
        return folder;
    }
    if (::access(folder.path.c_str(), W_OK | X_OK) != 0) {
        const int number = errno;
        folder.outcome = {std::error_code(number, std::generic_category()),
                          "can't write in '" + folder.path +
                              "': " + std::generic_category().message(number)};
        folder.path.clear();
    }
    return folder;
}

JournalLock::JournalLock(const std::string& journalPath) : path_(journalPath + ".lock") {
    const int descriptor = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) return;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return;
    }
    descriptor_ = descriptor;
    const std::string owner = std::to_string(::getpid()) + " " + hostName() + "\n";
    if (::ftruncate(descriptor_, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::write(descriptor_, owner.data(), owner.size());
    }
}

JournalLock::~JournalLock() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

void JournalLock::release() {
    if (descriptor_ < 0) return;
    ::unlink(path_.c_str());
    ::close(descriptor_);
    descriptor_ = -1;
}

std::vector<FoundJournal> journalsIn(const std::string& folder, const std::string& ending) {
    std::vector<FoundJournal> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string path = entry.path().string();
        if (path.size() <= ending.size() ||
            path.compare(path.size() - ending.size(), ending.size(), ending) != 0)
            continue;
        // A lock someone holds is a running editor's.
        auto lock = std::make_shared<JournalLock>(path);
        if (!lock->isHeld()) continue;
        if (const auto stamp = fileStamp(path))
            found.push_back({path, stamp->modifiedNs, std::move(lock)});
    }
    std::sort(found.begin(), found.end(), [](const FoundJournal& a, const FoundJournal& b) {
        return a.modifiedNs > b.modifiedNs;
    });
    return found;
}

std::string newJournalPath(const std::string& folder) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return folder + "/" + hostName() + "-" + std::to_string(::getpid()) + "-" +
           std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()) +
           ".journal";
}

std::optional<FileStamp> fileStamp(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return FileStamp{static_cast<std::int64_t>(status.st_size),
                     static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 +
                         status.st_mtim.tv_nsec};
}

} // namespace vemo
