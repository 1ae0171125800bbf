#include "tests/support/FakePlatform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace vemo::test {

bool FakeUi::failing(const std::string& what) const {
    return std::find(failCreations.begin(), failCreations.end(), what) != failCreations.end();
}

FakeButton* FakeUi::button(CommandId commandId) {
    for (auto& b : buttons)
        if (b.commandId == commandId) return &b;
    return nullptr;
}

bool FakeUi::buttonEnabled(CommandId commandId) {
    std::lock_guard lock(buttonsMutex_);
    FakeButton* b = button(commandId);
    return b != nullptr && b->enabled;
}

void FakeUi::addAllDataFiles(std::int32_t cellWidth, std::int32_t cellHeight) {
    imageFiles["Data/img01.bmp"] = Image(cellWidth, cellHeight, rgb(0x10, 0x20, 0x80));
    imageFiles["Data/img02.bmp"] = Image(cellWidth, cellHeight, rgb(0xF0, 0xF0, 0x10));
    imageFiles["Data/img02_L.bmp"] = Image(cellWidth + 4, cellHeight, rgb(0xF0, 0x80, 0x10));
    imageFiles["Data/img02_LR.bmp"] = Image(cellWidth + 4, cellHeight, rgb(0xF0, 0x10, 0x10));
    imageFiles["Data/img02_R.bmp"] = Image(cellWidth, cellHeight, rgb(0x10, 0xF0, 0x10));
    for (const char* icon : {"new", "space", "sing", "shut", "loop", "code", "load", "save", "copy",
                             "paste", "selec", "undo", "redo", "export", "follow", "vemo"})
        imageFiles[std::string("Data/") + icon + ".ico"] = Image(16, 16, rgb(0x80, 0x80, 0x80));
}

bool FakeUi::createWindow(WindowId windowId, WindowStyle style, const std::string& title,
                          Rect placement) {
    if (failing("window:" + std::to_string(idNumber(windowId)))) return false;
    windows[windowId] = {style, title, placement.x, placement.y, placement.width, placement.height,
                         false};
    windowOrder.push_back(windowId);
    return true;
}

void FakeUi::setWindowTitle(WindowId windowId, const std::string& title) {
    windows[windowId].title = title;
}

std::string FakeUi::windowTitle(WindowId windowId) {
    return windows[windowId].title;
}

void FakeUi::placeWindow(WindowId windowId, std::int32_t x, std::int32_t y,
                         std::int32_t clientWidth, std::int32_t clientHeight) {
    FakeWindow& w = windows[windowId];
    w.x = x;
    w.y = y;
    w.width = clientWidth;
    w.height = clientHeight;
    placements.push_back(std::to_string(idNumber(windowId)) + " " + std::to_string(x) + " " +
                         std::to_string(y) + " " + std::to_string(clientWidth) + " " +
                         std::to_string(clientHeight));
}

void FakeUi::setClientSize(WindowId windowId, std::int32_t clientWidth, std::int32_t clientHeight) {
    windows[windowId].width = clientWidth;
    windows[windowId].height = clientHeight;
}

void FakeUi::setMinimumClientSize(WindowId windowId, std::int32_t clientWidth,
                                  std::int32_t clientHeight) {
    windows[windowId].minimumWidth = clientWidth;
    windows[windowId].minimumHeight = clientHeight;
}

Size FakeUi::clientSize(WindowId windowId) {
    return {windows[windowId].width, windows[windowId].height};
}

Point FakeUi::windowPosition(WindowId windowId) {
    return {windows[windowId].x, windows[windowId].y};
}

void FakeUi::showWindow(WindowId windowId, bool) {
    windows[windowId].visible = true;
}
void FakeUi::hideWindow(WindowId windowId) {
    windows[windowId].visible = false;
}
bool FakeUi::isWindowVisible(WindowId windowId) {
    auto it = windows.find(windowId);
    return it != windows.end() && it->second.visible;
}
void FakeUi::setProgramIcon(const Image&) {
    programIconSet = true;
}

bool FakeUi::createToolbar(std::int32_t) {
    return !failing("toolbar");
}

void FakeUi::addToolbarButton(CommandId commandId, const Image& icon, bool isToggle,
                              const std::string& tooltip) {
    std::lock_guard lock(buttonsMutex_);
    buttons.push_back({commandId, isToggle, true, false, tooltip, icon});
}

std::int32_t FakeUi::toolbarHeight() {
    return toolbarHeightValue;
}

void FakeUi::setButtonEnabled(CommandId commandId, bool enabled) {
    std::lock_guard lock(buttonsMutex_);
    if (FakeButton* b = button(commandId)) b->enabled = enabled;
}

bool FakeUi::isButtonEnabled(CommandId commandId) {
    return buttonEnabled(commandId);
}

bool FakeUi::isButtonPressed(CommandId commandId) {
    std::lock_guard lock(buttonsMutex_);
    FakeButton* b = button(commandId);
    return b != nullptr && b->pressed;
}

void FakeUi::setButtonTooltip(CommandId commandId, const std::string& tooltip) {
    if (FakeButton* found = button(commandId)) found->tooltip = tooltip;
}

void FakeUi::setButtonPressed(CommandId commandId, bool pressed) {
    std::lock_guard lock(buttonsMutex_);
    if (FakeButton* b = button(commandId)) b->pressed = pressed;
}

bool FakeUi::prepareControls(WindowId windowId) {
    return windows.count(windowId) != 0 &&
           !failing("controls:" + std::to_string(idNumber(windowId)));
}

void FakeUi::createImageControl(WindowId windowId, ControlId controlId, Rect rect) {
    controls[controlId] = {windowId, ControlKind::Image, rect, 0, 0, 0, {}};
    controlOrder.push_back(controlId);
}

void FakeUi::createSpin(WindowId windowId, ControlId controlId, Rect rect, std::int32_t minimum,
                        std::int32_t maximum) {
    controls[controlId] = {windowId, ControlKind::Spin, rect, minimum, maximum, minimum, {}};
    controlOrder.push_back(controlId);
}

void FakeUi::createLabel(WindowId windowId, ControlId controlId, Rect rect,
                         const std::string& text) {
    controls[controlId] = {windowId, ControlKind::Label, rect, 0, 0, 0, text};
    controlOrder.push_back(controlId);
}

void FakeUi::createButton(WindowId windowId, ControlId controlId, Rect rect,
                          const std::string& text) {
    controls[controlId] = {windowId, ControlKind::Button, rect, 0, 0, 0, text};
    controlOrder.push_back(controlId);
}

void FakeUi::createTextEditor(WindowId windowId, ControlId controlId, Rect rect) {
    controls[controlId] = {windowId, ControlKind::Editor, rect, 0, 0, 0, {}};
    controlOrder.push_back(controlId);
}

void FakeUi::moveControl(ControlId controlId, Rect rect) {
    controls[controlId].rect = rect;
}
Rect FakeUi::controlRect(ControlId controlId) {
    return controls[controlId].rect;
}

void FakeUi::showImage(ControlId controlId, const Image& image) {
    shownImages[controlId] = image;
    ++showImageCount[controlId];
}

void FakeUi::showCursorLine(ControlId controlId, std::int32_t x, std::uint32_t) {
    cursorLineX[controlId] = x;
}

std::int32_t FakeUi::spinValue(ControlId controlId) {
    return controls[controlId].value;
}

void FakeUi::setSpinValue(ControlId controlId, std::int32_t value) {
    FakeControl& c = controls[controlId];
    c.value = std::clamp(value, c.minimum, std::max(c.minimum, c.maximum));
}

std::string FakeUi::editorText(ControlId controlId) {
    return controls[controlId].text;
}
void FakeUi::clearEditor(ControlId controlId) {
    controls[controlId].text.clear();
}
void FakeUi::appendEditorText(ControlId controlId, const std::string& text) {
    controls[controlId].text += text;
}
void FakeUi::setControlText(ControlId controlId, const std::string& text) {
    controls[controlId].text = text;
}

void FakeUi::focusControl(ControlId controlId) {
    focusedControl = controlId;
}

bool FakeUi::createPopupMenu(MenuId menuId, const std::vector<MenuEntry>& entries) {
    if (failing("menu:" + std::to_string(idNumber(menuId)))) return false;
    menus[menuId] = entries;
    return true;
}

void FakeUi::showPopupMenu(MenuId menuId) {
    shownMenus.push_back(menuId);
    if (menuChoices.empty()) return;
    events.push_front(commandEvent(WindowId::Main, menuChoices.front()));
    menuChoices.pop_front();
}

std::int32_t FakeUi::chooseFromMenu(const std::vector<std::string>& entries, std::int32_t checked) {
    chooseMenus.push_back({entries, checked});
    if (chooseAnswers.empty()) return -1;
    const std::int32_t answer = chooseAnswers.front();
    chooseAnswers.pop_front();
    return answer;
}

void FakeUi::addShortcut(ShortcutKey key, std::int32_t modifiers, CommandId commandId) {
    shortcuts.push_back({key, modifiers, commandId});
}

bool FakeUi::messageBox(const std::string& title, const std::string& text, bool yesNo) {
    boxes.push_back({title, text, yesNo});
    if (boxAnswers.empty()) return true;
    const bool answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
}

std::int32_t FakeUi::askChoice(const std::string& title, const std::string& text,
                              const std::vector<std::string>& labels) {
    boxes.push_back({title, text, false});
    choiceButtons.push_back(labels);
    if (choiceAnswers.empty()) return static_cast<std::int32_t>(labels.size()) - 1;
    const std::int32_t answer = choiceAnswers.front();
    choiceAnswers.pop_front();
    return answer;
}

namespace {
std::string nextAnswer(std::deque<std::string>& answers) {
    if (answers.empty()) return {};
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
}
} // namespace

FileChoice FakeUi::fileDialog(const FileDialog& dialog) {
    DialogCall call{dialog.title, dialog.startPath, dialog.filter, dialog.filterIndex,
                    dialog.recentFolder};
    if (!dialog.isSave) {
        openDialogs.push_back(call);
        return {nextAnswer(openAnswers), 0};
    }
    saveDialogs.push_back(call);
    FileChoice choice{nextAnswer(saveAnswers), dialog.filterIndex};
    if (!saveFilterAnswers.empty()) {
        choice.filterIndex = saveFilterAnswers.front();
        saveFilterAnswers.pop_front();
    }
    return choice;
}

FormAnswer FakeUi::showForm(const Form& form, const FormNote& note) {
    forms.push_back(form);
    FormAnswer answer{false, form.listChosen, {}};
    for (const FormChoice& choice : form.choices)
        answer.chosen.push_back(choice.chosen);
    formNotes.push_back(note(answer));
    if (formAnswers.empty()) return answer;
    answer = formAnswers.front();
    formAnswers.pop_front();
    formNotes.push_back(note({false, answer.listChosen, answer.chosen}));
    return answer;
}

void FakeUi::setClipboardText(const std::string& text) {
    clipboard = text;
}

bool FakeUi::openWithShell(const std::string& path) {
    shellOpened.push_back(path);
    if (shellAnswers.empty()) return true;
    const bool answer = shellAnswers.front();
    shellAnswers.pop_front();
    return answer;
}

Point FakeUi::pointer() {
    ++pointerReads;
    return pointerAt;
}

std::int32_t FakeUi::keyState(std::int32_t key) {
    auto scripted = keyAnswers.find(key);
    if (scripted != keyAnswers.end() && !scripted->second.empty()) {
        const std::int32_t answer = scripted->second.front();
        scripted->second.pop_front();
        return answer;
    }
    auto held = keys.find(key);
    return held == keys.end() ? 0 : held->second;
}

Event FakeUi::waitEvent(std::int32_t timeoutMs) {
    waitTimeouts.push_back(timeoutMs);
    for (auto* queue : {&pendingEvents, &events}) {
        if (queue->empty()) continue;
        Event event = queue->front();
        queue->pop_front();
        idleWaits_ = 0;
        return event;
    }
    // A scenario that never lets the program end would hang the test run.
    if (++idleWaits_ > 100000) {
        std::fprintf(stderr, "FakeUi: the program waited for events that never come\n");
        std::abort();
    }
    return {};
}

void FakeUi::drainEvents() {
    ++drainCount;
    pendingEvents.clear();
}

bool FakeUi::loadImage(const std::string& path, Image& image) {
    auto it = imageFiles.find(path);
    if (it == imageFiles.end()) return false;
    image = it->second;
    return true;
}

void RecordingBeeper::record(Call call, const StopFlag* stop) {
    const auto isStopped = [stop] { return stop != nullptr && stop->load() != 0; };
    std::unique_lock lock(mutex_);
    // Like the real beepers: a stopped caller starts nothing.
    if (isStopped()) return;
    calls_.push_back(call);
    changed_.notify_all();
    // Nobody signals a stop flag: a held call looks at it now and then.
    while (!changed_.wait_for(lock, std::chrono::milliseconds(1),
                              [&] { return !held_ || aborted_ || isStopped(); })) {
    }
}

void RecordingBeeper::beep(std::int32_t frequencyHz, std::int32_t durationMs,
                           const StopFlag* stop) {
    record({frequencyHz, durationMs, false}, stop);
}

void RecordingBeeper::rest(std::int32_t durationMs, const StopFlag* stop) {
    record({0, durationMs, true}, stop);
}

void RecordingBeeper::abort() {
    std::lock_guard lock(mutex_);
    aborted_ = true;
    changed_.notify_all();
}

std::vector<RecordingBeeper::Call> RecordingBeeper::calls() {
    std::lock_guard lock(mutex_);
    return calls_;
}

void RecordingBeeper::hold() {
    std::lock_guard lock(mutex_);
    held_ = true;
}

void RecordingBeeper::release() {
    std::lock_guard lock(mutex_);
    held_ = false;
    changed_.notify_all();
}

bool RecordingBeeper::waitForCalls(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10),
                             [&] { return calls_.size() >= count; });
}

FakeRuntime::~FakeRuntime() {
    joinAll();
}

ThreadHandle FakeRuntime::startThread(std::function<void()> body) {
    if (failThreadStart) return ThreadHandle();
    ++threadsStarted;
    auto running = std::make_shared<std::atomic<bool>>(true);
    liveThreads_->fetch_add(1);
    threads_.emplace_back([running, live = liveThreads_, gate = gate_, body = std::move(body)] {
        {
            std::unique_lock lock(gate->mutex);
            gate->opened.wait(lock, [&] { return !gate->held; });
        }
        body();
        running->store(false, std::memory_order_release);
        live->fetch_sub(1);
    });
    return ThreadHandle(running);
}

void FakeRuntime::holdThreadStarts() {
    std::lock_guard lock(gate_->mutex);
    gate_->held = true;
}

void FakeRuntime::releaseThreadStarts() {
    {
        std::lock_guard lock(gate_->mutex);
        gate_->held = false;
    }
    gate_->opened.notify_all();
}

void FakeRuntime::sleepMs(std::int32_t milliseconds) {
    sleeps.push_back(milliseconds);
    nowMs_ += milliseconds;
    if (onSleep) onSleep();
    // The clock is virtual, but a program that polls a real worker thread must give it real time
    // to get on: a bare yield can return before a busy machine has run the worker at all.
    if (liveThreads_->load() > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    else
        std::this_thread::yield();
}

std::int64_t FakeRuntime::nowMs() {
    return nowMs_;
}

void FakeRuntime::joinAll() {
    releaseThreadStarts();
    for (auto& t : threads_)
        if (t.joinable()) t.join();
    threads_.clear();
}

} // namespace vemo::test
