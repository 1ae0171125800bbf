#include "app/CommandTable.h"

#include "app/Startup.h"
#include "tests/support/AppFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vemo {
namespace {

// Each icon file its own colour, so a button shows which file it took.
Pixel colourOf(const std::string& file) {
    const auto bits = static_cast<std::uint32_t>(std::hash<std::string>{}(file));
    return rgb(bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
}

TEST(CommandTable, ButtonsMenusAndShortcutsAreCreatedInTheirOrderWithTheirIconsAndTexts) {
    struct Button {
        CommandId id;
        const char* icon;
        const char* tooltip;
        bool isToggle;
    };
    const std::vector<Button> toolbar = {
        {CommandId::New, "new.ico", "new", false},
        {CommandId::Spacer1, "space.ico", "", false},
        {CommandId::Load, "load.ico", "load", false},
        {CommandId::Save, "save.ico", "save", false},
        {CommandId::Spacer2, "space.ico", "", false},
        {CommandId::Sing, "sing.ico", "sing", false},
        {CommandId::ShutUp, "shut.ico", "shut up", false},
        {CommandId::ToggleRepeat, "loop.ico", "toggle repeat", true},
        {CommandId::GetCode, "code.ico", "get code", false},
        {CommandId::Spacer3, "space.ico", "", false},
        {CommandId::Copy, "copy.ico", "copy", false},
        {CommandId::Paste, "paste.ico", "paste", false},
        {CommandId::ToggleSelection, "selec.ico", "toggle selection usage", true},
        {CommandId::Undo, "undo.ico", "undo", false},
        {CommandId::Redo, "redo.ico", "redo", false},
        {CommandId::Export, "export.ico", "export", false},
        {CommandId::FollowPlayback, "follow.ico", "follow playback", true},
        {CommandId::KeyEntry, "keys.ico", "keyboard entry", true},
    };
    using Key = ShortcutKey;
    const std::int32_t Ctrl = Modifier::Control;
    const std::int32_t CtrlShift = Modifier::Control | Modifier::Shift;
    const std::vector<test::ShortcutCall> shortcuts = {
        {Key::F1, 0, CommandId::Help},
        {Key::F3, 0, CommandId::Load},
        {Key::F2, 0, CommandId::Save},
        {Key::Space, 0, CommandId::SpaceKey},
        {Key::R, 0, CommandId::RepeatKey},
        {Key::G, 0, CommandId::GetCode},
        {Key::C, Ctrl, CommandId::Copy},
        {Key::V, Ctrl, CommandId::Paste},
        {Key::Delete, 0, CommandId::DeleteKey},
        {Key::S, 0, CommandId::SelectionKey},
        {Key::Z, Ctrl, CommandId::Undo},
        {Key::Y, Ctrl, CommandId::Redo},
        {Key::Z, CtrlShift, CommandId::Redo},
        {Key::Space, Modifier::Shift, CommandId::PlayFromPointerKey},
        {Key::Up, Ctrl, CommandId::TransposeUp},
        {Key::Down, Ctrl, CommandId::TransposeDown},
        {Key::Up, CtrlShift, CommandId::OctaveUp},
        {Key::Down, CtrlShift, CommandId::OctaveDown},
        {Key::Plus, Ctrl, CommandId::ZoomIn},
        {Key::Plus, CtrlShift, CommandId::ZoomIn},
        {Key::Equal, Ctrl, CommandId::ZoomIn},
        {Key::Minus, Ctrl, CommandId::ZoomOut},
        {Key::F, Ctrl, CommandId::FollowKey},
        {Key::E, Ctrl, CommandId::KeyEntryKey},
    };

    test::FakePlatform fake;
    fake.ui.addAllDataFiles();
    fake.ui.imageFiles["Data/keys.ico"] = Image(16, 16); // optional: taken when present
    for (auto& [path, image] : fake.ui.imageFiles)
        if (path.ends_with(".ico")) image = Image(16, 16, colourOf(path.substr(5)));
    test::FakeProcess process;
    ProgramContext context = process.context();
    EditorState state;
    Resources resources;
    ASSERT_TRUE(startUp(state, resources, fake.platform, context));

    ASSERT_EQ(fake.ui.buttons.size(), toolbar.size());
    for (std::size_t place = 0; place < toolbar.size(); ++place) {
        const test::FakeButton& made = fake.ui.buttons[place];
        const Button& wanted = toolbar[place];
        EXPECT_EQ(made.commandId, wanted.id) << "place " << place;
        EXPECT_EQ(made.tooltip, wanted.tooltip) << wanted.id;
        EXPECT_EQ(made.isToggle, wanted.isToggle) << wanted.id;
        EXPECT_EQ(made.icon.pixel(0, 0), colourOf(wanted.icon)) << wanted.id;
    }
    ASSERT_EQ(fake.ui.shortcuts.size(), shortcuts.size());
    for (std::size_t place = 0; place < shortcuts.size(); ++place) {
        EXPECT_EQ(fake.ui.shortcuts[place].key, shortcuts[place].key) << "place " << place;
        EXPECT_EQ(fake.ui.shortcuts[place].modifiers, shortcuts[place].modifiers) << place;
        EXPECT_EQ(fake.ui.shortcuts[place].commandId, shortcuts[place].commandId) << place;
    }
    const std::vector<std::string> pasteMenu = {"cancel", "", "paste notes only",
                                                "paste layout only", "paste notes and layout"};
    std::vector<std::string> texts;
    for (const MenuEntry& entry : fake.ui.menus[MenuId::Paste])
        texts.push_back(entry.text);
    EXPECT_EQ(texts, pasteMenu);
    EXPECT_EQ(fake.ui.menus[MenuId::Column][2].commandId, CommandId::InsertColumn);
    EXPECT_EQ(fake.ui.menus[MenuId::Column][3].text, "delete column");
    // Every id the table knows has one row.
    for (const Command& command : commandTable())
        EXPECT_EQ(findCommand(command.id), &command) << command.id;
}

} // namespace
} // namespace vemo
