#include "QtTestSupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

namespace vemo::testing_qt {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using QtDialogsTest = QtUiTest;

struct SeenBox {
    QString title;
    QString text;
    QStringList buttons;
};

void answerBox(QWidget* modal, QMessageBox::StandardButton answer, SeenBox& seen) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) {
        modal->close();
        return;
    }
    seen = {};
    seen.title = box->windowTitle();
    seen.text = box->text();
    for (QAbstractButton* button : box->buttons())
        seen.buttons << button->text().remove(u'&');
    box->button(answer)->click();
}

TEST_F(QtDialogsTest, MessageBoxesShowTitleAndLinesAndReturnTheAnswer) {
    SeenBox seen;
    whenModalOpens([&](QWidget* modal) { answerBox(modal, QMessageBox::Yes, seen); });
    EXPECT_TRUE(ui->messageBox("please confirm", "exit program?", true));
    EXPECT_EQ(seen.title, QStringLiteral("please confirm"));
    EXPECT_EQ(seen.text, QStringLiteral("exit program?"));
    EXPECT_THAT(seen.buttons,
                ::testing::UnorderedElementsAre(QStringLiteral("Yes"), QStringLiteral("No")));

    whenModalOpens([&](QWidget* modal) { answerBox(modal, QMessageBox::No, seen); });
    EXPECT_FALSE(ui->messageBox("please confirm", "exit program?", true));

    whenModalOpens([&](QWidget* modal) { answerBox(modal, QMessageBox::Ok, seen); });
    EXPECT_TRUE(ui->messageBox("error", "can't open folder\r\n\r\n/tmp/<b>x</b>/", false));
    EXPECT_EQ(seen.text, QStringLiteral("can't open folder\n\n/tmp/<b>x</b>/"));
    EXPECT_THAT(seen.buttons, ElementsAre(QStringLiteral("OK")));
}

TEST_F(QtDialogsTest, FileDialogsOfferTheConvertedFiltersAndGiveThePath) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString existing = folder.filePath("song.vemo");
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    QStringList filters;
    QString title;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        title = dialog->windowTitle();
        dialog->selectFile(existing);
        static_cast<QDialog*>(dialog)->accept();
    });
    const std::string opened = ui->fileDialog({false, "load", folder.path().toStdString(),
                                               "vemo melody|*.vemo|bitmaps|*.bmp;*.ico", 0, ""})
                                   .path;
    EXPECT_EQ(opened, existing.toStdString());
    EXPECT_EQ(title, QStringLiteral("load"));
    EXPECT_THAT(filters, ElementsAre(QStringLiteral("vemo melody (*.vemo)"),
                                     QStringLiteral("bitmaps (*.bmp *.ico)")));

    const QString target = folder.filePath("new.vemo");
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        // The dialog reads the folder in the background and then selects the file it was
        // opened with in its list, which wins over a name given earlier: wait for that
        // selection, then type the new name into the focused field as a user does.
        auto* model = dialog->findChild<QFileSystemModel*>();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(model, nullptr);
        ASSERT_NE(name, nullptr);
        auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return model->rowCount(model->index(folder.path())) > 0 &&
                       list->selectionModel()->hasSelection();
            },
            10000));
        // Typing takes the list's selection away only while the name field has the focus.
        dialog->activateWindow();
        name->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] { return name->hasFocus(); }, 10000));
        name->clear();
        QTest::keyClicks(name, QStringLiteral("new.vemo"));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(ui->fileDialog({true, "save", existing.toStdString(), "*.vemo|*.vemo", 0, ""}).path,
              target.toStdString());
}

TEST_F(QtDialogsTest, SaveDialogTellsWhichFilterTheUserChose) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);
        dialog->selectFile(folder.filePath("tune"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const FileChoice choice = ui->fileDialog({true, "export", folder.path().toStdString() + "/",
                                              "ringtone|*.rtttl|sound|*.wav|text|*.txt", 0, ""});
    EXPECT_EQ(choice.path, folder.filePath("tune").toStdString());
    EXPECT_EQ(choice.filterIndex, 1);
}

TEST_F(QtDialogsTest, DialogStartsWhereAskedWithItsFilterAndTheRecentFolderInItsSidebar) {
    QTemporaryDir start;
    QTemporaryDir recent;
    ASSERT_TRUE(start.isValid() && recent.isValid());
    QString directory;
    QString filter;
    QList<QUrl> places;
    QStringList history;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        directory = dialog->directory().absolutePath();
        filter = dialog->selectedNameFilter();
        places = dialog->sidebarUrls();
        history = dialog->history();
        modal->close();
    });
    ui->fileDialog({true, "export", start.path().toStdString() + "/",
                    "ringtone|*.rtttl|sound|*.wav|text|*.txt", 2, recent.path().toStdString()});
    EXPECT_EQ(directory, QDir(start.path()).absolutePath());
    EXPECT_EQ(filter, QStringLiteral("text (*.txt)"));
    EXPECT_TRUE(places.contains(QUrl::fromLocalFile(recent.path())));
    EXPECT_TRUE(history.contains(recent.path()));
}

TEST_F(QtDialogsTest, FormShowsItsChoicesRewritesItsNoteOnEachChangeAndGivesTheAnswer) {
    Form form{"import MIDI",
              "voices",
              {"track 1", "track 2"},
              1,
              {{"one column", {"1/8", "1/16", "1/32"}, 1}, {"overlap", {"highest", "latest"}, 0}},
              "import"};
    QStringList notesSeen;
    whenModalOpens([&](QWidget* modal) {
        auto* list = modal->findChild<QListWidget*>();
        const QList<QComboBox*> boxes = modal->findChildren<QComboBox*>();
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(boxes.size(), 2);
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("import MIDI"));
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->currentRow(), 1);
        EXPECT_EQ(boxes[0]->currentText(), QStringLiteral("1/16"));
        for (const QLabel* label : modal->findChildren<QLabel*>())
            if (label->text().startsWith(u"note")) notesSeen << label->text();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);
        boxes[1]->setFocus();
        QTest::keyClick(boxes[1], Qt::Key_Down);
        for (const QLabel* label : modal->findChildren<QLabel*>())
            if (label->text().startsWith(u"note")) notesSeen << label->text();
        for (QPushButton* button : modal->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("import")) button->click();
    });
    const FormAnswer answer = ui->showForm(form, [](const FormAnswer& now) {
        return "note " + std::to_string(now.listChosen) + " " + std::to_string(now.chosen[0]) +
               " " + std::to_string(now.chosen[1]) + "\r\nsecond line";
    });
    EXPECT_TRUE(answer.isAccepted);
    EXPECT_EQ(answer.listChosen, 0);
    EXPECT_EQ(answer.chosen, (std::vector<std::int32_t>{1, 1}));
    EXPECT_EQ(notesSeen, QStringList({"note 1 1 0\nsecond line", "note 0 1 1\nsecond line"}));

    whenModalOpens([](QWidget* modal) { modal->close(); });
    EXPECT_FALSE(ui->showForm(form, [](const FormAnswer&) { return std::string(); }).isAccepted);
}

TEST_F(QtDialogsTest, AChoiceBoxGivesTheButtonPressedAndClosingItGivesTheLast) {
    QStringList labels;
    whenModalOpens([&](QWidget* modal) {
        for (QPushButton* button : modal->findChildren<QPushButton*>())
            labels << button->text();
        for (QPushButton* button : modal->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("go back")) button->click();
    });
    EXPECT_EQ(ui->askChoice("export", "a & b\r\nsecond line", {"write anyway", "go back"}), 1);
    EXPECT_THAT(labels, ::testing::UnorderedElementsAre(QStringLiteral("write anyway"),
                                                        QStringLiteral("go back")));
    whenModalOpens([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(ui->askChoice("export", "text", {"move", "write anyway", "go back"}), 2);
}

TEST_F(QtDialogsTest, CancelledFileDialogsGiveAnEmptyPath) {
    whenModalOpens([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(ui->fileDialog({false, "load", "", "*.vemo|*.vemo", 0, ""}).path, "");
    whenModalOpens([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(ui->fileDialog({true, "save", "", "*.vemo|*.vemo", 0, ""}).path, "");
}

class QtPopupMenuTest : public QtUiTest {
  protected:
    void SetUp() override {
        QtUiTest::SetUp();
        ASSERT_TRUE(ui->createPopupMenu(
            MenuId::Paste, {{CommandId::MenuCancel, "cancel"},
                            {SeparatorLine, ""},
                            {CommandId::PasteNotesOnly, "paste notes only"},
                            {CommandId::PasteLayoutOnly, "paste layout only"},
                            {CommandId::PasteNotesAndLayout, "paste notes and layout"}}));
        activate(WindowId::Main);
        QCursor::setPos(MainPlacement.x + 200, MainPlacement.y + 200);
    }
};

TEST_F(QtPopupMenuTest, EntriesAndSeparatorKeepTheirOrder) {
    const QList<QAction*> actions = ui->popupMenu(MenuId::Paste)->actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("cancel"));
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->text(), QStringLiteral("paste notes only"));
    EXPECT_EQ(actions[4]->text(), QStringLiteral("paste notes and layout"));
}

TEST_F(QtPopupMenuTest, TheChosenEntryArrivesAsACommand) {
    whenModalOpens([](QWidget* popup) {
        auto* menu = qobject_cast<QMenu*>(popup);
        ASSERT_NE(menu, nullptr);
        menu->setActiveAction(menu->actions()[3]);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    ui->showPopupMenu(MenuId::Paste);
    EXPECT_THAT(takeCommands(*ui), ElementsAre(IsCommand(CommandId::PasteLayoutOnly)));
}

TEST_F(QtPopupMenuTest, ADismissedMenuQueuesNothing) {
    whenModalOpens([](QWidget* popup) { QTest::keyClick(popup, Qt::Key_Escape); });
    ui->showPopupMenu(MenuId::Paste);
    EXPECT_THAT(takeCommands(*ui), IsEmpty());
}

TEST_F(QtDialogsTest, ClipboardGetsTheTextWithLineBreaks) {
    ui->setClipboardText("Beep_( 440, 120 )\r\nDelay(120)\r\n");
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("Beep_( 440, 120 )\nDelay(120)\n"));
}

TEST_F(QtDialogsTest, OpeningAMissingPathFails) {
    EXPECT_FALSE(ui->openWithShell("/nonexistent/folder/vemo - help.html"));
}

TEST_F(QtDialogsTest, BitmapsAndIconsLoadPixelForPixel) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const Image drawn = patternImage(16, 12);
    const QImage source = QImage(reinterpret_cast<const uchar*>(drawn.pixels().data()),
                                 drawn.width(), drawn.height(), QImage::Format_ARGB32);
    ASSERT_TRUE(source.save(folder.filePath("cell.bmp"), "BMP"));
    ASSERT_TRUE(source.save(folder.filePath("tool.ico"), "ICO"));

    Image loaded;
    ASSERT_TRUE(ui->loadImage(folder.filePath("cell.bmp").toStdString(), loaded));
    EXPECT_EQ(loaded, drawn);
    Image icon;
    ASSERT_TRUE(ui->loadImage(folder.filePath("tool.ico").toStdString(), icon));
    EXPECT_EQ(icon, drawn);

    QFile junk(folder.filePath("junk.bmp"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a bitmap");
    junk.close();
    Image untouched(2, 2);
    EXPECT_FALSE(ui->loadImage(folder.filePath("junk.bmp").toStdString(), untouched));
    EXPECT_FALSE(ui->loadImage(folder.filePath("missing.ico").toStdString(), untouched));
    EXPECT_EQ(untouched, Image(2, 2));
}

} // namespace
} // namespace vemo::testing_qt
