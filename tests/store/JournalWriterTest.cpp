#include "store/JournalWriter.h"

#include "model/Columns.h"
#include "model/EditorState.h"
#include "tests/support/MelodyFixture.h"

#include <gtest/gtest.h>

#include <random>

namespace vemo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The kernel's copy of a file and what of it a sync has put on the disk.
class DiskModel final : public JournalSink {
  public:
    bool append(std::span<const std::uint8_t> bytes) override {
        if (isFull) return false;
        written.insert(written.end(), bytes.begin(), bytes.end());
        return true;
    }
    bool sync() override {
        synced = written.size();
        ++syncs;
        return true;
    }
    bool replace(std::span<const std::uint8_t> bytes) override {
        if (isFull) return false;
        written.assign(bytes.begin(), bytes.end());
        synced = written.size();
        return true;
    }
    Bytes afterPowerCut() const { return Bytes(written.begin(), written.begin() + long(synced)); }

    Bytes written;
    std::size_t synced = 0;
    int syncs = 0;
    bool isFull = false;
};

std::vector<std::int32_t> rowsOf(const Melody& melody) {
    std::vector<std::int32_t> rows;
    for (std::int32_t c = 0; c <= melody.lastColumn; ++c)
        rows.push_back(melody.grid.noteRow(c));
    return rows;
}

std::vector<std::int32_t> recovered(const Bytes& bytes) {
    EditorState state;
    test::resetMelody(state.melody, 32);
    replayJournal(readJournal(bytes).records, state);
    return rowsOf(state.melody);
}

// Changes at random moments, the timer firing at each deadline; the disk is then read as a
// killed editor leaves it and as a power cut does.
TEST(JournalWriter, AKillLosesNothingAndAPowerCutAtMostTheLastSecond) {
    for (const std::size_t compactBytes : {std::size_t{1500}, JournalWriter::CompactBytes}) {
        std::mt19937 random(compactBytes);
        DiskModel disk;
        JournalWriter writer(disk, compactBytes);
        EditorState state;
        test::resetMelody(state.melody, 48);
        std::int64_t now = 0;
        std::vector<std::pair<std::int64_t, std::vector<std::int32_t>>> shown;
        state.history.setChangeListener([&](const MelodyChange& change) {
            if (change.isWhole)
                writer.begin({}, change, now);
            else
                writer.add(change, now);
            shown.emplace_back(now, rowsOf(state.melody));
        });
        state.history.reset(state, "vemo");
        for (int step = 0; step < 150; ++step) {
            const std::int64_t next = now + std::int64_t(random() % 1500);
            while (writer.syncDeadline() && *writer.syncDeadline() <= next)
                writer.tick(*writer.syncDeadline());
            now = next;
            if (random() % 4 == 0) {
                state.history.undo(state);
            } else if (random() % 8 == 0) {
                insertColumn(state.melody, state.selection, int(random() % 40));
                state.history.commit(state, "vemo", "insert column", now);
            } else {
                test::setNote(state.melody, int(random() % 48), int(random() % 96));
                state.history.commit(state, "vemo", "edit", now);
            }
            ASSERT_EQ(recovered(disk.written), shown.back().second) << "a kill at " << now;
            // Everything older than a second is on the disk; what is there is a state once shown.
            const std::vector<std::int32_t> afterCut = recovered(disk.afterPowerCut());
            std::size_t oldest = shown.size() - 1;
            while (oldest > 0 && shown[oldest].first > now - JournalWriter::SyncDelayMs)
                --oldest;
            bool isShownSince = false;
            for (std::size_t k = oldest; k < shown.size(); ++k)
                isShownSince = isShownSince || shown[k].second == afterCut;
            ASSERT_TRUE(isShownSince) << "a power cut at " << now;
        }
        EXPECT_TRUE(writer.isWorking());
        EXPECT_LT(disk.syncs, 150) << "a sync a change would make every edit wait for the disk";
        if (compactBytes < JournalWriter::CompactBytes) {
            EXPECT_LT(disk.written.size(), 2 * compactBytes);
        }
    }
}

TEST(JournalWriter, AFullDiskStopsTheJournalAndTheEditorGoesOn) {
    DiskModel disk;
    JournalWriter writer(disk);
    EditorState state;
    test::resetMelody(state.melody, 32);
    state.history.setChangeListener([&](const MelodyChange& change) {
        change.isWhole ? writer.begin({}, change, 0) : writer.add(change, 0);
    });
    state.history.reset(state, "vemo");
    disk.isFull = true;
    test::setNote(state.melody, 3, 40);
    EXPECT_TRUE(state.history.commit(state, "vemo", "edit", 0));
    EXPECT_FALSE(writer.isWorking());
    disk.isFull = false;
    const std::size_t before = disk.written.size();
    test::setNote(state.melody, 4, 40);
    state.history.commit(state, "vemo", "edit", 0);
    EXPECT_EQ(disk.written.size(), before) << "a journal with a gap would recover a wrong melody";
}

} // namespace
} // namespace vemo
