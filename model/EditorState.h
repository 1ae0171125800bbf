#pragma once

#include "model/Clipboard.h"
#include "model/History.h"
#include "model/KeyEntry.h"
#include "model/Melody.h"
#include "model/PitchTable.h"
#include "model/StepKind.h"
#include "model/Stroke.h"
#include "model/Tones.h"
#include "platform/Threads.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace vemo {

// An image control's place on the main window, and the size in screen pixels of the off-screen
// image it shows (the view keeps the images themselves).
struct ImageArea {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t imageWidth = 0;
    std::int32_t imageHeight = 0;
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
    std::int32_t editMarkX = -1;   // the edit cursor's column over the grid image; -1: none
    std::int32_t editMarkWidth = 0;
};

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
    bool isEndRequested = false;
    std::int32_t pasteMode = 0;
    std::int32_t popupRequested = 0;
    std::int32_t popupColumn = 0;
    std::string fileName;
    std::string loadPath;
    // Grows with each save, load and new melody: the melody then equals a file or a fresh start.
    std::int32_t fileGeneration = 0;
    std::vector<std::string> codeLines;
    // The tones the code window's text was made from, the duration of one column and the column
    // they start at then, so that another format can show them.
    ToneList codeTones;
    std::int32_t codeColumnMs = 0;
    std::int32_t codeFirstColumn = 0;
    // The name of the dialect the code window writes, as the user last chose it.
    std::string codeFormat;
    // What the events since the last undo step made, kept by the recorder until it records.
    StepKind pendingStep = StepKind::None;
    // The note a typed note step names: "type G4".
    std::string typedNote;
};

// The editor's whole state: the melody and its selection, the editing records, the view's
// position, the playback and the shell, and the undo history. Composed of records so that each
// operation takes only those it works on.
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
    KeyEntry entry;
};

} // namespace vemo
