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

// A random editing session told to a journal: its bytes, its records, and where each ends.
struct Session {
    Bytes bytes;
    std::vector<JournalRecord> records;
    std::vector<std::size_t> recordEnds;
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

// A crash may tear the last record anywhere, and disks damage bytes: what is read is always the
// records before the damage, and the damage is counted.
TEST(Journal, TornOrDamagedJournalsGiveTheLongestWholePrefix) {
    const Session session = randomSession(99, 25);
    ASSERT_EQ(readJournal(session.bytes).records, session.records);
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
