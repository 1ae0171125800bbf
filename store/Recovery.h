#pragma once

#include "model/EditorState.h"
#include "store/Journal.h"

#include <cstdint>
#include <string>

namespace vemo {

// What a journal gives back, and what to tell the user about it.
struct Recovery {
    bool hasMelody = false; // a melody was rebuilt in the state
    std::string reason;     // why not, when there is none
    JournalHeader header;
    std::size_t changes = 0; // the changes replayed after the melody the journal began with
    std::size_t dropped = 0; // damaged or torn records, and records that did not fit
    std::int64_t lastChangeMs = 0;
    bool hasFileChanged = false; // the melody's file differs from when the journal began
    // The records that rebuilt it: replayJournal brings the same melody into another state.
    std::vector<JournalRecord> records;
};

// Reads the journal at path and rebuilds its melody in state; a journal of another version, or a
// file that is no journal, leaves state alone and says so.
Recovery recoverJournal(const std::string& path, EditorState& state);

// "'tune.vemo' (a new melody), 12 changes, the last at 14:03:27 on 2026-12-08", with what was
// dropped and whether the file changed since, in lines for a box or a terminal.
std::string recoveryText(const Recovery& recovery);

} // namespace vemo
