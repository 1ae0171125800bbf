#include "store/Journal.h"

#include "model/Columns.h"
#include "model/EditorState.h"
#include "tests/convert/CorpusReplay.h"
#include "tests/store/JournalCheck.h"
#include "tests/support/MelodyFixture.h"

#include <gtest/gtest.h>

#include <random>

namespace vemo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// What a recovered melody must give back: every column's note and mark, the width and timing.
struct Shown {
    std::vector<std::int32_t> rows;
    ColumnMarks marks;
    std::int32_t columnDuration = 0;
    std::string fileName;
    friend bool operator==(const Shown&, const Shown&) = default;
};

Shown shownOf(const EditorState& state) {
    Shown shown{{}, state.melody.marks, state.melody.columnDuration, state.shell.fileName};
    for (std::int32_t c = 0; c <= state.melody.lastColumn; ++c) {
        const std::int32_t row = state.melody.grid.noteRow(c);
        const Cell& cell = state.melody.grid.at(c, std::max(row, 0));
        shown.rows.push_back(row < 0 ? -1 : row * 4 + cell.joinLeft * 2 + cell.joinRight);
    }
    return shown;
}

// A random editing session told to a journal: its bytes, its records, and what the screen showed
// after each record.
struct Session {
    Bytes bytes;
    std::vector<JournalRecord> records;
    std::vector<Shown> shown;
    std::vector<std::size_t> recordEnds; // where each record ends in bytes
};

Session randomSession(std::uint32_t seed, int steps) {
    std::mt19937 random(seed);
    EditorState state;
    test::resetMelody(state.melody, 40);
    state.shell.fileName = "tune.vemo";
    Session session;
    session.bytes = encodeJournalHeader({JournalVersion, "tune.vemo", 120, 5, 77});
    std::int64_t now = 1000;
    state.history.setChangeListener([&](const MelodyChange& change) {
        session.records.push_back({now, change});
        const Bytes record = encodeJournalRecord(session.records.back());
        session.bytes.insert(session.bytes.end(), record.begin(), record.end());
        session.recordEnds.push_back(session.bytes.size());
        session.shown.push_back(shownOf(state));
    });
    state.history.reset(state, "vemo");
    for (int step = 0; step < steps; ++step) {
        now += 700;
        switch (random() % 5) {
        case 0:
            state.history.undo(state);
            break;
        case 1:
            state.history.redo(state);
            break;
        case 2:
            insertColumn(state.melody, state.selection, int(random() % 20));
            state.history.commit(state, "vemo", "insert column", now);
            break;
        case 3:
            state.melody.columnDuration = 1 + int(random() % 999);
            state.history.commit(state, "vemo", "duration", now);
            break;
        default:
            test::setNote(state.melody, int(random() % 40), int(random() % 96));
            state.history.commit(state, "vemo", "edit", now);
        }
    }
    return session;
}

TEST(Journal, ReplayingEveryPrefixShowsWhatTheScreenShowedAfterItsLastRecord) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        const Session session = randomSession(seed, 60);
        const JournalRead read = readJournal(session.bytes);
        ASSERT_EQ(read.status, JournalStatus::Read);
        EXPECT_EQ(read.header, (JournalHeader{JournalVersion, "tune.vemo", 120, 5, 77}));
        ASSERT_EQ(read.records, session.records);
        EXPECT_EQ(read.droppedRecords, 0u);
        for (std::size_t count = 1; count <= read.records.size(); ++count) {
            EditorState state;
            test::resetMelody(state.melody, 32);
            const std::vector<JournalRecord> prefix(read.records.begin(),
                                                    read.records.begin() + long(count));
            const JournalReplay replay = replayJournal(prefix, state);
            ASSERT_EQ(replay.applied, count);
            ASSERT_EQ(shownOf(state), session.shown[count - 1]) << seed << " " << count;
        }
    }
}

// A crash may tear the last record anywhere, and disks damage bytes: what is read is always the
// records before the damage, and the damage is counted.
TEST(Journal, TornOrDamagedJournalsGiveTheLongestWholePrefix) {
    const Session session = randomSession(99, 25);
    const std::size_t headerEnd =
        encodeJournalHeader({JournalVersion, "tune.vemo", 120, 5, 77}).size();
    for (std::size_t size = 0; size <= session.bytes.size(); ++size) {
        const JournalRead read = readJournal(std::span(session.bytes).first(size));
        const auto whole = std::size_t(
            std::upper_bound(session.recordEnds.begin(), session.recordEnds.end(), size) -
            session.recordEnds.begin());
        if (read.status != JournalStatus::Read) {
            EXPECT_EQ(whole, 0u) << size;
            continue;
        }
        ASSERT_EQ(read.records.size(), whole) << size;
        const std::size_t lastEnd = whole == 0 ? headerEnd : session.recordEnds[whole - 1];
        EXPECT_EQ(read.droppedRecords, size == lastEnd ? 0u : 1u) << size;
    }
    std::mt19937 random(5);
    for (std::size_t at = 0; at < session.bytes.size(); ++at) {
        Bytes damaged = session.bytes;
        damaged[at] ^= std::uint8_t(1 + random() % 255);
        const JournalRead read = readJournal(damaged);
        if (read.status != JournalStatus::Read) continue;
        ASSERT_LE(read.records.size(), session.records.size());
        EXPECT_TRUE(std::equal(read.records.begin(), read.records.end(), session.records.begin()))
            << at;
        EXPECT_EQ(read.records.size() < session.records.size(), read.droppedRecords > 0) << at;
    }
}

TEST(Journal, AnotherVersionOrAnotherFileIsNeverRead) {
    Bytes bytes = encodeJournalHeader({JournalVersion + 1, "", -1, 0, 0});
    EXPECT_EQ(readJournal(bytes).status, JournalStatus::OtherVersion);
    bytes = encodeJournalHeader({});
    bytes[0] = 'V';
    EXPECT_EQ(readJournal(bytes).status, JournalStatus::NotAJournal);
    EXPECT_EQ(readJournal({}).status, JournalStatus::NotAJournal);
}

// The inputs the fuzzer kept for their coverage, replayed without clang.
TEST(Journal, FuzzCorpusReplaysCleanly) {
    const auto bytes = [](const std::string& text) {
        return std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    };
    test::replayCorpus(
        "tests/store/journal-corpus",
        [&](const std::string& text) { return test::journalProblem(bytes(text)); },
        [&](const std::string& text) { return !readJournal(bytes(text)).records.empty(); });
}

} // namespace
} // namespace vemo
