#include "platform/Files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vemo {

namespace fs = std::filesystem;

namespace {

// As many links as the system itself follows before it gives up (ELOOP).
constexpr int MaxLinkHops = 40;
constexpr int MaxTemporaryNameTries = 100;
constexpr std::uint32_t TemporaryNameRange = 1000000u;
constexpr std::size_t ReadChunkBytes = 64 * 1024;
constexpr mode_t NewFileMode = 0666; // narrowed by the user's umask
constexpr mode_t PermissionBits = 07777;

std::string systemText(int errorNumber) {
    std::string text = std::strerror(errorNumber);
    if (!text.empty())
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

std::string readProblemText(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return "there is no file of that name; check the name and the folder";
    case EACCES:
    case EPERM:
        return "you may not read this file; ask its owner or change its permissions";
    case EISDIR:
        return "this is a folder, not a melody file; choose a file inside it";
    case ELOOP:
        return "the name is a link that leads round in a circle; fix or remove the link";
    default:
        return "the system says: " + systemText(errorNumber);
    }
}

std::string writeProblemText(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return "the folder does not exist; choose an existing folder";
    case EACCES:
    case EPERM:
        return "you may not create files in this folder; choose another folder";
    case EROFS:
        return "the disk is read-only; choose another place";
    case ENOSPC:
    case EDQUOT:
        return "the disk is full; free some space and try again";
    case EFBIG:
        return "the file would pass the file size limit of this session; raise the limit "
               "(ulimit -f) and try again";
    case ENAMETOOLONG:
        return "the name is too long; choose a shorter one";
    case ELOOP:
        return "the name is a link that leads round in a circle; fix or remove the link";
    default:
        return "the system says: " + systemText(errorNumber) +
               "; try again or choose another place";
    }
}

FileOutcome failure(int errorNumber, std::string reason) {
    return FileOutcome{std::error_code(errorNumber, std::generic_category()), std::move(reason)};
}

// Where a write to `path` really lands: the end of its chain of links, which need not exist yet.
std::optional<fs::path> finalTarget(fs::path path) {
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(path, error)) return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error) return std::nullopt;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return std::nullopt;
}

std::string temporaryNameFor(const fs::path& target) {
    static thread_local std::mt19937 random{std::random_device{}()};
    return target.string() + ".tmp" + std::to_string(random() % TemporaryNameRange);
}

// The rename is only lasting once the folder's entry is on disk as well.
void syncFolderOf(const fs::path& file) {
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

} // namespace

FileBytes readFileBytes(const std::string& path, std::size_t maxBytes) {
    FileBytes result;
    if (path.empty()) {
        result.outcome = failure(ENOENT, readProblemText(ENOENT));
        return result;
    }
    // Non-blocking, so that opening a named pipe does not wait for a writer; it is refused below.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        const int errorNumber = errno;
        result.outcome = failure(errorNumber, readProblemText(errorNumber));
        return result;
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int errorNumber = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(descriptor);
        result.outcome =
            failure(errorNumber, errorNumber == EISDIR
                                     ? readProblemText(EISDIR)
                                     : "this is not a regular file; choose a melody file");
        return result;
    }
    // Grown as the file goes, so a small file never costs the largest one's buffer.
    std::size_t filled = 0;
    while (filled < maxBytes) {
        result.bytes.resize(filled + std::min(ReadChunkBytes, maxBytes - filled));
        const ssize_t got =
            ::read(descriptor, result.bytes.data() + filled, result.bytes.size() - filled);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            const int errorNumber = errno;
            ::close(descriptor);
            result.bytes.clear();
            result.outcome = failure(errorNumber, readProblemText(errorNumber));
            return result;
        }
        filled += static_cast<std::size_t>(got);
    }
    ::close(descriptor);
    result.bytes.resize(filled);
    return result;
}

bool isExistingFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

void ignoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

namespace {

// What a write to a path would meet: the end of its links, the file there if any, and why the
// user may not write it, if so.
struct WriteTarget {
    fs::path path;
    bool exists = false;
    struct stat old {};
    FileOutcome outcome;
};

WriteTarget inspectWriteTarget(const std::string& path) {
    WriteTarget found;
    const std::optional<fs::path> target = finalTarget(path);
    if (!target) {
        found.outcome = failure(ELOOP, writeProblemText(ELOOP));
        return found;
    }
    found.path = *target;
    if (::stat(found.path.c_str(), &found.old) == 0) {
        found.exists = true;
        if (S_ISDIR(found.old.st_mode)) {
            found.outcome = failure(EISDIR, "there is a folder of that name; choose another name");
            return found;
        }
        if (!S_ISREG(found.old.st_mode)) {
            found.outcome = failure(EINVAL, "this is not a regular file; choose another name");
            return found;
        }
        // Renaming only needs the folder; the file's own permission is what the user set.
        if (::faccessat(AT_FDCWD, found.path.c_str(), W_OK, AT_EACCESS) != 0) {
            found.outcome = failure(errno, "the file is read-only for you; save under another "
                                           "name or make it writable");
            return found;
        }
    } else if (const int errorNumber = errno; errorNumber != ENOENT) {
        found.outcome = failure(errorNumber, writeProblemText(errorNumber));
        return found;
    }
    // The temporary is made beside the target.
    const fs::path folder = found.path.has_parent_path() ? found.path.parent_path() : fs::path(".");
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        const int errorNumber = errno;
        found.outcome = failure(errorNumber, writeProblemText(errorNumber));
    }
    return found;
}

} // namespace

FileOutcome checkWritable(const std::string& path) {
    return inspectWriteTarget(path).outcome;
}

ReplacingFile::ReplacingFile(const std::string& path) {
    WriteTarget found = inspectWriteTarget(path);
    if (!found.outcome) {
        outcome_ = std::move(found.outcome);
        return;
    }
    target_ = std::move(found.path);
    if (found.exists) {
        replacesFile_ = true;
        oldMode_ = found.old.st_mode & PermissionBits;
        oldOwner_ = found.old.st_uid;
        oldGroup_ = found.old.st_gid;
    }
    for (int attempt = 0; attempt < MaxTemporaryNameTries; ++attempt) {
        temporary_ = temporaryNameFor(target_);
        descriptor_ =
            ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NewFileMode);
        if (descriptor_ >= 0 || errno != EEXIST) break;
    }
    if (descriptor_ < 0) {
        const int errorNumber = errno;
        temporary_.clear();
        failWriting(errorNumber);
    }
}

ReplacingFile::~ReplacingFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
    if (!committed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

void ReplacingFile::fail(int errorNumber, std::string reason) {
    if (outcome_.error) return; // the first problem is the one worth telling
    outcome_ = failure(errorNumber, std::move(reason));
}

void ReplacingFile::failWriting(int errorNumber) {
    fail(errorNumber, writeProblemText(errorNumber));
}

bool ReplacingFile::write(std::span<const std::uint8_t> bytes) {
    if (outcome_.error) return false;
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            failWriting(errno);
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

FileOutcome ReplacingFile::commit() {
    if (outcome_.error) return outcome_;
    if (replacesFile_) {
        // Owner and group first: changing them may clear set-id bits that the mode then restores.
        // Either may be refused to an ordinary user; the new file then stays the user's own.
        if (::fchown(descriptor_, oldOwner_, oldGroup_) != 0)
            static_cast<void>(::fchown(descriptor_, static_cast<uid_t>(-1), oldGroup_));
        static_cast<void>(::fchmod(descriptor_, oldMode_));
    }
    if (::fsync(descriptor_) != 0) failWriting(errno);
    // Some file systems report a failed write only when the file is closed.
    if (::close(descriptor_) != 0) failWriting(errno);
    descriptor_ = -1;
    if (outcome_.error) return outcome_;
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        failWriting(errno);
        return outcome_;
    }
    committed_ = true;
    syncFolderOf(target_);
    return outcome_;
}

FileOutcome writeFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes) {
    ReplacingFile file(path);
    file.write(bytes);
    return file.commit();
}

} // namespace vemo
