#include "model/History.h"

#include "model/EditorState.h"
#include "model/Geometry.h"
#include "model/Marks.h"
#include "model/NewMelody.h"

#include <algorithm>

namespace vemo {

namespace {

MelodyFrame frameOf(const EditorState& state, const std::string& title) {
    const Melody& melody = state.melody;
    return {melody.lastColumn,
            melody.smallBlock,
            melody.largeBlock,
            melody.columnDuration,
            state.selection.selectionFirst,
            state.selection.selectionLast,
            state.shell.fileName,
            title};
}

// What makes a step: the selection, the file name and the title alone do not.
bool sameMelody(const MelodyFrame& a, const MelodyFrame& b) {
    return a.lastColumn == b.lastColumn && a.smallBlock == b.smallBlock &&
           a.largeBlock == b.largeBlock && a.columnDuration == b.columnDuration;
}

// A column holds one voice, and ties only on its note: the note's row and flags are all of it.
std::vector<ColumnNote> notesOf(const Melody& melody) {
    std::vector<ColumnNote> notes(static_cast<std::size_t>(melody.lastColumn) + 1);
    for (std::int32_t c = 0; c <= melody.lastColumn; ++c) {
        const std::int32_t row = melody.grid.noteRow(c);
        if (row < 0) continue;
        const Cell& cell = melody.grid.at(c, row);
        notes[c] = {static_cast<std::int16_t>(row), static_cast<std::uint8_t>(cell.joinLeft != 0),
                    static_cast<std::uint8_t>(cell.joinRight != 0)};
    }
    return notes;
}

// Marks lie in 0..127.
std::vector<std::int8_t> marksOf(const Melody& melody) {
    std::vector<std::int8_t> marks(melody.marks.size());
    std::transform(melody.marks.begin(), melody.marks.end(), marks.begin(),
                   [](std::int32_t mark) { return static_cast<std::int8_t>(mark); });
    return marks;
}

// A column of a fresh grid is empty already.
void writeColumn(Melody& melody, std::int32_t column, ColumnNote note, bool isFresh) {
    if (!isFresh) {
        for (std::int32_t r = 0; r <= melody.lastRow; ++r) {
            Cell& cell = melody.grid.at(column, r);
            cell.hasNote = 0;
            cell.joinLeft = 0;
            cell.joinRight = 0;
        }
    }
    if (note.row < 0) return;
    Cell& cell = melody.grid.at(column, note.row);
    cell.hasNote = 1;
    cell.joinLeft = note.joinLeft;
    cell.joinRight = note.joinRight;
}

template <typename Value> std::size_t bytesOf(const std::vector<Value>& values) {
    return values.capacity() * sizeof(Value);
}

} // namespace

MelodyChange wholeMelody(const EditorState& state, const std::string& title) {
    return {"",
            true,
            state.melody.lastRow,
            frameOf(state, title),
            0,
            notesOf(state.melody),
            marksOf(state.melody)};
}

void applyMelodyChange(EditorState& state, const MelodyChange& change) {
    const MelodyFrame& target = change.frame;
    Melody& melody = state.melody;
    const bool isFresh = change.isWhole || melody.lastColumn != target.lastColumn;
    if (isFresh) {
        // A change of width stores every column, so the grid starts empty.
        melody.previousLastColumn = melody.lastColumn;
        melody.lastColumn = target.lastColumn;
        if (change.isWhole) melody.lastRow = change.lastRow;
        melody.grid.reset(melody.lastColumn + 1, melody.lastRow + 1);
        melody.marks.assign(static_cast<std::size_t>(melody.lastColumn) + 1, 0);
        carryClipboard(state.clipboard, melody.previousLastColumn, melody.lastColumn,
                       melody.lastRow);
    }
    for (std::size_t i = 0; i < change.notes.size(); ++i) {
        const auto column = static_cast<std::int32_t>(change.firstColumn + i);
        writeColumn(melody, column, change.notes[i], isFresh);
        melody.marks[column] = change.marks[i];
    }
    melody.smallBlock = target.smallBlock;
    melody.largeBlock = target.largeBlock;
    melody.columnDuration = target.columnDuration;
    melody.markTotal = sumOfMarks(melody.marks);
    computeGeometry(melody);

    Selection& selection = state.selection;
    selection.selectionFirst = std::clamp(target.selectionFirst, 0, melody.lastColumn);
    selection.selectionLast =
        std::clamp(target.selectionLast, selection.selectionFirst, melody.lastColumn);
    updateSelectionEdges(melody, selection);
    state.stroke.strokeFirst = -1;
    state.shell.fileName = target.fileName;
}

void History::reset(const EditorState& state, const std::string& title) {
    steps_.clear();
    undone_ = 0;
    frame_ = frameOf(state, title);
    notes_ = notesOf(state.melody);
    marks_ = marksOf(state.melody);
    if (listener_) listener_({"", true, state.melody.lastRow, frame_, 0, notes_, marks_});
}

bool History::commit(const EditorState& state, const std::string& title, const std::string& name,
                     std::int64_t nowMs) {
    MelodyFrame frame = frameOf(state, title);
    std::vector<ColumnNote> notes = notesOf(state.melody);
    std::vector<std::int8_t> marks = marksOf(state.melody);
    if (sameMelody(frame, frame_) && notes == notes_ && marks == marks_) {
        // The selection and the title of the next step's start.
        frame_ = std::move(frame);
        return false;
    }

    const bool isDurationOnly = frame.columnDuration != frame_.columnDuration &&
                                frame.lastColumn == frame_.lastColumn && notes == notes_ &&
                                marks == marks_;
    if (isDurationOnly && undone_ == 0 && !steps_.empty() && steps_.back().name == name &&
        nowMs - steps_.back().timeMs < MergeWindowMs && steps_.back().notesAfter.empty() &&
        steps_.back().marksAfter.empty() && steps_.back().before.lastColumn == frame.lastColumn) {
        steps_.back().after = frame;
        steps_.back().timeMs = nowMs;
        frame_ = std::move(frame);
        tell(steps_.back());
        return true;
    }

    HistoryStep step;
    step.name = name;
    step.timeMs = nowMs;
    step.before = frame_;
    step.after = frame;
    if (frame.lastColumn != frame_.lastColumn) {
        step.notesBefore = notes_;
        step.notesAfter = notes;
        step.marksBefore = marks_;
        step.marksAfter = marks;
    } else {
        const auto differs = [&](std::size_t c) {
            return notes[c] != notes_[c] || marks[c] != marks_[c];
        };
        std::size_t first = 0;
        while (first < notes.size() && !differs(first))
            ++first;
        std::size_t end = notes.size();
        while (end > first && !differs(end - 1))
            --end;
        step.firstColumn = static_cast<std::int32_t>(first);
        step.notesBefore.assign(notes_.begin() + first, notes_.begin() + end);
        step.notesAfter.assign(notes.begin() + first, notes.begin() + end);
        step.marksBefore.assign(marks_.begin() + first, marks_.begin() + end);
        step.marksAfter.assign(marks.begin() + first, marks.begin() + end);
    }

    steps_.resize(steps_.size() - undone_);
    undone_ = 0;
    steps_.push_back(std::move(step));
    if (steps_.size() > StepLimit) steps_.pop_front();
    frame_ = std::move(frame);
    notes_ = std::move(notes);
    marks_ = std::move(marks);
    tell(steps_.back());
    return true;
}

void History::tell(const HistoryStep& step) const {
    if (listener_)
        listener_(
            {step.name, false, 0, step.after, step.firstColumn, step.notesAfter, step.marksAfter});
}

void History::keepSelection(const Selection& selection) {
    frame_.selectionFirst = selection.selectionFirst;
    frame_.selectionLast = selection.selectionLast;
}

std::string History::undoName() const {
    return canUndo() ? steps_[steps_.size() - 1 - undone_].name : std::string();
}

std::string History::redoName() const {
    return canRedo() ? steps_[steps_.size() - undone_].name : std::string();
}

const MelodyFrame& History::undo(EditorState& state) {
    if (canUndo()) {
        apply(state, steps_[steps_.size() - 1 - undone_], false);
        ++undone_;
    }
    return frame_;
}

const MelodyFrame& History::redo(EditorState& state) {
    if (canRedo()) {
        apply(state, steps_[steps_.size() - undone_], true);
        --undone_;
    }
    return frame_;
}

void History::apply(EditorState& state, const HistoryStep& step, bool isForward) {
    MelodyChange change{(isForward ? "redo " : "undo ") + step.name,
                        false,
                        state.melody.lastRow,
                        isForward ? step.after : step.before,
                        step.firstColumn,
                        isForward ? step.notesAfter : step.notesBefore,
                        isForward ? step.marksAfter : step.marksBefore};
    if (state.melody.lastColumn != change.frame.lastColumn) {
        notes_.assign(static_cast<std::size_t>(change.frame.lastColumn) + 1, ColumnNote{});
        marks_.assign(notes_.size(), 0);
    }
    applyMelodyChange(state, change);
    std::copy(change.notes.begin(), change.notes.end(), notes_.begin() + step.firstColumn);
    std::copy(change.marks.begin(), change.marks.end(), marks_.begin() + step.firstColumn);
    frame_ = change.frame;
    if (listener_) listener_(change);
}

std::size_t History::memoryBytes() const {
    std::size_t bytes = sizeof(*this) + bytesOf(notes_) + bytesOf(marks_);
    for (const HistoryStep& step : steps_) {
        bytes += sizeof(step) + bytesOf(step.notesBefore) + bytesOf(step.notesAfter) +
                 bytesOf(step.marksBefore) + bytesOf(step.marksAfter) +
                 step.before.fileName.capacity() + step.before.title.capacity() +
                 step.after.fileName.capacity() + step.after.title.capacity() +
                 step.name.capacity();
    }
    return bytes;
}

} // namespace vemo
