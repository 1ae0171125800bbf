#pragma once

#include "model/EditorState.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/MelodyFixture.h"
#include "view/CellBitmaps.h"
#include "view/EditorContext.h"
#include "view/GridPass.h"

namespace vemo::test {

// Each test bitmap has its own body colour and a first pixel column of its own edge colour,
// so a test can tell which bitmap was drawn and exactly where it starts.
struct BitmapColours {
    Pixel body;
    Pixel edge;
};

constexpr BitmapColours EmptyColours{rgb(0x10, 0x20, 0x80), rgb(0x11, 0x21, 0x81)};
constexpr BitmapColours NoteColours{rgb(0xF0, 0xF0, 0x10), rgb(0xF1, 0xF1, 0x11)};
constexpr BitmapColours HeldLeftColours{rgb(0xF0, 0x80, 0x10), rgb(0xF1, 0x81, 0x11)};
constexpr BitmapColours HeldBothColours{rgb(0xF0, 0x10, 0x10), rgb(0xF1, 0x11, 0x11)};
constexpr BitmapColours HeldRightColours{rgb(0x10, 0xF0, 0x10), rgb(0x11, 0xF1, 0x11)};

inline Image markedBitmap(std::int32_t width, std::int32_t height, BitmapColours colours) {
    Image image(width, height, colours.body);
    image.fillRect(0, 0, 1, height, colours.edge);
    return image;
}

// Bitmaps one pixel smaller than the cell spacing, the held-from-left ones 4 pixels wider.
inline CellBitmaps makeBitmaps(std::int32_t columnWidth = 12, std::int32_t rowHeight = 8) {
    const std::int32_t w = columnWidth - 1;
    const std::int32_t h = rowHeight - 1;
    return {markedBitmap(w, h, EmptyColours), markedBitmap(w, h, NoteColours),
            markedBitmap(w + 4, h, HeldLeftColours), markedBitmap(w + 4, h, HeldBothColours),
            markedBitmap(w, h, HeldRightColours)};
}

// Sets the size in screen pixels of the image an area shows.
inline void setImageSize(ImageArea& area, std::int32_t width, std::int32_t height) {
    area.imageWidth = width;
    area.imageHeight = height;
}

// A fresh melody of columnCount columns with the given cell spacing, its selection edges set,
// and images of the given sizes asked for by the three areas.
inline void prepareState(EditorState& state, std::int32_t columnCount, std::int32_t gridWidth,
                         std::int32_t gridHeight, std::int32_t columnWidth = 12,
                         std::int32_t rowHeight = 8) {
    resetMelody(state.melody, columnCount);
    state.melody.columnWidth = columnWidth;
    state.melody.rowHeight = rowHeight;
    computeGeometry(state.melody);
    state.selection.selectionFirst = 0;
    state.selection.selectionLast = state.melody.lastColumn;
    updateSelectionEdges(state.melody, state.selection);
    state.view.horizontalScroll = 0.0;
    state.view.verticalScroll = 0.0;
    setImageSize(state.view.mainArea, gridWidth, gridHeight);
    setImageSize(state.view.verArea, gridWidth, 12);
    setImageSize(state.view.horArea, 12, gridHeight);
}

// The grid as a pass paints it into an image of the grid area's size.
inline Image paintedGrid(const EditorState& state, const CellBitmaps& bitmaps) {
    Image image(state.view.mainArea.imageWidth, state.view.mainArea.imageHeight);
    paintGrid(state, bitmaps, image);
    return image;
}

// A state with its bitmaps, the view's images and a fake platform, tied together as the
// editor's operations take them.
struct ViewHarness {
    EditorState state;
    CellBitmaps bitmaps = makeBitmaps();
    ViewImages images;
    FakePlatform fake;
    EditorContext editor{state, bitmaps, images, fake.platform};
};

// The fraction that puts the view at scrollPx on a scroll range of rangePx.
inline double fractionFor(std::int32_t scrollPx, std::int32_t rangePx) {
    return static_cast<double>(scrollPx) / rangePx;
}

} // namespace vemo::test
