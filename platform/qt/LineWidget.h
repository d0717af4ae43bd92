#pragma once
// A line control: draws a straight line between its two end points, in the
// parent's pixel coordinates, with its colour and width. Takes no input.

#include <QColor>
#include <QPoint>
#include <QWidget>

namespace dravelo::platform::qt {

class LineWidget : public QWidget {
public:
    LineWidget(QColor color, int penWidth, QWidget* parent);

    // Moves the line; the widget covers just the line's extent.
    void setEnds(QPoint from, QPoint to);
    QPoint from() const { return from_; }
    QPoint to() const { return to_; }
    QColor color() const { return color_; }
    int penWidth() const { return penWidth_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    int penWidth_;
    QPoint from_, to_;
};

} // namespace dravelo::platform::qt
