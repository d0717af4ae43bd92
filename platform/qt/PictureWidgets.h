#pragma once
// The two picture controls: an image stretched to the control inside a flat
// one-pixel border, and a picture box that shows its picture at natural
// size inside a sunken 3-D border, over its own background colour.

#include <QFrame>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace dravelo::platform::qt {

// A picture from the program's resources, or a null pixmap without it.
QPixmap loadPicture(const QString& resourcePath);

class ImageWidget : public QWidget {
public:
    ImageWidget(QPixmap picture, bool flatBorder, QWidget* parent);
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    bool flatBorder_;
};

class PictureBoxWidget : public QFrame {
public:
    PictureBoxWidget(QPixmap picture, QColor background, bool sunkenBorder, QWidget* parent);
    const QPixmap& picture() const { return picture_; }
    // The size that shows the whole picture with the border; null without one.
    QSize fittedSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace dravelo::platform::qt
