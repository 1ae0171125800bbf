#pragma once

// What every byte string must satisfy as a journal, shared by the fuzzer and the corpus replay:
// read or refused without a crash; what is read encodes to bytes that read back the same; its
// replay leaves a melody whose grid, marks and selection fit its dimensions.

#include "model/EditorState.h"
#include "store/Journal.h"

#include <span>
#include <string>

namespace vemo::test {

inline std::string journalProblem(std::span<const std::uint8_t> bytes) {
    const JournalRead read = readJournal(bytes);
    if (read.status != JournalStatus::Read) return read.records.empty() ? "" : "records unread";
    std::vector<std::uint8_t> again = encodeJournalHeader(read.header);
    for (const JournalRecord& record : read.records) {
        const std::vector<std::uint8_t> encoded = encodeJournalRecord(record);
        again.insert(again.end(), encoded.begin(), encoded.end());
    }
    const JournalRead reread = readJournal(again);
    if (reread.records != read.records || !(reread.header == read.header))
        return "written again it reads otherwise";
    EditorState state;
    if (replayJournal(read.records, state).applied == 0) return {};
    const Melody& melody = state.melody;
    if (melody.grid.columnCount() != melody.lastColumn + 1 ||
        melody.grid.rowCount() != melody.lastRow + 1 ||
        melody.marks.size() != std::size_t(melody.lastColumn) + 1)
        return "a grid that does not fit its dimensions";
    if (state.selection.selectionFirst < 0 || state.selection.selectionLast > melody.lastColumn)
        return "a selection outside the melody";
    return {};
}

} // namespace vemo::test
