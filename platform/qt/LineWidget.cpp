#include "platform/qt/LineWidget.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace dravelo::platform::qt {

LineWidget::LineWidget(QColor color, int penWidth, QWidget* parent)
    : QWidget(parent), color_(color), penWidth_(std::max(1, penWidth))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void LineWidget::setEnds(QPoint from, QPoint to)
{
    from_ = from;
    to_ = to;
    // A wide pen grows to the right and below the line, from its middle
    // pixel, so that a wide rule just under a thin one leaves it showing.
    const int before = (penWidth_ - 1) / 2;
    const int after = penWidth_ - 1 - before;
    const QRect span = QRect(from, to).normalized();
    setGeometry(span.adjusted(-before, -before, after, after));
    update();
}

void LineWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (from_.x() == to_.x() || from_.y() == to_.y()) {
        painter.fillRect(rect(), color_);
        return;
    }
    QPen pen(color_);
    pen.setWidth(penWidth_);
    painter.setPen(pen);
    const QPoint origin = geometry().topLeft();
    painter.drawLine(from_ - origin, to_ - origin);
}

} // namespace dravelo::platform::qt
