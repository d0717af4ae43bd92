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
    // The pen is centred on the line: leave room for it on every side.
    const int before = penWidth_ / 2;
    const QRect span = QRect(from, to).normalized();
    setGeometry(span.adjusted(-before, -before, penWidth_ - before - 1, penWidth_ - before - 1));
    update();
}

void LineWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QPen pen(color_);
    pen.setWidth(penWidth_);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const QPoint origin = geometry().topLeft();
    painter.drawLine(from_ - origin, to_ - origin);
}

} // namespace dravelo::platform::qt
