#include "tests/qt/QtTestSupport.h"
#include "tests/qt/RealEditor.h"

#include "app/EventLoop.h"
#include "app/Startup.h"
#include "platform/Beeper.h"
#include "platform/Threads.h"
#include "sound/CodeExport.h"
#include "sound/ToneList.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/TempFolder.h"

#include <QComboBox>
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

TEST(CodeFormatChooser, AChoiceRewritesTheCodeAndIsTheChoiceOfTheNextRun) {
    const OwnSettingsFolder settings;
    {
        EditorRun run;
        ASSERT_TRUE(run.started);
        auto* format = run.control<QComboBox>(ControlId::CodeFormat);
        ASSERT_NE(format, nullptr);
        QStringList entries;
        for (int i = 0; i < format->count(); ++i)
            entries << format->itemText(i);
        EXPECT_EQ(entries,
                  QStringList({"beep", "arduino", "arduino-table", "linux-beep", "c-array"}));
        EXPECT_EQ(format->currentText(), QStringLiteral("beep"));
        // "copy" keeps its corner and narrows; the editor below does not move.
        EXPECT_EQ(run.control<QPushButton>(ControlId::CodeCopy)->geometry(), QRect(2, 2, 40, 20));
        EXPECT_EQ(format->geometry(), QRect(44, 2, 74, 20));
        EXPECT_EQ(run.control<QPlainTextEdit>(ControlId::CodeEditor)->geometry(),
                  QRect(2, 24, 116, 574));

        exportCode(run.state, run.platform);
        EXPECT_EQ(run.text(), run.expectedText(CodeDialect::Beep));
        // Three steps down the list with the keyboard, each one a choice of its own.
        format->setFocus();
        for (int step = 0; step < 3; ++step)
            QTest::keyClick(format, Qt::Key_Down);
        ASSERT_EQ(format->currentText(), QStringLiteral("linux-beep"));
        for (int pass = 0; pass < 6; ++pass)
            eventStep(run.editor);
        EXPECT_EQ(run.text(), run.expectedText(CodeDialect::LinuxBeep));
        EXPECT_NE(run.text(), run.expectedText(CodeDialect::Beep));
    }
    EXPECT_NE(settings.fileText().find("codeFormat=linux-beep"), std::string::npos);
    {
        EditorRun next;
        ASSERT_TRUE(next.started);
        EXPECT_EQ(next.control<QComboBox>(ControlId::CodeFormat)->currentText(),
                  QStringLiteral("linux-beep"));
        exportCode(next.state, next.platform);
        EXPECT_EQ(next.text(), next.expectedText(CodeDialect::LinuxBeep));
    }
}

} // namespace
} // namespace vemo
