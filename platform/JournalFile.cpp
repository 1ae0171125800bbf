#include "platform/JournalFile.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace vemo {

namespace {

bool writeAll(int descriptor, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

int openFresh(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
}

} // namespace

JournalFile::JournalFile(std::string path) : path_(std::move(path)) {
    descriptor_ = openFresh(path_);
    if (descriptor_ < 0) fail("can't create");
}

JournalFile::~JournalFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

bool JournalFile::fail(const char* what) {
    const int number = errno == 0 ? EIO : errno;
    outcome_ = {std::error_code(number, std::generic_category()),
                std::string(what) + " '" + path_ + "': " + std::generic_category().message(number)};
    return false;
}

bool JournalFile::append(std::span<const std::uint8_t> bytes) {
    if (descriptor_ < 0) return false;
    return writeAll(descriptor_, bytes) || fail("can't write");
}

bool JournalFile::sync() {
    if (descriptor_ < 0) return false;
    return ::fdatasync(descriptor_) == 0 || fail("can't sync");
}

bool JournalFile::replace(std::span<const std::uint8_t> bytes) {
    const std::string temporary = path_ + ".new";
    const int fresh = openFresh(temporary);
    if (fresh < 0) return fail("can't create");
    if (!writeAll(fresh, bytes) || ::fdatasync(fresh) != 0) {
        fail("can't write");
        ::close(fresh);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), path_.c_str()) != 0) {
        fail("can't rename");
        ::close(fresh);
        ::unlink(temporary.c_str());
        return false;
    }
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = fresh;
    return true;
}

} // namespace vemo
