#include "view/EditCursor.h"

#include "platform/Ids.h"
#include "view/Colours.h"
#include "view/GridPass.h"
#include "view/Redraw.h"

#include <algorithm>

namespace vemo {

std::int32_t columnAtContentX(const Melody& melody, std::int32_t contentX) {
    // The first column whose right edge lies past the point.
    std::int32_t first = 0;
    std::int32_t count = melody.lastColumn + 1;
    while (count > 0) {
        const std::int32_t half = count / 2;
        if (melody.grid.at(first + half, 0).x + melody.columnWidth <= contentX) {
            first += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    return std::min(first, melody.lastColumn);
}

std::int32_t firstVisibleColumn(const EditorState& state) {
    return columnAtContentX(state.melody, gridScrollOffsets(state.melody, state.view).scrollX);
}

std::int32_t columnsPerScreen(const EditorState& state) {
    const std::int32_t scrollX = gridScrollOffsets(state.melody, state.view).scrollX;
    const std::int32_t last = columnAtContentX(state.melody, scrollX + viewWidth(state.view));
    return std::max(1, last - firstVisibleColumn(state));
}

void keepEditCursorInView(EditorContext& editor) {
    const Melody& melody = editor.state.melody;
    View& view = editor.state.view;
    const double range = horizontalScrollRange(melody, view);
    if (range <= 0) return;
    const std::int32_t column = std::min(editor.state.entry.cursorColumn, melody.lastColumn);
    const std::int32_t left = melody.grid.at(column, 0).x;
    const std::int32_t right = left + melody.columnWidth;
    const std::int32_t scrollX = gridScrollOffsets(melody, view).scrollX;
    const std::int32_t width = viewWidth(view);
    double wanted = scrollX;
    if (left < scrollX)
        wanted = left;
    else if (right > scrollX + width)
        wanted = right - width;
    else
        return;
    view.horizontalScroll = std::clamp(wanted / range, 0.0, 1.0);
    redraw(editor, RedrawVer + RedrawMain + RedrawWithoutPause);
}

namespace {

void showEntryReadout(EditorContext& editor) {
    std::string text = entryReadout(editor.state.entry);
    if (text == editor.images.entryText) return;
    editor.platform.ui.setControlText(ControlId::EntryReadout, text);
    editor.images.entryText = std::move(text);
}

} // namespace

void showEditCursor(EditorContext& editor) {
    showEntryReadout(editor);
    EditorState& state = editor.state;
    View& view = state.view;
    Melody& melody = state.melody;
    // A new, loaded or narrowed melody may end before the cursor.
    state.entry.cursorColumn = std::clamp(state.entry.cursorColumn, 0, melody.lastColumn);
    std::int32_t markX = -1;
    std::int32_t markWidth = melody.columnWidth * view.zoom;
    if (state.entry.isOn) {
        const std::int32_t scrollX = gridScrollOffsets(melody, view).scrollX;
        const std::int32_t x =
            (melody.grid.at(state.entry.cursorColumn, 0).x - scrollX) * view.zoom;
        if (x >= 0 && x < view.mainArea.imageWidth) markX = x;
    }
    if (markX == view.editMarkX && markWidth == view.editMarkWidth) return;
    view.editMarkX = markX;
    view.editMarkWidth = markWidth;
    editor.platform.ui.showColumnMark(ControlId::MainImage, markX, markWidth, colours::EditCursor);
}

std::string entryReadout(const KeyEntry& entry) {
    if (!entry.isOn) return {};
    return "entry:\r\noctave " + std::to_string(entry.octave) + "\r\nstep " +
           std::to_string(entry.step);
}

} // namespace vemo
