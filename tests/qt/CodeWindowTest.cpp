#include "tests/qt/QtTestSupport.h"
#include "tests/qt/RealEditor.h"

#include "app/CodeWindow.h"
#include "app/EventLoop.h"
#include "app/Startup.h"
#include "convert/CodeDialects.h"
#include "platform/Beeper.h"
#include "platform/Threads.h"
#include "sound/ToneList.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/TempFolder.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vemo {
namespace {

// The settings of one test in a folder of its own, like a user's configuration folder.
class OwnSettingsFolder {
  public:
    OwnSettingsFolder() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(folder.path().string()));
    }
    ~OwnSettingsFolder() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    std::string fileText() const {
        std::ifstream in(folder.file("vemo/vemo.conf"));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    test::TempFolder folder;
};

// One run of the editor on real widgets, from its start-up, with a tied note, a rest and a note.
struct EditorRun : testing_qt::RealEditor {
    EditorRun() {
        started = startEditor();
        test::setNote(state.melody, 0, 50, false, true);
        test::setNote(state.melody, 1, 50, true, false);
        test::setNote(state.melody, 3, 57);
    }
    QString text() { return control<QPlainTextEdit>(ControlId::CodeEditor)->toPlainText(); }
    QString expectedText(CodeDialect dialect) {
        const ToneList tones = buildToneList(state.melody, state.pitch, {0, 3});
        QStringList lines;
        for (const std::string& line : codeLinesFor(dialect, tones))
            lines << QString::fromStdString(line);
        return lines.join(u'\n');
    }

    bool started = false;
};

TEST(CodeWindowOnRealWidgets, CopySpansTheTopAtEverySizeAndTabGoesFromItToTheEditor) {
    EditorRun run;
    ASSERT_TRUE(run.started);
    auto* copy = run.control<QPushButton>(ControlId::CodeCopy);
    auto* editor = run.control<QPlainTextEdit>(ControlId::CodeEditor);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(copy->geometry(), QRect(2, 2, 116, 20));
    EXPECT_EQ(editor->geometry(), QRect(2, 24, 116, 574));
    run.ui->showWindow(WindowId::Code, true);
    ASSERT_TRUE(QTest::qWaitForWindowActive(run.ui->windowWidget(WindowId::Code)));
    for (const QSize size : {QSize(300, 400), QSize(60, 80)}) {
        run.ui->setClientSize(WindowId::Code, size.width(), size.height());
        for (int pass = 0; pass < 4; ++pass)
            eventStep(run.editor);
        EXPECT_EQ(copy->geometry(), QRect(2, 2, size.width() - 4, 20));
        EXPECT_EQ(editor->geometry(), QRect(2, 24, size.width() - 4, size.height() - 26));
    }
    copy->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return copy->hasFocus(); }));
    QTest::keyClick(copy, Qt::Key_Tab);
    EXPECT_TRUE(editor->hasFocus());
}

TEST(CodeWindowOnRealWidgets, ARightClickOnCopyChoosesTheDialectForThisRunAndTheNext) {
    const OwnSettingsFolder settings;
    {
        EditorRun run;
        ASSERT_TRUE(run.started);
        exportCode(run.state, run.platform);
        EXPECT_EQ(run.text(), run.expectedText(CodeDialect::Beep));
        QStringList entries;
        QString checked;
        testing_qt::whenModalOpens([&](QWidget* popup) {
            auto* menu = qobject_cast<QMenu*>(popup);
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions()) {
                entries << action->text();
                if (action->isChecked()) checked = action->text();
            }
            menu->setActiveAction(menu->actions()[3]);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        auto* copy = run.control<QPushButton>(ControlId::CodeCopy);
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5),
                                     copy->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(copy, &rightClick);
        for (int pass = 0; pass < 6; ++pass)
            eventStep(run.editor);
        EXPECT_EQ(entries.mid(0, 5),
                  QStringList({"beep", "arduino", "arduino-table", "linux-beep", "c-array"}));
        EXPECT_EQ(checked, QStringLiteral("beep"));
        EXPECT_EQ(run.text(), run.expectedText(CodeDialect::LinuxBeep));
        EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty() ||
                    QGuiApplication::clipboard()->text() != run.text())
            << "a right click does not copy";
    }
    EXPECT_NE(settings.fileText().find("codeFormat=linux-beep"), std::string::npos);
    {
        EditorRun next;
        ASSERT_TRUE(next.started);
        exportCode(next.state, next.platform);
        EXPECT_EQ(next.text(), next.expectedText(CodeDialect::LinuxBeep));
    }
}

} // namespace
} // namespace vemo
