#pragma once

#include "app/Startup.h"
#include "tests/support/FakePlatform.h"

#include <string>
#include <vector>

namespace vemo::test {

// A program context whose folders are only strings: no real directory changes.
struct FakeProcess {
    std::string workingDirectory = "/home/user/melodies";
    std::vector<std::string> directoryChanges;

    ProgramContext context(std::vector<std::string> arguments = {},
                           std::string executableFolder = "/opt/vemo/",
                           bool isDevelopmentRun = false) {
        ProgramContext result;
        result.arguments = std::move(arguments);
        result.executableFolder = std::move(executableFolder);
        result.isDevelopmentRun = isDevelopmentRun;
        result.workingDirectory = [this] { return workingDirectory; };
        result.setWorkingDirectory = [this](const std::string& folder) {
            directoryChanges.push_back(folder);
            workingDirectory = folder;
            return true;
        };
        return result;
    }
};

// The editor after a complete start-up on the fake platform, on a screen of the given ratio.
struct StartedEditor {
    explicit StartedEditor(double devicePixelRatio = 1.0) {
        fake.ui.devicePixelRatioValue = devicePixelRatio;
        fake.ui.addAllDataFiles();
        ProgramContext context = process.context();
        started = startUp(state, resources, fake.platform, context);
        openMainWindow(editor);
        fake.ui.boxes.clear();
    }
    // Worker threads read the state: they end before it goes.
    ~StartedEditor() {
        fake.beeper.abort();
        fake.runtime.joinAll();
    }
    StartedEditor(const StartedEditor&) = delete;
    StartedEditor& operator=(const StartedEditor&) = delete;
    FakePlatform fake;
    FakeProcess process;
    EditorState state;
    Resources resources;
    bool started = false;
    ViewImages images;
    EditorContext editor{state, resources.bitmaps, images, fake.platform};
};

} // namespace vemo::test
