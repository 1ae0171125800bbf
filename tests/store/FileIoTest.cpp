#include "store/FileIo.h"

#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace vemo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes countingBytes(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 7 + 3) & 0xFF);
    return bytes;
}

bool anyTemporaryLeft(const test::TempFolder& folder) {
    const auto names = folder.entries();
    return std::any_of(names.begin(), names.end(), [](const std::string& name) {
        return name.find(".tmp") != std::string::npos;
    });
}

TEST(ReadFileBytes, ReadsWholeSmallFilesAndStopsAtTheLimit) {
    test::TempFolder folder;
    const std::string path = folder.file("melody.vemo");
    const Bytes content = countingBytes(300);
    test::writeBytes(path, content);

    EXPECT_EQ(readFileBytes(path, 1000), content);
    EXPECT_EQ(readFileBytes(path, 300), content);
    const auto cut = readFileBytes(path, 17);
    ASSERT_TRUE(cut);
    EXPECT_EQ(*cut, Bytes(content.begin(), content.begin() + 17));

    // Zero bytes are a file that opened, not a failure.
    const std::string empty = folder.file("empty.vemo");
    test::writeBytes(empty, {});
    const auto nothing = readFileBytes(empty, 64);
    ASSERT_TRUE(nothing);
    EXPECT_TRUE(nothing->empty());
}

TEST(ReadFileBytes, MissingEmptyPathAndFolderCannotBeRead) {
    test::TempFolder folder;
    EXPECT_FALSE(readFileBytes(folder.file("absent.vemo"), 64));
    EXPECT_FALSE(readFileBytes("", 64));
    EXPECT_FALSE(readFileBytes(folder.path().string(), 64));
}

TEST(FileExists, TellsPresentFromAbsentFiles) {
    test::TempFolder folder;
    const std::string path = folder.file("here.vemo");
    EXPECT_FALSE(fileExists(path));
    test::writeBytes(path, {1, 2, 3});
    EXPECT_TRUE(fileExists(path));
    EXPECT_FALSE(fileExists(folder.file("no-such-folder/here.vemo")));
}

TEST(WriteFileReplacing, CreatesAndReplacesWithExactlyTheBytes) {
    test::TempFolder folder;
    const std::string path = folder.file("tune.vemo");
    const Bytes first = countingBytes(564);
    ASSERT_TRUE(writeFileReplacing(path, first));
    EXPECT_EQ(test::readBytes(path), first);

    // A shorter replacement leaves nothing of the longer file behind it.
    const Bytes second = {9, 8, 7, 0, 0x0A, 0x0D, 5};
    ASSERT_TRUE(writeFileReplacing(path, second));
    EXPECT_EQ(test::readBytes(path), second);

    ASSERT_TRUE(writeFileReplacing(path, {}));
    EXPECT_TRUE(test::readBytes(path).empty());
    EXPECT_TRUE(std::filesystem::exists(path));

    EXPECT_EQ(folder.entries(), std::vector<std::string>{"tune.vemo"});
}

TEST(WriteFileReplacing, MissingFolderFailsAndCreatesNothing) {
    test::TempFolder folder;
    const std::string path = folder.file("not-there/tune.vemo");
    EXPECT_FALSE(writeFileReplacing(path, countingBytes(92)));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "not-there"));
    EXPECT_TRUE(folder.entries().empty());
}

TEST(WriteFileReplacing, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    test::TempFolder folder;
    const std::string path = folder.file("keep.vemo");
    const Bytes old = countingBytes(20);
    test::writeBytes(path, old);
    const Bytes bigger = countingBytes(4096);

    bool replaced = true;
    bool created = true;
    bool limited = false;
    {
        // Writes past 40 bytes fail: the new content can't be completed.
        test::FileSizeLimit limit(40);
        limited = limit.active();
        replaced = writeFileReplacing(path, bigger);
        created = writeFileReplacing(folder.file("fresh.vemo"), bigger);
    }
    ASSERT_TRUE(limited);
    EXPECT_FALSE(replaced);
    EXPECT_FALSE(created);
    EXPECT_EQ(test::readBytes(path), old);
    EXPECT_FALSE(std::filesystem::exists(folder.file("fresh.vemo")));
    EXPECT_FALSE(anyTemporaryLeft(folder));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"keep.vemo"});

    // With the limit gone the same write goes through.
    EXPECT_TRUE(writeFileReplacing(path, bigger));
    EXPECT_EQ(test::readBytes(path), bigger);
}

TEST(WriteFileReplacing, TargetThatIsAFolderIsLeftAlone) {
    test::TempFolder folder;
    const std::filesystem::path target = folder.path() / "taken.vemo";
    std::filesystem::create_directory(target);
    std::filesystem::path inside = target / "song.vemo";
    test::writeBytes(inside.string(), {1, 2, 3});

    EXPECT_FALSE(writeFileReplacing(target.string(), countingBytes(64)));
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(test::readBytes(inside.string()), (Bytes{1, 2, 3}));
    EXPECT_FALSE(anyTemporaryLeft(folder));
}

} // namespace
} // namespace vemo
