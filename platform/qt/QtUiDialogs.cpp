#include "platform/qt/QtUi.h"

#include "platform/qt/QtText.h"
#include "platform/qt/WindowWidget.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include <algorithm>

namespace vemo {

bool QtUi::createPopupMenu(MenuId menuId, const std::vector<MenuEntry>& entries) {
    auto menu = std::make_unique<QMenu>();
    for (const MenuEntry& entry : entries) {
        if (entry.commandId == SeparatorLine) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(toQtText(entry.text));
        action->setData(idNumber(entry.commandId));
    }
    menus_[menuId] = std::move(menu);
    return true;
}

QMenu* QtUi::popupMenu(MenuId menuId) const {
    const auto found = menus_.find(menuId);
    return found == menus_.end() ? nullptr : found->second.get();
}

void QtUi::showPopupMenu(MenuId menuId) {
    QMenu* menu = popupMenu(menuId);
    if (!menu) return;
    const QAction* chosen = menu->exec(QCursor::pos());
    if (chosen)
        events_.push(commandEvent(mainWindowId_, static_cast<CommandId>(chosen->data().toInt())));
}

std::int32_t QtUi::chooseFromMenu(const std::vector<std::string>& entries, std::int32_t checked) {
    QMenu menu;
    auto* group = new QActionGroup(&menu);
    for (std::size_t index = 0; index < entries.size(); ++index) {
        QAction* action = menu.addAction(toQtText(entries[index]));
        action->setCheckable(true);
        action->setChecked(static_cast<std::int32_t>(index) == checked);
        action->setData(static_cast<int>(index));
        group->addAction(action);
    }
    const QAction* chosen = menu.exec(QCursor::pos());
    return chosen ? chosen->data().toInt() : -1;
}

void QtUi::addShortcut(ShortcutKey key, std::int32_t modifiers, CommandId commandId) {
    inputFilter_.addShortcut(key, modifiers, commandId);
}

void QtUi::setKeyEntry(bool isOn) {
    inputFilter_.setKeyEntry(isOn);
}

bool QtUi::messageBox(const std::string& title, const std::string& text, bool yesNo) {
    const QMessageBox::StandardButtons buttons =
        yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), toQtText(text), buttons,
                    mainWindow());
    // Paths and program messages are never markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    const int answer = box.exec();
    return answer == QMessageBox::Ok || answer == QMessageBox::Yes;
}

std::int32_t QtUi::askChoice(const std::string& title, const std::string& text,
                             const std::vector<std::string>& buttons) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), toQtText(text),
                    QMessageBox::NoButton, mainWindow());
    box.setTextFormat(Qt::PlainText);
    std::vector<QAbstractButton*> added;
    for (const std::string& label : buttons)
        added.push_back(box.addButton(toQtText(label), QMessageBox::AcceptRole));
    if (!added.empty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(added.front()));
        box.setEscapeButton(added.back());
    }
    box.exec();
    const auto pressed = std::find(added.begin(), added.end(), box.clickedButton());
    return pressed == added.end() ? static_cast<std::int32_t>(added.size()) - 1
                                  : static_cast<std::int32_t>(pressed - added.begin());
}

FileChoice QtUi::fileDialog(const FileDialog& request) {
    QFileDialog dialog(mainWindow(), QString::fromStdString(request.title),
                       QString::fromStdString(request.startPath), toQtFileFilter(request.filter));
    // The platform's own dialogs need a desktop session that may not exist.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (request.isSave) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The program asks about overwriting itself.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    const QStringList filters = dialog.nameFilters();
    if (request.filterIndex > 0 && request.filterIndex < filters.size())
        dialog.selectNameFilter(filters[request.filterIndex]);
    if (!request.recentFolder.empty()) {
        const QString recent = QString::fromStdString(request.recentFolder);
        QList<QUrl> places = dialog.sidebarUrls();
        const QUrl recentUrl = QUrl::fromLocalFile(recent);
        if (!places.contains(recentUrl)) places << recentUrl;
        dialog.setSidebarUrls(places);
        dialog.setHistory({recent});
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return {};
    const auto filterIndex = filters.indexOf(dialog.selectedNameFilter());
    return {chosen.front().toStdString(),
            static_cast<std::int32_t>(std::max<qsizetype>(filterIndex, 0))};
}

void QtUi::setClipboardText(const std::string& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(toQtText(text));
}

bool QtUi::openWithShell(const std::string& path) {
    const QString target = QString::fromStdString(path);
    if (!QFileInfo::exists(target)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()));
}

} // namespace vemo
