#include "platform/qt/QtUi.h"

#include "platform/qt/QtText.h"
#include "platform/qt/WindowWidget.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

namespace vemo {

namespace {

// Wide enough for a list line such as a track's name and note count.
constexpr int FormMinimumWidth = 360;

} // namespace

FormAnswer QtUi::showForm(const Form& form, const FormNote& note) {
    QDialog dialog(mainWindow());
    dialog.setWindowTitle(toQtText(form.title));
    dialog.setMinimumWidth(FormMinimumWidth);
    auto* layout = new QVBoxLayout(&dialog);

    auto* listLabel = new QLabel(toQtText(form.listLabel), &dialog);
    listLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(listLabel);
    auto* list = new QListWidget(&dialog);
    for (const std::string& entry : form.listEntries)
        list->addItem(toQtText(entry));
    list->setCurrentRow(form.listChosen);
    listLabel->setBuddy(list);
    layout->addWidget(list);

    auto* fields = new QFormLayout;
    std::vector<QComboBox*> choices;
    for (const FormChoice& choice : form.choices) {
        auto* box = new QComboBox(&dialog);
        for (const std::string& entry : choice.entries)
            box->addItem(toQtText(entry));
        box->setCurrentIndex(choice.chosen);
        fields->addRow(toQtText(choice.label), box);
        choices.push_back(box);
    }
    layout->addLayout(fields);

    auto* noteLabel = new QLabel(&dialog);
    noteLabel->setTextFormat(Qt::PlainText);
    noteLabel->setWordWrap(true);
    layout->addWidget(noteLabel);

    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(toQtText(form.acceptText), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("cancel"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);

    const auto current = [&] {
        FormAnswer answer;
        answer.listChosen = list->currentRow();
        for (const QComboBox* box : choices)
            answer.chosen.push_back(box->currentIndex());
        return answer;
    };
    const auto writeNote = [&] { noteLabel->setText(toQtText(note(current()))); };
    QObject::connect(list, &QListWidget::currentRowChanged, &dialog, writeNote);
    for (QComboBox* box : choices)
        QObject::connect(box, &QComboBox::currentIndexChanged, &dialog, writeNote);
    writeNote();
    list->setFocus();

    const bool isAccepted = dialog.exec() == QDialog::Accepted;
    FormAnswer answer = current();
    answer.isAccepted = isAccepted && answer.listChosen >= 0;
    return answer;
}

} // namespace vemo
