#pragma once

#include "platform/JournalFile.h"
#include "platform/JournalFolder.h"
#include "store/JournalWriter.h"
#include "view/EditorContext.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vemo {

// The editor's recovery journal: every change is in it before the next pass shows anything, so
// an editor that is killed, crashes or loses its power can be brought back by the next one.
// A save, a load and a new melody start it afresh; the confirmed exit removes it; an end by a
// signal leaves it for the next start.
class RecoveryJournal {
  public:
    explicit RecoveryJournal(EditorContext& editor);
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal&) = delete;
    RecoveryJournal& operator=(const RecoveryJournal&) = delete;

    // Asks, newest first, about each journal an editor left behind; a yes brings that melody
    // back as one undo step and ends the questions.
    void offerRecovery();
    // This editor's own journal in the folder, of the melody as it is now.
    void start(JournalFolder folder);
    // After each pass: a new journal where the melody now equals a file or a fresh start, the
    // sync when its time has come, and once, when journalling fails, that recovery is off.
    void afterPass();
    // The confirmed exit: nothing is left to recover.
    void end();

  private:
    void restart();
    bool askAbout(const FoundJournal& found);

    EditorContext& editor_;
    JournalFolder folder_;
    std::string path_;
    std::unique_ptr<JournalLock> lock_;
    std::unique_ptr<JournalFile> file_;
    std::unique_ptr<JournalWriter> writer_;
    std::int32_t fileGeneration_ = -1;
    bool hasToldOff_ = false;
};

} // namespace vemo
