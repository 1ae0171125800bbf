#pragma once

#include "app/Startup.h"
#include "platform/Beeper.h"
#include "platform/Threads.h"
#include "platform/qt/QtUi.h"

#include <QWidget>

#include <filesystem>
#include <memory>
#include <string>

namespace vemo::testing_qt {

// The editor's parts on real widgets with a silent beeper, started as the program starts, from
// the shipped Data files. Start-up moves into the program's folder; the end moves back.
struct RealEditor {
    RealEditor() = default;
    RealEditor(const RealEditor&) = delete;
    RealEditor& operator=(const RealEditor&) = delete;
    ~RealEditor() {
        // As the program ends: a preview a click started must not outlive the beeper.
        endProgram(state, platform, ExitNormal);
        ui.reset();
        std::filesystem::current_path(previousFolder);
    }

    bool startEditor() {
        context = systemProgramContext({}, std::string(VEMO_RUNTIME_DIR) + "/", false);
        return startUp(state, resources, platform, context);
    }
    template <typename Widget> Widget* control(ControlId id) {
        return qobject_cast<Widget*>(ui->controlWidget(id));
    }

    std::filesystem::path previousFolder = std::filesystem::current_path();
    std::unique_ptr<QtUi> ui = std::make_unique<QtUi>();
    std::unique_ptr<Beeper> beeper = makeSilentBeeper();
    SystemRuntime runtime;
    Platform platform{*ui, *beeper, runtime};
    ProgramContext context;
    EditorState state;
    Resources resources;
    ViewImages images;
    EditorContext editor{state, resources.bitmaps, images, platform};
};

} // namespace vemo::testing_qt
