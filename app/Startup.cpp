#include "app/Startup.h"

#include "app/RecoveryJournal.h"

#include "app/BuiltInIcons.h"
#include "app/EventLoop.h"
#include "app/FileCommands.h"
#include "app/Layout.h"
#include "app/NewMelodyCommand.h"
#include "app/PlaybackCommands.h"
#include "app/UndoCommands.h"
#include "app/Windows.h"
#include "model/NewMelody.h"
#include "model/PitchTable.h"
#include "platform/Ids.h"
#include "sound/Playback.h"
#include "store/FileNames.h"
#include "view/PixelScale.h"
#include "view/Redraw.h"

#include <cmath>
#include <filesystem>

namespace vemo {

namespace {

// The sweeps unfold and fold the main window around its middle line, 50 pixels a step, with a
// rising or falling tone a step.
constexpr std::int32_t SweepStepPixels = 50;
constexpr std::int32_t SweepSteps = MainPlacement.height / SweepStepPixels + 1;
constexpr std::int32_t SweepMiddleY = MainPlacement.y + MainPlacement.height / 2;
constexpr std::int32_t OpeningBaseHz = 750;
constexpr std::int32_t OpeningHzPerPixel = 2;
constexpr double ClosingBaseHz = 150.0;
constexpr double ClosingHzPerPixel = 1.1;
constexpr std::int32_t OpeningToneMs = 10;
constexpr std::int32_t ClosingToneMs = 8;
constexpr std::int32_t WorkerStopWaitMs = 2000;
constexpr std::int32_t LastToneWaitMs = 100;
constexpr const char* ProgramIconFile = "Data/vemo.ico";

struct IconFile {
    const char* name;
    // The editor's first eleven icons must be there; one added later falls back to a built-in
    // picture, so that a Data folder of those eleven still starts the editor.
    bool isRequired;
};

// The toolbar icons, in the order they are read from Data/.
constexpr IconFile IconFiles[] = {
    {"new.ico", true},   {"space.ico", true},   {"sing.ico", true},    {"shut.ico", true},
    {"loop.ico", true},  {"code.ico", true},    {"load.ico", true},    {"save.ico", true},
    {"copy.ico", true},  {"paste.ico", true},   {"selec.ico", true},   {"undo.ico", false},
    {"redo.ico", false}, {"export.ico", false}, {"follow.ico", false}, {"keys.ico", false}};

void setStartValues(EditorState& state) {
    Melody& melody = state.melody;
    melody.octaveCount = StartOctaveCount;
    melody.octaveShift = StartOctaveShift;
    melody.smallBlock = StartBlockSize;
    melody.largeBlock = StartBlockSize;
    melody.lastColumn = melody.smallBlock * melody.largeBlock * 32 - 1;
    melody.lastRow = melody.octaveCount * RowsPerOctave - 1;
    melody.previousLastColumn = melody.lastColumn;
    melody.grid = CellGrid(melody.lastColumn + 1, melody.lastRow + 1);
    melody.marks.assign(static_cast<std::size_t>(melody.lastColumn) + 1, 0);
    melody.markTotal = 0;
    melody.columnDuration = StartColumnDuration;
    state.shell.codeLines.clear();
    state.playback.toneList.clear();
    buildPitchTable(state.pitch, melody.octaveShift, melody.lastRow);
    state.stroke.strokeFirst = -1;
}

bool fail(Platform& platform, const std::string& text) {
    platform.ui.messageBox("error", text, false);
    return false;
}

// The Data files are named with a backslash in messages on every system.
bool loadDataFile(Platform& platform, const std::string& name, Image& image) {
    if (platform.ui.loadImage("Data/" + name, image)) return true;
    return fail(platform, "can't load Data\\" + name);
}

bool loadBitmaps(Platform& platform, CellBitmaps& bitmaps) {
    return loadDataFile(platform, "img01.bmp", bitmaps.img01) &&
           loadDataFile(platform, "img02.bmp", bitmaps.img02) &&
           loadDataFile(platform, "img02_L.bmp", bitmaps.img02L) &&
           loadDataFile(platform, "img02_LR.bmp", bitmaps.img02LR) &&
           loadDataFile(platform, "img02_R.bmp", bitmaps.img02R);
}

bool loadIcons(Platform& platform, Resources& resources) {
    for (const IconFile& file : IconFiles) {
        Image& icon = resources.icons[file.name];
        if (file.isRequired) {
            if (!loadDataFile(platform, file.name, icon)) return false;
        } else if (!platform.ui.loadImage(std::string("Data/") + file.name, icon)) {
            icon = builtInIcon(file.name);
        }
    }
    return true;
}

void applyWorkingDirectoryRule(ProgramContext& context) {
    if (context.isDevelopmentRun || context.executableFolder.empty()) return;
    // A file named relative to where the program was started still means that file after the
    // program has moved to its own folder.
    if (!context.arguments.empty() && !context.arguments.front().empty() &&
        std::filesystem::path(context.arguments.front()).is_relative())
        context.arguments.front() =
            withTrailingSeparator(context.workingDirectory()) + context.arguments.front();
    context.setWorkingDirectory(context.executableFolder);
}

// At its place, of the working width and the given client height.
void placeMainWindow(Ui& ui, std::int32_t clientHeight) {
    ui.placeWindow(WindowId::Main, MainPlacement.x, MainPlacement.y, MainPlacement.width,
                   clientHeight);
}

void runSweep(EditorContext& editor, bool opening) {
    Platform& platform = editor.platform;
    for (std::int32_t step = 0; step < SweepSteps; ++step) {
        const std::int32_t height =
            opening ? step * SweepStepPixels : MainPlacement.height - step * SweepStepPixels;
        const std::int32_t frequencyHz = opening ? OpeningBaseHz + OpeningHzPerPixel * height
                                                 : static_cast<std::int32_t>(std::lround(
                                                       ClosingBaseHz + ClosingHzPerPixel * height));
        startPreviewAfterPrevious(editor.state.playback, platform.beeper, platform.runtime,
                                  frequencyHz, opening ? OpeningToneMs : ClosingToneMs);
        platform.ui.placeWindow(WindowId::Main, MainPlacement.x, SweepMiddleY - height / 2,
                                MainPlacement.width, height);
        if (!opening) layoutMainWindow(editor.state.view, platform.ui);
        platform.ui.drainEvents();
    }
}

} // namespace

bool startUp(EditorState& state, Resources& resources, Platform& platform,
             ProgramContext& context) {
    setStartValues(state);
    applyWorkingDirectoryRule(context);
    if (!loadBitmaps(platform, resources.bitmaps)) return false;
    state.melody.columnWidth = resources.bitmaps.img01.width() + 1;
    state.melody.rowHeight = resources.bitmaps.img01.height() + 1;
    state.view.horizontalScroll = 0.0;
    state.view.verticalScroll = 0.5;
    state.clipboard.clipboardGrid = CellGrid(state.melody.lastColumn + 1, state.melody.lastRow + 1);
    state.clipboard.clipboardMarks.assign(static_cast<std::size_t>(state.melody.lastColumn) + 1, 0);
    if (!loadIcons(platform, resources)) return false;
    // Shown by every window; a missing file only leaves the system's own icon.
    Image programIcon;
    if (platform.ui.loadImage(ProgramIconFile, programIcon))
        platform.ui.setProgramIcon(programIcon);
    state.shell.fileName = withTrailingSeparator(context.workingDirectory());
    state.shell.loadPath = state.shell.fileName;
    const WindowsResult created = createWindows(state, resources.icons, platform);
    if (!created.ok) return fail(platform, created.failure);
    restoreFollowPlayback(state.playback, platform.ui);
    state.view.zoom = startZoom(platform.ui.devicePixelRatio());
    return true;
}

void openMainWindow(EditorContext& editor) {
    Ui& ui = editor.platform.ui;
    placeMainWindow(ui, 0);
    layoutMainWindow(editor.state.view, ui);
    ui.showWindow(WindowId::Main, true);
    runSweep(editor, true);
    placeMainWindow(ui, MainPlacement.height);
    ui.setMinimumClientSize(WindowId::Main, MinClientWidth, MinClientHeight);
    layoutMainWindow(editor.state.view, ui);
    newMelody(editor);
    redraw(editor, RedrawVer + RedrawHor + RedrawMain);
    ui.drainEvents();
    startHistory(editor);
}

void closeMainWindow(EditorContext& editor) {
    Ui& ui = editor.platform.ui;
    ui.setMinimumClientSize(WindowId::Main, 0, 0);
    placeMainWindow(ui, MainPlacement.height);
    layoutMainWindow(editor.state.view, ui);
    ui.showWindow(WindowId::Main, false);
    runSweep(editor, false);
    ui.placeWindow(WindowId::Main, MainPlacement.x, SweepMiddleY, MainPlacement.width, 0);
    layoutMainWindow(editor.state.view, ui);
}

std::int32_t endProgram(EditorState& state, Platform& platform, std::int32_t exitCode) {
    // The closing sweep's last tone is short: let it be heard.
    for (std::int32_t waitedMs = 0; waitedMs < LastToneWaitMs; ++waitedMs) {
        if (!state.playback.previewThread.isRunning()) break;
        platform.runtime.sleepMs(1);
    }
    // Threads are not waited for as such: the beeper lets go of them at once, so they end
    // within moments and never touch a state or window that is already gone.
    state.playback.stopRequested.store(1);
    state.playback.repeatOn.store(0);
    platform.beeper.abort();
    for (std::int32_t waitedMs = 0; waitedMs < WorkerStopWaitMs; ++waitedMs) {
        if (!state.playback.playbackThread.isRunning() && !state.playback.previewThread.isRunning())
            break;
        platform.runtime.sleepMs(1);
    }
    return exitCode;
}

std::int32_t runProgram(Platform& platform, ProgramContext& context) {
    EditorState state;
    Resources resources;
    if (!startUp(state, resources, platform, context))
        return endProgram(state, platform, ExitFailure);
    ViewImages images;
    EditorContext editor{state, resources.bitmaps, images, platform};
    openMainWindow(editor);
    RecoveryJournal journal(editor);
    if (context.journalFolder) {
        journal.start(context.journalFolder());
        journal.offerRecovery();
    }
    if (!context.arguments.empty() && !context.arguments.front().empty()) {
        if (!loadMelodyFromCommandLine(editor, context.arguments.front()))
            return endProgram(state, platform, ExitFailure);
        startHistory(editor); // the melody the editor was started with is where undo stops
    }
    journal.afterPass();
    while (state.shell.quitRequested == 0) {
        eventStep(editor);
        journal.afterPass();
    }
    // A signal's end leaves the journal for the next start; the confirmed exit removes it.
    if (!state.shell.isEndRequested) {
        journal.end();
        closeMainWindow(editor);
    }
    return endProgram(state, platform, ExitNormal);
}

} // namespace vemo
