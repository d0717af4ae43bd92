#include "platform/qt/PictureWidgets.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace dravelo::platform::qt {

namespace {
constexpr int kFlatBorderPixels = 1;
} // namespace

QPixmap loadPicture(const QString& resourcePath)
{
    if (resourcePath.isEmpty() || !QFile::exists(resourcePath))
        return {};
    // Read by the format its name gives: asked to guess, Qt loads every
    // image plugin at the program's start to try each on the file.
    QImageReader reader(resourcePath, QFileInfo(resourcePath).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImageReader(&reader);
}

ImageWidget::ImageWidget(QPixmap picture, bool flatBorder, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)), flatBorder_(flatBorder)
{
    setFocusPolicy(Qt::NoFocus);
}

void ImageWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int border = flatBorder_ ? kFlatBorderPixels : 0;
    const QRect inside = rect().adjusted(border, border, -border, -border);
    if (!picture_.isNull())
        painter.drawPixmap(inside, picture_);
    if (flatBorder_) {
        painter.setPen(QPen(Qt::black, kFlatBorderPixels));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

PictureBoxWidget::PictureBoxWidget(QPixmap picture, QColor background, bool sunkenBorder, QWidget* parent)
    : QFrame(parent), picture_(std::move(picture))
{
    if (sunkenBorder)
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

QSize PictureBoxWidget::fittedSize() const
{
    if (picture_.isNull())
        return {};
    const QSize logical = picture_.deviceIndependentSize().toSize();
    return logical + QSize(2 * frameWidth(), 2 * frameWidth());
}

void PictureBoxWidget::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(contentsRect().topLeft(), picture_);
}

} // namespace dravelo::platform::qt
