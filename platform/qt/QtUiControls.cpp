#include "platform/qt/QtUi.h"

#include "platform/qt/ImageWidget.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WindowWidget.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextCursor>

#include <algorithm>

namespace vemo {

namespace {

constexpr qreal SmallestPointSize = 4.0;
constexpr qreal PointSizeStep = 0.5;

// The window's font, made smaller until every line fits the label's width and all lines its
// height: a long frequency or time must not lose its first digits.
void fitText(QLabel& label) {
    QFont font = label.parentWidget() ? label.parentWidget()->font() : label.font();
    if (font.pointSizeF() <= 0) return; // a font set in pixels is left as it is
    const QStringList lines = label.text().split(u'\n');
    const QRect room = label.contentsRect();
    for (;;) {
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        const bool fits = widest <= room.width() &&
                          metrics.lineSpacing() * static_cast<int>(lines.size()) <= room.height();
        if (fits || font.pointSizeF() <= SmallestPointSize) break;
        font.setPointSizeF(font.pointSizeF() - PointSizeStep);
    }
    label.setFont(font);
}

} // namespace

bool QtUi::prepareControls(WindowId windowId) {
    return window(windowId) != nullptr;
}

QWidget* QtUi::controlWidget(ControlId controlId) const {
    const auto found = controls_.find(controlId);
    return found == controls_.end() ? nullptr : found->second;
}

template <typename Widget> Widget* QtUi::control(ControlId controlId) const {
    return qobject_cast<Widget*>(controlWidget(controlId));
}

void QtUi::addControl(ControlId controlId, QWidget* widget, Rect rect) {
    // A second control with the same id replaces the first, as a recreated window control would.
    delete controlWidget(controlId);
    controls_[controlId] = widget;
    widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
    widget->show();
}

void QtUi::createImageControl(WindowId windowId, ControlId controlId, Rect rect) {
    WindowWidget* owner = window(windowId);
    if (!owner) return;
    addControl(controlId, new ImageWidget(controlId, windowId, events_, owner), rect);
}

void QtUi::createSpin(WindowId windowId, ControlId controlId, Rect rect, std::int32_t minimum,
                      std::int32_t maximum) {
    WindowWidget* owner = window(windowId);
    if (!owner) return;
    auto* spin = new QSpinBox(owner);
    spin->setRange(minimum, maximum);
    // The boxes are narrow (40 pixels for three digits): the frame's pixels go to the digits.
    spin->setFrame(false);
    spin->setMouseTracking(true);
    QObject::connect(spin, &QSpinBox::valueChanged, [this, windowId, controlId] {
        events_.push(controlEvent(windowId, controlId, LeftClick));
    });
    addControl(controlId, spin, rect);
}

void QtUi::createLabel(WindowId windowId, ControlId controlId, Rect rect, const std::string& text) {
    WindowWidget* owner = window(windowId);
    if (!owner) return;
    auto* label = new QLabel(owner);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setText(toQtText(text));
    addControl(controlId, label, rect);
    fitText(*label);
}

void QtUi::createButton(WindowId windowId, ControlId controlId, Rect rect,
                        const std::string& text) {
    WindowWidget* owner = window(windowId);
    if (!owner) return;
    auto* button = new QPushButton(toQtText(text), owner);
    QObject::connect(button, &QPushButton::clicked, [this, windowId, controlId] {
        events_.push(controlEvent(windowId, controlId, LeftClick));
    });
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(button, &QPushButton::customContextMenuRequested, [this, windowId, controlId] {
        events_.push(controlEvent(windowId, controlId, RightClick));
    });
    addControl(controlId, button, rect);
}

void QtUi::createTextEditor(WindowId windowId, ControlId controlId, Rect rect) {
    WindowWidget* owner = window(windowId);
    if (!owner) return;
    auto* editor = new QPlainTextEdit(owner);
    // Program text keeps its lines: scroll sideways rather than wrap, and let Tab be typed.
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor->setTabChangesFocus(false);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    addControl(controlId, editor, rect);
}

void QtUi::moveControl(ControlId controlId, Rect rect) {
    if (QWidget* widget = controlWidget(controlId))
        widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
}

Rect QtUi::controlRect(ControlId controlId) {
    const QWidget* widget = controlWidget(controlId);
    if (!widget) return {};
    const QRect geometry = widget->geometry();
    return {geometry.x(), geometry.y(), geometry.width(), geometry.height()};
}

void QtUi::showImage(ControlId controlId, const Image& image) {
    if (auto* target = control<ImageWidget>(controlId)) target->setImage(toOpaqueQImage(image));
}

void QtUi::showCursorLine(ControlId controlId, std::int32_t x, std::uint32_t colour) {
    if (auto* target = control<ImageWidget>(controlId))
        target->setCursorLine(x, QColor::fromRgb(static_cast<QRgb>(colour)));
}

void QtUi::showColumnMark(ControlId controlId, std::int32_t x, std::int32_t width,
                          std::uint32_t colour) {
    if (auto* target = control<ImageWidget>(controlId))
        target->setColumnMark(x, width, QColor::fromRgb(static_cast<QRgb>(colour)));
}

std::int32_t QtUi::spinValue(ControlId controlId) {
    const auto* spin = control<QSpinBox>(controlId);
    return spin ? spin->value() : 0;
}

void QtUi::setSpinValue(ControlId controlId, std::int32_t value) {
    auto* spin = control<QSpinBox>(controlId);
    if (!spin) return;
    // Only the user's changes are events; the program knows what it set.
    const QSignalBlocker quiet(spin);
    spin->setValue(value);
}

std::string QtUi::editorText(ControlId controlId) {
    const auto* editor = control<QPlainTextEdit>(controlId);
    return editor ? fromQtText(editor->toPlainText()) : std::string();
}

void QtUi::clearEditor(ControlId controlId) {
    if (auto* editor = control<QPlainTextEdit>(controlId)) editor->clear();
}

void QtUi::appendEditorText(ControlId controlId, const std::string& text) {
    auto* editor = control<QPlainTextEdit>(controlId);
    if (!editor) return;
    // Appended at the end of the document, away from the caret, so that a freshly filled editor
    // shows its first lines from the left edge; appendPlainText would start a new paragraph.
    QTextCursor end(editor->document());
    end.movePosition(QTextCursor::End);
    end.insertText(toQtText(text));
}

void QtUi::setControlText(ControlId controlId, const std::string& text) {
    auto* label = control<QLabel>(controlId);
    if (!label) return;
    label->setText(toQtText(text));
    fitText(*label);
}

void QtUi::focusControl(ControlId controlId) {
    if (QWidget* widget = controlWidget(controlId)) widget->setFocus(Qt::OtherFocusReason);
}

} // namespace vemo
