#include "view/PointerReadout.h"

#include "model/NoteNames.h"
#include "platform/Ids.h"
#include "sound/ToneList.h"
#include "view/GridPass.h"
#include "view/HitTest.h"
#include "view/PlaybackCursor.h"

#include <array>
#include <cstdio>

namespace vemo {

namespace {

// The row whose cells span the point, or -1 in a gap between octaves or past the grid.
std::int32_t rowAt(const Melody& melody, std::int32_t contentY) {
    for (std::int32_t r = 0; r <= melody.lastRow; ++r) {
        const std::int32_t top = melody.grid.at(0, r).y;
        if (contentY < top) return -1;
        if (contentY < top + melody.rowHeight) return r;
    }
    return -1;
}

} // namespace

std::string pointerReadout(const EditorState& state) {
    const View& view = state.view;
    if (!isPointerOnGrid(view) || state.melody.grid.columnCount() == 0) return {};
    const Melody& melody = state.melody;
    const std::int32_t column = columnToPlayFrom(state);
    const ScrollOffsets offsets = gridScrollOffsets(melody, view);
    const std::int32_t row = rowAt(melody, pointerOnGrid(view).y + offsets.scrollY);
    char time[32];
    std::snprintf(time, sizeof time, "%.2f s",
                  static_cast<double>(column) * melody.columnDuration / 1000.0);
    const std::string place = "col " + std::to_string(column) + "\r\n" + time;
    if (row < 0) return place;
    return rowNoteName(melody, row) + "\r\n" +
           std::to_string(rowFrequency(melody, state.pitch, row)) + " Hz\r\n" + place;
}

void showPointerReadout(EditorContext& editor) {
    std::string text = pointerReadout(editor.state);
    if (text == editor.images.readoutText) return;
    editor.platform.ui.setControlText(ControlId::PointerReadout, text);
    editor.images.readoutText = std::move(text);
}

} // namespace vemo
