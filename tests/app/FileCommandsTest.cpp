#include "app/FileCommands.h"
#include "app/NewMelodyCommand.h"
#include "model/Geometry.h"
#include "model/Marks.h"
#include "model/NewMelody.h"
#include "platform/Files.h"
#include "platform/Ids.h"
#include "tests/store/MelodyTestFiles.h"
#include "tests/support/AppFixture.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <filesystem>
#include <random>

namespace vemo {
namespace {

using test::Bytes;

const std::string TitlePrefix = "       vemo - ";

// First cell where two grids differ, so a failure on 4096 columns stays readable.
std::string firstDifference(const CellGrid& expected, const CellGrid& actual) {
    if (expected.columnCount() != actual.columnCount() || expected.rowCount() != actual.rowCount())
        return "size " + std::to_string(actual.columnCount()) + "x" +
               std::to_string(actual.rowCount()) + " instead of " +
               std::to_string(expected.columnCount()) + "x" + std::to_string(expected.rowCount());
    for (std::int32_t c = 0; c < expected.columnCount(); ++c)
        for (std::int32_t r = 0; r < expected.rowCount(); ++r)
            if (!(expected.at(c, r) == actual.at(c, r)))
                return "cell (" + std::to_string(c) + ", " + std::to_string(r) + ")";
    return "";
}

// What a failed load or save must leave exactly as it was.
struct EditorSnapshot {
    CellGrid grid;
    ColumnMarks marks;
    std::int32_t lastColumn = 0;
    std::int32_t columnDuration = 0;
    std::int32_t markTotal = 0;
    std::int32_t spinValue = 0;
    CellGrid clipboardGrid;
    std::int32_t clipboardLast = 0;
    std::int32_t selectionActive = 0;
    double horizontalScroll = 0.0;
    std::string title;
    std::string fileName;
    friend bool operator==(const EditorSnapshot&, const EditorSnapshot&) = default;
};

class FileCommandsTest : public ::testing::Test {
  protected:
    void resize(std::int32_t width, std::int32_t smallBlock, std::int32_t largeBlock) {
        applyNewMelody(app.editor, width, smallBlock, largeBlock);
    }
    void saveAs(const std::string& answer) {
        ui.saveAnswers.push_back(answer);
        saveMelody(editor);
    }
    LoadOutcome loadFrom(const std::string& answer) {
        ui.openAnswers.push_back(answer);
        return loadMelody(editor);
    }
    std::string title() { return ui.windowTitle(WindowId::Main); }
    EditorSnapshot snapshot() {
        const Melody& melody = state.melody;
        return {melody.grid,
                melody.marks,
                melody.lastColumn,
                melody.columnDuration,
                melody.markTotal,
                ui.spinValue(ControlId::DurationSpin),
                state.clipboard.clipboardGrid,
                state.clipboard.clipboardLast,
                state.selection.selectionActive,
                state.view.horizontalScroll,
                title(),
                state.shell.fileName};
    }
    void expectBox(const std::string& boxTitle, const std::string& text, bool yesNo) {
        ASSERT_FALSE(ui.boxes.empty());
        EXPECT_EQ(ui.boxes.back().title, boxTitle);
        EXPECT_EQ(ui.boxes.back().text, text);
        EXPECT_EQ(ui.boxes.back().yesNo, yesNo);
    }

    test::StartedEditor app;
    test::TempFolder folder;
    test::FakeUi& ui = app.fake.ui;
    EditorState& state = app.state;
    EditorContext& editor = app.editor;
};

// A 32-column file with one note on row 50 tied from column 0 into column 1.
test::FileParts heldNoteFile(std::int32_t columnDuration = 120) {
    test::FileParts parts;
    parts.columnDuration = columnDuration;
    parts.firstNoteColumn = 0;
    parts.lastNoteColumn = 1;
    parts.marks = {6, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0,
                   6, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0};
    parts.records = {50, 1, 1, 0, 50, 1, 0, 1};
    return parts;
}

TEST_F(FileCommandsTest, RandomMelodiesComeBackFromTheirFilesCellForCell) {
    std::mt19937 random(7031);
    std::uniform_int_distribution<std::int32_t> anyDuration(MinColumnDuration, MaxColumnDuration);
    std::uniform_int_distribution<std::size_t> anyMark(0, 2);
    const std::array<std::int32_t, 3> markKinds = {0, MarkSmallStart, MarkLargeStart};
    for (std::int32_t width : {32, 512, 4096}) {
        SCOPED_TRACE("width " + std::to_string(width));
        resize(width, 4, 4);
        Melody& melody = state.melody;
        // Any mix of block starts, as pasted layouts leave them.
        for (std::int32_t& mark : melody.marks)
            mark = markKinds[anyMark(random)];
        computeGeometry(melody);
        melody.markTotal = sumOfMarks(melody.marks);
        test::fillRandom(melody, random);
        melody.columnDuration = anyDuration(random);
        const Melody saved = melody;

        const std::string path = folder.file("random" + std::to_string(width));
        saveAs(path);
        ASSERT_EQ(title(), TitlePrefix + path + ".vemo");
        ASSERT_TRUE(ui.boxes.empty());

        // Something else of another width in the editor before the load.
        resize(width == 32 ? 64 : 32, 2, 2);
        ASSERT_EQ(loadFrom(path + ".vemo"), LoadOutcome::Loaded);
        EXPECT_EQ(melody.lastColumn, saved.lastColumn);
        EXPECT_EQ(melody.lastRow, saved.lastRow);
        EXPECT_EQ(melody.columnDuration, saved.columnDuration);
        EXPECT_EQ(ui.spinValue(ControlId::DurationSpin), saved.columnDuration);
        EXPECT_EQ(melody.marks, saved.marks);
        EXPECT_EQ(melody.markTotal, saved.markTotal);
        // Geometry included: it is recomputed from the loaded marks.
        EXPECT_EQ(firstDifference(saved.grid, melody.grid), "");
    }
}

TEST_F(FileCommandsTest, StartGridSavesAsTheFiveHundredSixtyFourByteFile) {
    const std::string path = folder.file("start.vemo");
    saveAs(path);
    Bytes expected = test::headerBlock();
    for (std::int32_t value : {511, 95, 120, -1, 0})
        test::putInt32(expected, value);
    for (std::int32_t column = 0; column < 512; ++column)
        expected.push_back(column % 16 == 0 ? 6 : column % 4 == 0 ? 2 : 0);
    const Bytes written = test::readBytes(path);
    EXPECT_EQ(written.size(), 564u);
    EXPECT_EQ(written, expected);
    EXPECT_EQ(title(), TitlePrefix + path);
    EXPECT_EQ(state.shell.fileName, path);
}

TEST_F(FileCommandsTest, HeldNoteOnThirtyTwoColumnsSavesAsTheNinetyTwoByteFile) {
    resize(32, 4, 4);
    test::setNote(state.melody, 0, 50, false, true);
    test::setNote(state.melody, 1, 50, true, false);
    const std::string path = folder.file("held.vemo");
    saveAs(path);

    const Bytes expected = {'v',  'e',  'm',  'o',  '-',  'f',  'i',  'l',  'e',  ' ',  ':',  ' ',
                            'v',  'e',  'r',  ' ',  '0',  '.',  '1',  0x00, 0x20, 0x20, 0x20, 0x20,
                            0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x1F, 0x00, 0x00, 0x00,
                            0x5F, 0x00, 0x00, 0x00, 0x78, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                            0x01, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
                            0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00,
                            0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
                            0x32, 0x01, 0x01, 0x00, 0x32, 0x01, 0x00, 0x01};
    EXPECT_EQ(test::readBytes(path), expected);
    EXPECT_EQ(heldNoteFile().bytes(), expected) << "the hand-made file used by later tests";
}

TEST_F(FileCommandsTest, ExtensionIsAddedUnlessItIsExactlyVemo) {
    std::filesystem::create_directory(folder.path() / "a.b");
    const std::vector<std::pair<std::string, std::string>> cases = {{"name", "name.vemo"},
                                                                    {"name.VEMO", "name.VEMO.vemo"},
                                                                    {"other.vemo", "other.vemo"},
                                                                    {"a.b/name", "a.b/name.vemo"}};
    for (const auto& [answer, stored] : cases) {
        saveAs(folder.file(answer));
        EXPECT_EQ(state.shell.fileName, folder.file(stored)) << answer;
        EXPECT_EQ(title(), TitlePrefix + folder.file(stored)) << answer;
        EXPECT_EQ(test::readBytes(folder.file(stored)).size(), 564u) << answer;
    }
    EXPECT_TRUE(ui.boxes.empty());
    auto names = folder.entries();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"a.b", "name.VEMO.vemo", "name.vemo", "other.vemo"}));

    // Only the text after the last separator counts, whichever separator it is.
    EXPECT_EQ(withMelodyExtension("C:\\songs.old\\tune"), "C:\\songs.old\\tune.vemo");
    EXPECT_EQ(withMelodyExtension("C:\\songs.old\\tune.vemo"), "C:\\songs.old\\tune.vemo");
    EXPECT_EQ(withMelodyExtension("/x.vemo/tune"), "/x.vemo/tune.vemo");
    EXPECT_EQ(withMelodyExtension("tune."), "tune..vemo");
    EXPECT_EQ(withMelodyExtension("tune.vemo.bak"), "tune.vemo.bak.vemo");
    EXPECT_EQ(withMelodyExtension("tune.vemos"), "tune.vemos.vemo");
    EXPECT_EQ(withMelodyExtension("tune.Vemo"), "tune.Vemo.vemo");
}

TEST_F(FileCommandsTest, SaveDialogAsksWithTheCurrentNameAndTheMelodyFilter) {
    saveAs(folder.file("first"));
    saveAs(folder.file("second.vemo"));
    ASSERT_EQ(ui.saveDialogs.size(), 2u);
    EXPECT_EQ(ui.saveDialogs[0].title, "save file");
    EXPECT_EQ(ui.saveDialogs[0].defaultPath, "/opt/vemo/");
    EXPECT_EQ(ui.saveDialogs[0].filter, "*.vemo|*.vemo");
    EXPECT_EQ(ui.saveDialogs[1].defaultPath, folder.file("first.vemo"));
}

TEST_F(FileCommandsTest, ReplaceQuestionNamesTheExtendedFileAndNoKeepsEverything) {
    const std::string path = folder.file("song.vemo");
    const Bytes old = {1, 2, 3, 4, 5};
    test::writeBytes(path, old);
    const std::string titleBefore = title();

    ui.boxAnswers.push_back(false);
    saveAs(folder.file("song"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    expectBox("please confirm", "'" + path + "'\r\n already exists.\r\nreplace file?", true);
    EXPECT_EQ(test::readBytes(path), old);
    EXPECT_EQ(title(), titleBefore);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"song.vemo"});
    EXPECT_EQ(state.shell.fileName, path) << "the dialog's choice is kept";

    ui.boxAnswers.push_back(true);
    saveAs(path);
    EXPECT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(test::readBytes(path).size(), 564u);
    EXPECT_EQ(title(), TitlePrefix + path);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"song.vemo"});
}

TEST_F(FileCommandsTest, CancelledSaveEmptiesTheNameAndTheNextDialogStartsEmpty) {
    saveAs(folder.file("kept.vemo"));
    const std::string titleBefore = title();
    saveAs("");
    EXPECT_EQ(state.shell.fileName, "");
    EXPECT_EQ(title(), titleBefore);
    EXPECT_TRUE(ui.boxes.empty());
    saveAs("");
    ASSERT_EQ(ui.saveDialogs.size(), 3u);
    EXPECT_EQ(ui.saveDialogs[1].defaultPath, folder.file("kept.vemo"));
    EXPECT_EQ(ui.saveDialogs[2].defaultPath, "");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"kept.vemo"});
}

TEST_F(FileCommandsTest, SaveAtTheFileSizeLimitShowsTheBoxKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string path = folder.file("precious.vemo");
    const Bytes old = heldNoteFile().bytes();
    test::writeBytes(path, old);
    const std::string titleBefore = title();

    // In a child, with the limit's signal as deadly as it is by default until the editor's
    // start-up ignores it.
    const std::string report = test::inChildProcess([&]() -> std::string {
        std::signal(SIGXFSZ, SIG_DFL);
        ignoreFileSizeSignal();
        {
            test::FileSizeLimit limit(40);
            if (!limit.active()) return "the limit could not be set";
            saveAs(path); // the replace question is answered Yes
        }
        if (title() != titleBefore) return "the title changed to " + title();
        if (ui.boxes.size() != 2) return std::to_string(ui.boxes.size()) + " boxes";
        return ui.boxes.back().title + ": " + ui.boxes.back().text;
    });
    EXPECT_EQ(report, "invalid file: can't create \r\n\r\n'" + path +
                          "'\r\nthe file would pass the file size limit of this session; raise the "
                          "limit (ulimit -f) and try again");
    EXPECT_EQ(test::readBytes(path), old);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"precious.vemo"});
}

TEST_F(FileCommandsTest, AFileTheUserMayNotWriteIsRefusedBeforeTheReplaceQuestion) {
    if (!test::canActAsOrdinaryUser())
        GTEST_SKIP() << "needs root to make a file that uid 65534 may not write";
    namespace fs = std::filesystem;
    const std::string path = folder.file("theirs.vemo");
    const Bytes old = heldNoteFile().bytes();
    test::writeBytes(path, old);
    fs::permissions(folder.path(), fs::perms::all);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    const std::string report = test::inChildProcess(
        [&]() -> std::string {
            saveAs(path);
            std::string boxes;
            for (const auto& box : ui.boxes)
                boxes += box.title + ": " + box.text + "|";
            return boxes;
        },
        true);
    EXPECT_EQ(report, "invalid file: can't create \r\n\r\n'" + path +
                          "'\r\nthe file is read-only for you; save under another name or make "
                          "it writable|");
    EXPECT_EQ(test::readBytes(path), old);
}

TEST_F(FileCommandsTest, TargetsThatCannotBeWrittenShowTheBoxWithTheReasonAndCreateNothing) {
    const std::string titleBefore = title();
    const std::string path = folder.file("gone/tune.vemo");
    saveAs(path);
    ASSERT_EQ(ui.boxes.size(), 1u);
    expectBox("invalid file",
              "can't create \r\n\r\n'" + path +
                  "'\r\nthe folder does not exist; choose an existing folder",
              false);
    EXPECT_EQ(title(), titleBefore);
    EXPECT_TRUE(folder.entries().empty());

    // A folder of the chosen name is not offered for replacing.
    const std::string taken = folder.file("taken.vemo");
    std::filesystem::create_directory(taken);
    ui.boxes.clear();
    saveAs(folder.file("taken"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    expectBox("invalid file",
              "can't create \r\n\r\n'" + taken +
                  "'\r\nthere is a folder of that name; choose another name",
              false);
    EXPECT_TRUE(std::filesystem::is_directory(taken));
    EXPECT_EQ(title(), titleBefore);
}

TEST_F(FileCommandsTest, LoadReplacesTheMelodyAndResetsViewAndSelection) {
    const std::string path = folder.file("held.vemo");
    test::writeBytes(path, heldNoteFile(333).bytes());
    state.view.horizontalScroll = 0.7;
    state.view.verticalScroll = 0.2;
    state.selection = {1, 3, 7, 0, 0};
    ui.setButtonPressed(CommandId::ToggleSelection, true);
    const int drawsBefore = ui.showImageCount[ControlId::MainImage];

    ASSERT_EQ(loadFrom(path), LoadOutcome::Loaded);
    ASSERT_EQ(ui.openDialogs.size(), 1u);
    EXPECT_EQ(ui.openDialogs[0].title, "load file");
    EXPECT_EQ(ui.openDialogs[0].defaultPath, "/opt/vemo/");
    // The melody filters come first; the imported formats follow them.
    EXPECT_EQ(ui.openDialogs[0].filter.rfind("*.vemo|*.vemo|*.*|*.*|", 0), 0u);
    EXPECT_TRUE(ui.boxes.empty());

    const Melody& melody = state.melody;
    ASSERT_EQ(melody.lastColumn, 31);
    EXPECT_EQ(melody.columnDuration, 333);
    EXPECT_EQ(ui.spinValue(ControlId::DurationSpin), 333);
    EXPECT_EQ(melody.grid.at(0, 50).hasNote, 1);
    EXPECT_EQ(melody.grid.at(0, 50).joinRight, 1);
    EXPECT_EQ(melody.grid.at(0, 50).joinLeft, 0);
    EXPECT_EQ(melody.grid.at(1, 50).hasNote, 1);
    EXPECT_EQ(melody.grid.at(1, 50).joinLeft, 1);
    EXPECT_EQ(melody.grid.at(1, 50).joinRight, 0);
    std::int32_t notes = 0;
    for (const Cell& cell : melody.grid.cells())
        notes += cell.hasNote;
    EXPECT_EQ(notes, 2);
    EXPECT_EQ(melody.markTotal, 2 * 6 + 6 * 2) << "two large and six small block starts";
    EXPECT_EQ(melody.grid.at(31, 0).x - 31 * melody.columnWidth - ContentLeft, melody.markTotal);
    EXPECT_EQ(melody.grid.at(4, 0).x, melody.grid.at(3, 0).x + melody.columnWidth + 2);

    EXPECT_EQ(state.view.horizontalScroll, 0.0);
    EXPECT_EQ(state.view.verticalScroll, 0.5);
    EXPECT_EQ(state.selection.selectionActive, 0);
    EXPECT_FALSE(ui.isButtonPressed(CommandId::ToggleSelection));
    EXPECT_EQ(state.selection.selectionFirst, 0);
    EXPECT_EQ(state.selection.selectionLast, 31);
    EXPECT_EQ(state.selection.selectionLeftX, melody.grid.at(0, 0).x - 1);
    EXPECT_EQ(state.selection.selectionRightX, melody.grid.at(31, 0).x + melody.columnWidth - 1);
    EXPECT_GT(ui.showImageCount[ControlId::MainImage], drawsBefore);

    EXPECT_EQ(title(), TitlePrefix + path);
    EXPECT_EQ(state.shell.fileName, path);
    EXPECT_EQ(state.shell.loadPath, path);
    saveAs("");
    EXPECT_EQ(ui.saveDialogs.back().defaultPath, path) << "the loaded file is the save default";
}

TEST_F(FileCommandsTest, HeaderLineMayEndInCarriageReturnOrLineFeed) {
    const std::vector<Bytes> endings = {{0x0D, 0x0A}, {0x0A, 0x20}, {0x0D, 0x00}};
    for (std::size_t i = 0; i < endings.size(); ++i) {
        Bytes bytes = heldNoteFile(250).bytes();
        std::copy(endings[i].begin(), endings[i].end(), bytes.begin() + 19);
        const std::string path = folder.file("line" + std::to_string(i) + ".vemo");
        test::writeBytes(path, bytes);
        resize(64, 4, 4);
        ASSERT_EQ(loadFrom(path), LoadOutcome::Loaded) << path;
        // The data still starts at offset 32, not after the line break.
        EXPECT_EQ(state.melody.lastColumn, 31);
        EXPECT_EQ(state.melody.columnDuration, 250);
        EXPECT_EQ(state.melody.grid.at(0, 50).joinRight, 1);
        EXPECT_EQ(state.melody.grid.at(1, 50).joinLeft, 1);
    }
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FileCommandsTest, OtherWidthResizesGridMarksAndCarriesTheClipboard) {
    // The start editor has 512 columns; columns 10 to 100 are on the clipboard.
    Clipboard& clipboard = state.clipboard;
    for (std::int32_t c = 0; c < 512; ++c) {
        clipboard.clipboardGrid.at(c, c % 96).hasNote = 1;
        clipboard.clipboardMarks[static_cast<std::size_t>(c)] = c % 3 == 0 ? 2 : 0;
    }
    clipboard.clipboardFirst = 10;
    clipboard.clipboardLast = 100;

    const std::string narrow = folder.file("narrow.vemo");
    test::writeBytes(narrow, heldNoteFile().bytes());
    ASSERT_EQ(loadFrom(narrow), LoadOutcome::Loaded);
    EXPECT_EQ(state.melody.grid.columnCount(), 32);
    EXPECT_EQ(state.melody.marks.size(), 32u);
    ASSERT_EQ(clipboard.clipboardGrid.columnCount(), 32);
    ASSERT_EQ(clipboard.clipboardMarks.size(), 32u);
    EXPECT_EQ(clipboard.clipboardFirst, 0);
    EXPECT_EQ(clipboard.clipboardLast, 31) << "columns past the new width are dropped";
    for (std::int32_t k = 0; k < 32; ++k) {
        const std::int32_t from = 10 + k;
        EXPECT_EQ(clipboard.clipboardGrid.noteRow(k), from % 96) << k;
        EXPECT_EQ(clipboard.clipboardMarks[static_cast<std::size_t>(k)], from % 3 == 0 ? 2 : 0);
    }

    // Back to a wider file: the 32 carried columns stay, the rest is empty.
    resize(32, 4, 4); // keeps the clipboard as it is
    test::FileParts wide;
    wide.lastColumn = 199;
    wide.marks = Bytes(200, 0);
    const std::string widePath = folder.file("wide.vemo");
    test::writeBytes(widePath, wide.bytes());
    ASSERT_EQ(loadFrom(widePath), LoadOutcome::Loaded);
    EXPECT_EQ(state.melody.grid.columnCount(), 200);
    EXPECT_EQ(state.melody.markTotal, 0);
    ASSERT_EQ(clipboard.clipboardGrid.columnCount(), 200);
    EXPECT_EQ(clipboard.clipboardLast, 31);
    EXPECT_EQ(clipboard.clipboardGrid.noteRow(31), 41);
    for (std::int32_t k = 32; k < 200; ++k)
        EXPECT_EQ(clipboard.clipboardGrid.noteRow(k), -1) << k;
}

TEST_F(FileCommandsTest, RejectedFilesChangeNothing) {
    // A named melody in the editor first, so that every part of it can be seen to stay.
    const std::string good = folder.file("good.vemo");
    test::writeBytes(good, heldNoteFile(200).bytes());
    ASSERT_EQ(loadFrom(good), LoadOutcome::Loaded);
    state.clipboard.clipboardGrid.at(2, 2).hasNote = 1;
    state.clipboard.clipboardLast = 5;
    const EditorSnapshot before = snapshot();

    const auto variant = [](auto change) {
        test::FileParts parts = heldNoteFile();
        change(parts);
        return parts.bytes();
    };
    Bytes wrongVersion = heldNoteFile().bytes();
    wrongVersion[18] = '2';
    Bytes unterminated = heldNoteFile().bytes();
    unterminated[19] = 0x20;
    // A whole melody followed by junk: read as a cell block it would empty the grid.
    Bytes junkAfter = heldNoteFile().bytes();
    junkAfter.resize(junkAfter.size() + 1024 * 1024, 0);
    struct Case {
        std::string name;
        Bytes bytes;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"rows80", variant([](test::FileParts& p) { p.lastRow = 79; }),
         "the file says it has 80 rows; vemo's grid has 96"},
        {"duration0", variant([](test::FileParts& p) { p.columnDuration = 0; }),
         "the file says a column lasts 0 ms; vemo allows 1 to 999 ms"},
        {"duration1000", variant([](test::FileParts& p) { p.columnDuration = 1000; }), ""},
        {"columns4097", variant([](test::FileParts& p) { p.lastColumn = 4096; }),
         "the file says it has 4097 columns; vemo holds at most 4096"},
        {"columnsNone", variant([](test::FileParts& p) { p.lastColumn = -1; }),
         "the file says it has 0 columns; a melody has at least 1"},
        {"firstPastEnd", variant([](test::FileParts& p) { p.firstNoteColumn = 32; }),
         "the file says its first note is in column 32; its columns are 0 to 31"},
        {"lastPastEnd", variant([](test::FileParts& p) { p.lastNoteColumn = 40; }), ""},
        {"row96", variant([](test::FileParts& p) {
             p.records = {96, 1, 0, 0, 0xFF};
         }),
         "the file puts the note of column 0 in row 96; vemo's grid has rows 0 to 95"},
        {"junkAfter", junkAfter,
         "the file goes on after its notes with more bytes than a vemo file of 32 columns holds"},
        {"version", wrongVersion,
         "it does not begin with \"vemo-file : ver 0.1\", so it is not a vemo melody file"},
        {"unterminated", unterminated, ""},
        {"empty", Bytes{}, ""}};
    for (const Case& refused : cases) {
        const std::string path = folder.file(refused.name + ".vemo");
        test::writeBytes(path, refused.bytes);
        ui.boxes.clear();
        EXPECT_EQ(loadFrom(path), LoadOutcome::Failed) << refused.name;
        ASSERT_EQ(ui.boxes.size(), 1u) << refused.name;
        const std::string fixedText = "invalid file-format:\r\n\r\n'" + path + "'\r\n";
        EXPECT_EQ(ui.boxes.back().title, "invalid file");
        EXPECT_EQ(ui.boxes.back().text.substr(0, fixedText.size()), fixedText) << refused.name;
        if (!refused.reason.empty()) {
            EXPECT_EQ(ui.boxes.back().text.substr(fixedText.size()), refused.reason);
        }
        EXPECT_TRUE(snapshot() == before) << refused.name;
    }
}

TEST_F(FileCommandsTest, UnreadableOrCancelledLoadChangesNothing) {
    const EditorSnapshot before = snapshot();
    const std::string missing = folder.file("missing.vemo");
    EXPECT_EQ(loadFrom(missing), LoadOutcome::Failed);
    ASSERT_EQ(ui.boxes.size(), 1u);
    expectBox("invalid file",
              "can't load \r\n\r\n'" + missing +
                  "'\r\nthere is no file of that name; check the name and the folder",
              false);
    EXPECT_EQ(loadFrom(folder.path().string()), LoadOutcome::Failed);
    expectBox("invalid file",
              "can't load \r\n\r\n'" + folder.path().string() +
                  "'\r\nthis is a folder, not a melody file; choose a file inside it",
              false);
    EXPECT_TRUE(snapshot() == before);

    ui.boxes.clear();
    EXPECT_EQ(loadFrom(""), LoadOutcome::Stopped);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(state.shell.loadPath, "");
    EXPECT_TRUE(snapshot() == before);
    loadFrom("");
    EXPECT_EQ(ui.openDialogs.back().defaultPath, "");
    EXPECT_EQ(ui.openDialogs[1].defaultPath, missing);
}

class CommandLineLoadTest : public ::testing::Test {
  protected:
    std::int32_t run(const std::string& path) {
        fake.ui.addAllDataFiles();
        ProgramContext context = process.context({path, "ignored"});
        const std::int32_t exitCode = runProgram(fake.platform, context);
        fake.runtime.joinAll();
        return exitCode;
    }
    test::FakePlatform fake;
    test::FakeProcess process;
    test::TempFolder folder;
};

constexpr std::size_t OpeningSweepTones = 13;

TEST_F(CommandLineLoadTest, MissingFileShowsItsBoxAndEndsWithoutTheClosingSweep) {
    const std::string path = folder.file("absent.vemo");
    EXPECT_EQ(run(path), ExitFailure);
    ASSERT_EQ(fake.ui.boxes.size(), 1u);
    EXPECT_EQ(fake.ui.boxes[0].title, "invalid file");
    EXPECT_EQ(fake.ui.boxes[0].text,
              "can't load \r\n\r\n'" + path +
                  "'\r\nthere is no file of that name; check the name and the folder");
    EXPECT_FALSE(fake.ui.boxes[0].yesNo);
    EXPECT_EQ(fake.beeper.calls().size(), OpeningSweepTones);
    EXPECT_TRUE(fake.ui.openDialogs.empty());
}

TEST_F(CommandLineLoadTest, WrongHeaderShowsItsBoxAndEnds) {
    const std::string path = folder.file("wrong.vemo");
    Bytes bytes = heldNoteFile().bytes();
    bytes[0] = 'V';
    test::writeBytes(path, bytes);
    EXPECT_EQ(run(path), ExitFailure);
    ASSERT_EQ(fake.ui.boxes.size(), 1u);
    EXPECT_EQ(fake.ui.boxes[0].title, "invalid file");
    EXPECT_EQ(fake.ui.boxes[0].text,
              "invalid file-format:\r\n\r\n'" + path +
                  "'\r\nit does not begin with \"vemo-file : ver 0.1\", so it is not a vemo melody "
                  "file");
    EXPECT_EQ(fake.beeper.calls().size(), OpeningSweepTones);
}

TEST_F(CommandLineLoadTest, GoodFileIsNamedInTheTitleUntilAConfirmedClose) {
    const std::string path = folder.file("tune.vemo");
    test::writeBytes(path, heldNoteFile(421).bytes());
    fake.ui.events.push_back(Event{EventKind::Close, WindowId::Main});
    fake.ui.boxAnswers.push_back(true);
    EXPECT_EQ(run(path), ExitNormal);
    ASSERT_EQ(fake.ui.boxes.size(), 1u);
    EXPECT_EQ(fake.ui.boxes[0].title, "please confirm");
    EXPECT_EQ(fake.ui.windowTitle(WindowId::Main), TitlePrefix + path);
    EXPECT_EQ(fake.ui.spinValue(ControlId::DurationSpin), 421);
    EXPECT_TRUE(fake.ui.openDialogs.empty());
    EXPECT_EQ(fake.beeper.calls().size(), 2 * OpeningSweepTones);
}

} // namespace
} // namespace vemo
