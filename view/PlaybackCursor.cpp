#include "view/PlaybackCursor.h"

#include "platform/Ids.h"
#include "sound/Playback.h"
#include "view/Colours.h"
#include "view/EditCursor.h"
#include "view/GridPass.h"
#include "view/HitTest.h"
#include "view/KeyQueries.h"
#include "view/Redraw.h"

#include <algorithm>
#include <cmath>

namespace vemo {

namespace {

constexpr double FollowAtShareOfWidth = 0.25;

// A jump of the view under a held button would move the pointer over other cells: a drag would
// paint into the new place and tie its notes across the jump.
bool isHandOnTheGrid(EditorContext& editor) {
    Ui& ui = editor.platform.ui;
    return editor.state.stroke.strokeFirst >= 0 || isDownNow(ui, Key::LeftButton) ||
           isDownNow(ui, Key::RightButton) || isDownNow(ui, Key::MiddleButton);
}

} // namespace

std::int32_t columnToPlayFrom(const EditorState& state) {
    const Melody& melody = state.melody;
    const View& view = state.view;
    const std::int32_t scrollX = gridScrollOffsets(melody, view).scrollX;
    const std::int32_t contentX = isPointerOnGrid(view) ? pointerOnGrid(view).x + scrollX : scrollX;
    return columnAtContentX(melody, contentX);
}

void showPlaybackCursor(EditorContext& editor) {
    EditorState& state = editor.state;
    View& view = state.view;
    std::int32_t lineX = -1;
    if (const std::optional<double> heard = heardColumn(state.playback, editor.platform.beeper)) {
        const Melody& melody = state.melody;
        const auto column =
            std::clamp(static_cast<std::int32_t>(std::floor(*heard)), 0, melody.lastColumn);
        const double contentX =
            melody.grid.at(column, 0).x + (*heard - column) * melody.columnWidth;
        // The line is placed in image pixels, between the zoomed pixels of the melody.
        const std::int32_t width = view.mainArea.imageWidth;
        const auto imageX = [&] {
            return (contentX - gridScrollOffsets(melody, view).scrollX) * view.zoom;
        };
        double viewX = imageX();
        const double range = horizontalScrollRange(melody, view);
        if (state.playback.isFollowing && (viewX < 0 || viewX >= width) && range > 0 &&
            !isHandOnTheGrid(editor)) {
            const double followAt = FollowAtShareOfWidth * width / view.zoom;
            view.horizontalScroll = std::clamp((contentX - followAt) / range, 0.0, 1.0);
            redraw(editor, RedrawVer + RedrawMain);
            viewX = imageX();
        }
        if (viewX >= 0 && viewX < width) lineX = static_cast<std::int32_t>(viewX);
    }
    if (lineX == view.cursorLineX) return;
    view.cursorLineX = lineX;
    editor.platform.ui.showCursorLine(ControlId::MainImage, lineX, colours::PlaybackCursor);
}

} // namespace vemo
