#include "platform/qt/DesignStyle.h"

namespace dravelo::platform::qt {

void registerFontSubstitution()
{
    if (!QFont::substitutes(kDesignFontFace).contains(kSubstituteFontFace))
        QFont::insertSubstitution(kDesignFontFace, kSubstituteFontFace);
}

QColor toQColor(const Color& color, const QPalette& desktop)
{
    if (!color.isSystem)
        return QColor(color.red, color.green, color.blue);
    switch (color.systemColor) {
    case SystemColor::ButtonFace:
        return desktop.color(QPalette::Button);
    case SystemColor::ButtonText:
        return desktop.color(QPalette::ButtonText);
    case SystemColor::Window:
        // The system "window" colour is the background of text fields.
        return desktop.color(QPalette::Base);
    case SystemColor::WindowText:
        return desktop.color(QPalette::Text);
    case SystemColor::HighlightText:
        // The same role under Qt's name: text on a selection.
        return desktop.color(QPalette::HighlightedText);
    case SystemColor::InactiveCaptionText:
        // Qt has no caption roles. The text of an inactive title bar is the
        // desktop's muted text, which Qt keeps as the disabled window text
        // (the same light grey as the classic scheme's caption text).
        return desktop.color(QPalette::Disabled, QPalette::WindowText);
    }
    return desktop.color(QPalette::Window);
}

QFont designFont(double pointSize, bool bold)
{
    QFont font(kDesignFontFace);
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    return font;
}

} // namespace dravelo::platform::qt
