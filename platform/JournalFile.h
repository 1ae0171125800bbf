#pragma once

#include "platform/Files.h"

#include <cstdint>
#include <span>
#include <string>

namespace vemo {

// Where a journal's bytes go. Bytes a successful append took survive the process dying (they are
// in the kernel); only bytes a successful sync covered survive a power cut.
class JournalSink {
  public:
    virtual ~JournalSink() = default;
    virtual bool append(std::span<const std::uint8_t> bytes) = 0;
    virtual bool sync() = 0;
    // The whole journal replaced by bytes, synced, at once: a crash leaves the old or the new one.
    virtual bool replace(std::span<const std::uint8_t> bytes) = 0;
};

// A journal file only its user may read (mode 0600), created afresh.
class JournalFile final : public JournalSink {
  public:
    explicit JournalFile(std::string path);
    ~JournalFile() override;
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    bool append(std::span<const std::uint8_t> bytes) override;
    bool sync() override;
    bool replace(std::span<const std::uint8_t> bytes) override;
    // Why the last call failed.
    const FileOutcome& outcome() const { return outcome_; }
    const std::string& path() const { return path_; }

  private:
    bool fail(const char* what);

    std::string path_;
    int descriptor_ = -1;
    FileOutcome outcome_;
};

} // namespace vemo
