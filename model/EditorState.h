#pragma once

#include "model/Cell.h"
#include "model/History.h"
#include "platform/Image.h"
#include "platform/Threads.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace vemo {

constexpr std::int32_t StartOctaveCount = 8;
constexpr std::int32_t StartOctaveShift = 3;
constexpr std::int32_t StartBlockSize = 4;
constexpr std::int32_t StartColumnDuration = 120;
constexpr std::int32_t MinColumnDuration = 1;
constexpr std::int32_t MaxColumnDuration = 999;
constexpr std::int32_t MinColumnCount = 32;
constexpr std::int32_t MaxColumnCount = 4096;
constexpr std::int32_t RowsPerOctave = 12;

// The melody: what a file stores plus the geometry derived from it.
struct Melody {
    std::int32_t lastColumn = 0;
    std::int32_t lastRow = 0;
    std::int32_t previousLastColumn = 0;
    std::int32_t octaveCount = 0;
    std::int32_t octaveShift = 0;
    std::int32_t smallBlock = 0;
    std::int32_t largeBlock = 0;
    std::int32_t columnWidth = 0;
    std::int32_t rowHeight = 0;
    std::int32_t markTotal = 0;
    std::int32_t columnDuration = 0;
    CellGrid grid;
    ColumnMarks marks;
};

struct Selection {
    std::int32_t selectionActive = 0;
    std::int32_t selectionFirst = 0;
    std::int32_t selectionLast = 0;
    std::int32_t selectionLeftX = 0;
    std::int32_t selectionRightX = 0;
};

// The current left-button stroke and the cells hit by the latest edits.
struct Stroke {
    std::int32_t strokeFirst = -1; // -1: no stroke
    std::int32_t strokeLast = 0;
    std::int32_t lastHitColumn = 0;
    std::int32_t lastHitRow = 0;
    std::int32_t previousHitColumn = 0;
    std::int32_t previousHitRow = 0;
};

struct Clipboard {
    CellGrid clipboardGrid;
    ColumnMarks clipboardMarks;
    std::int32_t clipboardFirst = 0;
    std::int32_t clipboardLast = 0;
};

struct Pitch {
    std::array<float, 12> scaleTable{};
    std::vector<float> pitchTable;
};

// An image control's place on the main window and the off-screen image it shows.
struct ImageArea {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    Image image;
};

struct View {
    double horizontalScroll = 0.0;
    double verticalScroll = 0.0;
    // Image pixels per pixel of the melody: every bitmap pixel is drawn zoom x zoom.
    std::int32_t zoom = 1;
    // Screen pixels per pixel of the controls, as the last layout found it. The images hold the
    // controls' sizes in screen pixels, so that the zoom counts screen pixels.
    double devicePixelRatio = 1.0;
    ImageArea verArea;  // horizontal scroll bar above the grid
    ImageArea horArea;  // vertical scroll bar beside the grid
    ImageArea mainArea; // the grid
    std::int32_t panning = 0;
    std::int32_t panAnchorX = 0;
    std::int32_t panAnchorY = 0;
    std::int32_t hScrollDrag = 0;
    std::int32_t vScrollDrag = 0;
    std::int32_t pointerX = -1;
    std::int32_t pointerY = -1;
    std::int32_t mouseX = 0;
    std::int32_t mouseY = 0;
    std::int32_t cursorLineX = -1; // the playback cursor over the grid image; -1: none
    std::string readoutText;       // what the label left of the grid shows
};

struct ToneEvent {
    std::int32_t frequency = 0;
    std::int32_t isRest = 0;
    std::int32_t duration = 0;

    friend bool operator==(const ToneEvent&, const ToneEvent&) = default;
};

using ToneList = std::vector<ToneEvent>;

// Fields shared with worker threads are atomics; everything else is UI-thread only.
struct Playback {
    ToneList toneList;
    ThreadHandle playbackThread;
    ThreadHandle previewThread;
    std::atomic<std::int32_t> stopRequested{0};
    std::atomic<std::int32_t> repeatOn{0};
    std::atomic<std::int32_t> previewFrequency{0};
    std::atomic<std::int32_t> previewDuration{0};
    // UI thread only: the toolbar shows a playback ("sing" off, "shut up" on). The UI thread
    // switches it back once it sees the worker has ended; the worker never touches the toolbar.
    bool isPlayingShown = false;
    // Where the playback cursor is: before each event the worker publishes its offset in the
    // pass and its start on the beeper's clock; cursorVersion is odd while it writes them.
    std::atomic<std::uint32_t> cursorVersion{0};
    std::atomic<std::int32_t> cursorEventOffsetMs{0};
    std::atomic<std::int64_t> cursorEventStartUs{-1};
    // UI thread only: the columns the running playback plays, and whether the view follows it
    // (until the user scrolls or pans). It follows only when the user asked for it with the
    // toolbar toggle "follow playback".
    std::int32_t playedFirstColumn = 0;
    std::int32_t playedColumnCount = 0;
    std::int32_t playedColumnMs = 0;
    bool followPlayback = false;
    bool isFollowing = false;
};

// Shell-owned state of the event loop and the commands.
struct Shell {
    std::int32_t quitRequested = 0;
    // The system asked the program to end: no question and no closing sweep.
    std::int32_t endRequested = 0;
    std::int32_t pasteMode = 0;
    std::int32_t popupRequested = 0;
    std::int32_t popupColumn = 0;
    std::string fileName;
    std::string loadPath;
    std::vector<std::string> codeLines;
    // The tones the code window's text was made from, so that another format can show them.
    ToneList codeTones;
    // The name of the dialect the code window writes, as the user last chose it.
    std::string codeFormat;
    // The name of the undo step that the events of this pass or stroke make, if they change
    // the melody.
    std::string stepName;
};

struct EditorState {
    Melody melody;
    Selection selection;
    Stroke stroke;
    Clipboard clipboard;
    Pitch pitch;
    View view;
    Playback playback;
    Shell shell;
    History history;
};

} // namespace vemo
