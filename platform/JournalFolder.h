#pragma once

#include "platform/Files.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vemo {

// $XDG_STATE_HOME/vemo, or ~/.local/state/vemo: created only its user may enter (0700).
// Empty, with the reason in outcome, when it cannot be made.
struct JournalFolder {
    std::string path;
    FileOutcome outcome;
};
JournalFolder openJournalFolder();

// A lock beside a journal ("<journal>.lock"), held while the editor that writes the journal
// runs. The kernel lets go of it when the process ends in any way, so a lock nobody holds is
// stale however its editor ended. It records the process id and host for people reading it.
class JournalLock {
  public:
    // Takes the lock, or is not held when another process holds it.
    explicit JournalLock(const std::string& journalPath);
    ~JournalLock();
    JournalLock(const JournalLock&) = delete;
    JournalLock& operator=(const JournalLock&) = delete;

    bool isHeld() const { return descriptor_ >= 0; }
    // Lets go and removes the lock file.
    void release();

  private:
    std::string path_;
    int descriptor_ = -1;
};

struct FoundJournal {
    std::string path;
    std::int64_t modifiedNs = 0;       // the last change written
    std::shared_ptr<JournalLock> lock; // held, so that no other editor takes the journal too
};

// The journals in the folder whose editors no longer run, newest first, each locked. `ending` is
// the name's ending: ".journal" for the running ones' kind, ".aside" for those set aside.
std::vector<FoundJournal> journalsIn(const std::string& folder, const std::string& ending);

// A journal's name for this process: unique among the editors of every host that shares it.
std::string newJournalPath(const std::string& folder);

// The modification time and size of a file, for telling whether it changed; none when missing.
struct FileStamp {
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
};
std::optional<FileStamp> fileStamp(const std::string& path);

} // namespace vemo
