#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace vemo {

// How a file operation ended. On failure `reason` says why in plain words, and what to do next
// where there is something to do.
struct FileOutcome {
    std::error_code error;
    std::string reason;
    explicit operator bool() const { return !error; }
};

struct FileBytes {
    std::vector<std::uint8_t> bytes;
    FileOutcome outcome;
    explicit operator bool() const { return static_cast<bool>(outcome); }
};

// Reads at most maxBytes from the start of a regular file.
FileBytes readFileBytes(const std::string& path, std::size_t maxBytes);

// A regular file, or a link that leads to one: what a save would replace.
bool isExistingFile(const std::string& path);

// A write past the process's file size limit then fails with an error the program can report
// instead of killing it in the middle of a save. Call once at start.
void ignoreFileSizeSignal();

// Why the user could not write a file at path, found before anything is written: a circle of
// links, a folder or another non-file of that name, a file or a folder the user may not write.
// A success when nothing stands in the way.
FileOutcome checkWritable(const std::string& path);

// A file written to a temporary beside its target and renamed over the target only when every
// byte is written and flushed: a failed write never destroys the file that was there. A link is
// written through: the temporary goes beside the link's final target, which keeps the link. A
// replaced file keeps its mode and, where the user may set them, its owner and group. An
// existing target the user may not write, or one that is not a regular file, is refused.
class ReplacingFile {
  public:
    explicit ReplacingFile(const std::string& path);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // False once any write has failed; later writes do nothing.
    bool write(std::span<const std::uint8_t> bytes);
    // Puts the file in place; without a commit the temporary is removed.
    FileOutcome commit();
    const FileOutcome& outcome() const { return outcome_; }

  private:
    void fail(int errorNumber, std::string reason);
    void failWriting(int errorNumber);

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int descriptor_ = -1;
    bool replacesFile_ = false;
    unsigned oldMode_ = 0;
    unsigned oldOwner_ = 0;
    unsigned oldGroup_ = 0;
    bool committed_ = false;
    FileOutcome outcome_;
};

FileOutcome writeFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace vemo
