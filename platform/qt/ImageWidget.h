#pragma once

#include <QImage>
#include <QWidget>

class QPainter;

#include "platform/Ids.h"

#include <cstdint>

namespace vemo {

class EventQueue;

// Shows an image pixel for pixel on the screen at its top-left corner, never scaled: the image
// counts screen pixels, so it covers the control on a screen of any scale. A left press is a click
// at once; a right click counts when the button is released over the control. The wheel with
// Ctrl alone is queued in whole notches; any other wheel turn goes on to the window.
class ImageWidget final : public QWidget {
    Q_OBJECT
  public:
    ImageWidget(ControlId controlId, WindowId windowId, EventQueue& events, QWidget* parent);

    // The image is taken as drawn for the control's present device pixel ratio.
    void setImage(QImage image);
    // A line one image pixel wide painted over the image at image pixel x, so moving it
    // repaints only two narrow strips.
    void setCursorLine(std::int32_t x, QColor colour);
    std::int32_t cursorLineX() const { return cursorX_; }
    // The outline of a column from image pixel x, width pixels wide; x < 0: none.
    void setColumnMark(std::int32_t x, std::int32_t width, QColor colour);
    std::int32_t columnMarkX() const { return markX_; }
    const QImage& image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    // Where the cursor line at image pixel x lies in the control's own coordinates.
    QRectF cursorLineRect(std::int32_t x) const;
    QRectF columnMarkRect() const;
    void paintColumnMark(QPainter& painter);

    ControlId controlId_;
    WindowId windowId_;
    EventQueue& events_;
    QImage image_;
    std::int32_t cursorX_ = -1;
    QColor cursorColour_;
    std::int32_t markX_ = -1;
    std::int32_t markWidth_ = 0;
    QColor markColour_;
    // Turns smaller than a notch (fine-grained wheels, touchpads) add up to whole ones.
    std::int32_t wheelEighthDegrees_ = 0;
};

} // namespace vemo
