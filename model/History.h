#pragma once

#include "model/Cell.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vemo {

struct EditorState;
struct Selection;

// A column as the history keeps it: the row of its one note (-1: none) and the note's ties.
struct ColumnNote {
    std::int16_t row = -1;
    std::uint8_t joinLeft = 0;
    std::uint8_t joinRight = 0;

    friend bool operator==(const ColumnNote&, const ColumnNote&) = default;
};

// What a step brings back besides the columns.
struct MelodyFrame {
    std::int32_t lastColumn = 0;
    std::int32_t smallBlock = 0;
    std::int32_t largeBlock = 0;
    std::int32_t columnDuration = 0;
    std::int32_t selectionFirst = 0;
    std::int32_t selectionLast = 0;
    std::string fileName;
    std::string title;

    friend bool operator==(const MelodyFrame&, const MelodyFrame&) = default;
};

// One undo step: the columns from firstColumn on that differ, as they were and as they became.
// A change of width keeps every column; any other step only the changed range, so a history of
// single notes stays small however long the melody is.
struct HistoryStep {
    std::string name;
    std::int64_t timeMs = 0;
    MelodyFrame before;
    MelodyFrame after;
    std::int32_t firstColumn = 0;
    std::vector<ColumnNote> notesBefore;
    std::vector<ColumnNote> notesAfter;
    std::vector<std::int8_t> marksBefore;
    std::vector<std::int8_t> marksAfter;
};

// A change as it applies forward: the frame after it and the columns from firstColumn on. A whole
// melody (a new one, a load) holds every column and its row count; the journal keeps these.
struct MelodyChange {
    std::string name; // the step's name, "undo name" or "redo name"; empty for a whole melody
    bool isWhole = false;
    std::int32_t lastRow = 0;
    MelodyFrame frame;
    std::int32_t firstColumn = 0;
    std::vector<ColumnNote> notes;
    std::vector<std::int8_t> marks;

    friend bool operator==(const MelodyChange&, const MelodyChange&) = default;
};

// Told every change as it is made: a reset as a whole melody, then each step, undo and redo.
using ChangeListener = std::function<void(const MelodyChange&)>;

// The melody as it is, as one whole change.
MelodyChange wholeMelody(const EditorState& state, const std::string& title);

// Brings the melody, the selection and the file name to after the change.
void applyMelodyChange(EditorState& state, const MelodyChange& change);

// Undo and redo of every change to the melody. The history keeps a compact copy of the melody
// as it was after the last step; commit compares the editor's melody with it, so a change made
// by any operation becomes a step without the operation having to report it.
class History {
  public:
    static constexpr std::size_t StepLimit = 1000;
    // Changes of the column duration this close together are one step.
    static constexpr std::int64_t MergeWindowMs = 1000;

    // Starts over from the melody as it is: no step to undo or redo.
    void reset(const EditorState& state, const std::string& title);
    // Records what changed since the last step as one step named name; false when nothing did.
    // A new step drops the steps that were undone.
    bool commit(const EditorState& state, const std::string& title, const std::string& name,
                std::int64_t nowMs);

    // The selection in use when the next step begins: it comes back when that step is undone.
    void keepSelection(const Selection& selection);

    bool canUndo() const { return undone_ < steps_.size(); }
    bool canRedo() const { return undone_ > 0; }
    // The name of the step that undo or redo would take; empty when there is none.
    std::string undoName() const;
    std::string redoName() const;

    // Bring the editor's melody back to before / after the step; the caller redraws, and shows
    // the frame's duration, file name and title.
    const MelodyFrame& undo(EditorState& state);
    const MelodyFrame& redo(EditorState& state);

    void setChangeListener(ChangeListener listener) { listener_ = std::move(listener); }

    std::size_t stepCount() const { return steps_.size(); }
    // Bytes held by the steps and the copy, for the benchmark.
    std::size_t memoryBytes() const;

  private:
    void apply(EditorState& state, const HistoryStep& step, bool isForward);
    void tell(const HistoryStep& step) const;

    std::deque<HistoryStep> steps_; // oldest first
    std::size_t undone_ = 0;        // steps at the end that were undone
    MelodyFrame frame_;
    std::vector<ColumnNote> notes_;
    std::vector<std::int8_t> marks_;
    ChangeListener listener_;
};

} // namespace vemo
