#include "app/RecoveryJournal.h"

#include "app/Titles.h"
#include "app/UndoCommands.h"
#include "store/Recovery.h"
#include "view/Redraw.h"

#include <chrono>
#include <cstdio>

namespace vemo {

namespace {

// A journal set aside by a "no" is offered again for this long, then removed.
constexpr std::int64_t AsideKeptMs = 7LL * 24 * 60 * 60 * 1000;

std::int64_t wallNowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

bool endsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

// The file the melody now equals, as it is on disk; a melody that is no file's names none.
JournalHeader headerFor(const std::string& fileName) {
    JournalHeader header;
    const auto stamp = fileStamp(fileName);
    if (!stamp) return header;
    const FileBytes bytes = readFileBytes(fileName, static_cast<std::size_t>(stamp->size));
    header.fileName = fileName;
    header.fileSize = stamp->size;
    header.fileModifiedNs = stamp->modifiedNs;
    header.fileHash = bytes ? contentHash(bytes.bytes) : 0;
    return header;
}

} // namespace

RecoveryJournal::RecoveryJournal(EditorContext& editor) : editor_(editor) {
    editor_.state.history.setChangeListener([this](const MelodyChange& change) {
        if (!change.isWhole && writer_) writer_->add(change, wallNowMs());
    });
}

RecoveryJournal::~RecoveryJournal() {
    editor_.state.history.setChangeListener(nullptr);
}

void RecoveryJournal::start(JournalFolder folder) {
    folder_ = std::move(folder);
    if (folder_.path.empty()) return;
    path_ = newJournalPath(folder_.path);
    lock_ = std::make_unique<JournalLock>(path_);
    if (!lock_->isHeld()) return;
    file_ = std::make_unique<JournalFile>(path_);
    writer_ = std::make_unique<JournalWriter>(*file_);
    restart();
}

void RecoveryJournal::restart() {
    fileGeneration_ = editor_.state.shell.fileGeneration;
    if (writer_)
        writer_->begin(headerFor(editor_.state.shell.fileName),
                       wholeMelody(editor_.state, editor_.platform.ui.windowTitle(WindowId::Main)),
                       wallNowMs());
}

void RecoveryJournal::afterPass() {
    if (editor_.state.shell.fileGeneration != fileGeneration_) restart();
    if (writer_) writer_->tick(wallNowMs());
    if (hasToldOff_) return;
    const FileOutcome why =
        folder_.path.empty() ? folder_.outcome
        : !lock_ || !lock_->isHeld()
            ? FileOutcome{std::make_error_code(std::errc::device_or_resource_busy),
                          "another editor holds '" + path_ + "'"}
        : file_ && !writer_->isWorking() ? file_->outcome()
                                         : FileOutcome{};
    if (!why) {
        hasToldOff_ = true;
        editor_.platform.ui.messageBox(
            "recover", "recovery is off: changes are not kept for a crash\r\n" + why.reason, false);
    }
}

void RecoveryJournal::end() {
    if (path_.empty() || !lock_ || !lock_->isHeld()) return;
    file_.reset();
    writer_.reset();
    std::remove(path_.c_str());
    lock_->release();
}

bool RecoveryJournal::askAbout(const FoundJournal& found) {
    EditorState recovered;
    const Recovery recovery = recoverJournal(found.path, recovered);
    const bool isAside = endsWith(found.path, ".aside");
    Ui& ui = editor_.platform.ui;
    if (!recovery.hasMelody || recovery.changes == 0) {
        if (recovery.header.version != JournalVersion) {
            // Kept where no start looks again, for the version that can read it.
            const std::string kept = found.path + ".other";
            std::rename(found.path.c_str(), kept.c_str());
            ui.messageBox("recover",
                          "a recovery journal is set aside as\r\n'" + kept + "'\r\n" +
                              recovery.reason,
                          false);
        } else {
            std::remove(found.path.c_str());
        }
        found.lock->release();
        return false;
    }
    if (isAside && wallNowMs() - recovery.lastChangeMs > AsideKeptMs) {
        std::remove(found.path.c_str());
        return false;
    }
    const bool isYes =
        ui.messageBox("recover",
                      "bring back the melody of an editor that ended without saving it?\r\n\r\n" +
                          recoveryText(recovery),
                      true);
    if (!isYes) {
        if (isAside) {
            std::remove(found.path.c_str());
        } else {
            const std::string aside =
                found.path.substr(0, found.path.size() - std::string(".journal").size()) + ".aside";
            std::rename(found.path.c_str(), aside.c_str());
        }
        found.lock->release();
        return false;
    }
    replayJournal(recovery.records, editor_.state);
    const std::string name =
        recovery.header.fileName.empty() ? "untitled" : recovery.header.fileName;
    ui.setWindowTitle(WindowId::Main, TitlePrefix + name + " (recovered)");
    ui.setSpinValue(ControlId::DurationSpin, editor_.state.melody.columnDuration);
    redraw(editor_, RedrawVer + RedrawHor + RedrawMain);
    nameStep(editor_.state.shell, StepKind::Recover, false);
    recordStep(editor_);
    std::remove(found.path.c_str());
    found.lock->release();
    return true;
}

void RecoveryJournal::offerRecovery() {
    if (folder_.path.empty()) return;
    std::vector<FoundJournal> found = journalsIn(folder_.path, ".journal");
    std::vector<FoundJournal> aside = journalsIn(folder_.path, ".aside");
    found.insert(found.end(), aside.begin(), aside.end());
    for (const FoundJournal& journal : found)
        if (journal.path != path_ && askAbout(journal)) return;
}

} // namespace vemo
