#pragma once

#include "app/EventLoop.h"
#include "model/Clipboard.h"
#include "model/Columns.h"
#include "model/Geometry.h"
#include "platform/Ids.h"
#include "tests/support/AppFixture.h"
#include "tests/support/MelodyFixture.h"
#include "view/GridPass.h"

#include <gtest/gtest.h>

namespace vemo::test {

// A started editor driven one pass of the main loop at a time.
class EventLoopFixture : public ::testing::Test {
  protected:
    explicit EventLoopFixture(double devicePixelRatio = 1.0) : app(devicePixelRatio) {}
    void SetUp() override { ASSERT_TRUE(app.started); }

    void pass() { eventStep(app.editor); }
    void deliver(Event event) {
        ui.events.push_back(event);
        pass();
    }
    void command(CommandId commandId) { deliver(commandEvent(WindowId::Main, commandId)); }
    void control(WindowId windowId, ControlId controlId, std::int32_t type = LeftClick) {
        deliver(controlEvent(windowId, controlId, type));
    }
    void close(WindowId windowId) { deliver(Event{EventKind::Close, windowId}); }
    void resized(WindowId windowId) { deliver(Event{EventKind::Size, windowId}); }

    // The selection as a Shift edit or a file would leave it, toolbar toggle included.
    void selectColumns(std::int32_t first, std::int32_t last, bool inUse) {
        state.selection.selectionFirst = first;
        state.selection.selectionLast = last;
        updateSelectionEdges(state.melody, state.selection);
        state.selection.selectionActive = inUse ? 1 : 0;
        ui.setButtonPressed(CommandId::ToggleSelection, inUse);
    }

    // The pointer a few pixels into the cell, where the platform reports it.
    void pointAtCell(std::int32_t column, std::int32_t row) {
        const ScrollOffsets offsets = gridScrollOffsets(state.melody, state.view);
        const Cell& cell = state.melody.grid.at(column, row);
        ui.pointerAt = {state.view.mainArea.x + cell.x - offsets.scrollX + 3,
                        state.view.mainArea.y + cell.y - offsets.scrollY + 3};
    }

    Point insideGrid() const {
        const ImageArea& grid = state.view.mainArea;
        return {grid.x + grid.width / 3, grid.y + grid.height / 3};
    }

    bool hasNote(std::int32_t column, std::int32_t row) const {
        return state.melody.grid.at(column, row).hasNote != 0;
    }

    std::int32_t noteCount() const {
        std::int32_t count = 0;
        for (const Cell& cell : state.melody.grid.cells())
            count += cell.hasNote != 0 ? 1 : 0;
        return count;
    }

    StartedEditor app;
    FakeUi& ui = app.fake.ui;
    EditorState& state = app.state;
};

} // namespace vemo::test
