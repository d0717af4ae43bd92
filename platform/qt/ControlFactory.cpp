#include "platform/qt/ControlFactory.h"

#include "platform/DesignRules.h"
#include "platform/qt/DesignStyle.h"
#include "platform/qt/LineWidget.h"
#include "platform/qt/PictureWidgets.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QValidator>

#include <algorithm>
#include <climits>
#include <cmath>

namespace dravelo::platform::qt {

namespace {

QColor qColorOf(const Color& colour)
{
    return toQColor(colour, QApplication::palette());
}

QWidget* createButton(const ControlDesign& d, const Look& look, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromStdString(d.caption), parent);
    QPalette colours = button->palette();
    // Only a graphical button shows its own face colour.
    if (d.graphical)
        colours.setColor(QPalette::Button, qColorOf(look.background));
    colours.setColor(QPalette::ButtonText, qColorOf(look.foreground));
    button->setPalette(colours);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

// A single-line field keeps what the system's own single-line field keeps
// of a paste of several lines: the text up to the first line break. The
// cursor stands at the end of what was just inserted.
class FirstLineOnly : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        static const QRegularExpression lineBreaks(QStringLiteral("[\\r\\n]"));
        const qsizetype lineBreak = input.indexOf(lineBreaks);
        if (lineBreak >= 0) {
            input.remove(lineBreak, std::max<qsizetype>(pos - lineBreak, 0));
            input.remove(lineBreaks);
            pos = static_cast<int>(lineBreak);
        }
        return Acceptable;
    }
};

QWidget* createTextBox(const ControlDesign& d, const Look& look, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setMaxLength(INT_MAX);
    field->setValidator(new FirstLineOnly(field));
    field->setText(QString::fromStdString(d.caption));
    QPalette colours = field->palette();
    colours.setColor(QPalette::Base, qColorOf(look.background));
    colours.setColor(QPalette::Text, qColorOf(look.foreground));
    field->setPalette(colours);
    field->setFocusPolicy(Qt::StrongFocus);
    return field;
}

QWidget* createLabel(const ControlDesign& d, const Look& look, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromStdString(d.caption));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(d.wordWrap);
    label->setMargin(0);
    label->setIndent(0);
    if (d.singleBorder)
        label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, qColorOf(look.background));
    colours.setColor(QPalette::WindowText, qColorOf(look.foreground));
    label->setPalette(colours);
    label->setAutoFillBackground(true);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

} // namespace

bool isLightweight(ControlClass cls)
{
    return cls == ControlClass::Label || cls == ControlClass::Line || cls == ControlClass::Image;
}

QWidget* createControlWidget(const ControlDesign& d, const Look& look, QWidget* parent)
{
    QWidget* widget = nullptr;
    switch (d.cls) {
    case ControlClass::CommandButton:
        widget = createButton(d, look, parent);
        break;
    case ControlClass::TextBox:
        widget = createTextBox(d, look, parent);
        break;
    case ControlClass::Label:
        widget = createLabel(d, look, parent);
        break;
    case ControlClass::Image:
        widget = new ImageWidget(loadPicture(QString::fromStdString(d.picture)), d.flatBorder, parent);
        break;
    case ControlClass::PictureBox:
        widget = new PictureBoxWidget(loadPicture(QString::fromStdString(d.picture)), qColorOf(look.background),
                                      d.sunkenBorder, parent);
        break;
    case ControlClass::Line:
        widget = new LineWidget(qColorOf(look.foreground), d.lineWidth, parent);
        break;
    }
    widget->setObjectName(QString::fromStdString(d.index < 0 ? d.name : d.name + "(" + std::to_string(d.index) + ")"));
    if (carriesFont(d.cls))
        widget->setFont(designFont(look.font.pointSize, look.font.bold));
    return widget;
}

int lineHeight(const QFont& font)
{
    // Ascent and descent each rounded up, as the desktop the designs come
    // from measures a line: 13 pixels for 8.25 pt at 96 dpi.
    const QFontMetricsF metrics(font);
    return static_cast<int>(std::ceil(metrics.ascent())) + static_cast<int>(std::ceil(metrics.descent()));
}

QSize fittedLabelSize(const QWidget& widget, bool wordWrap)
{
    const auto& label = static_cast<const QLabel&>(widget);
    const int frame = label.frameWidth();
    const int line = lineHeight(label.font());
    if (wordWrap) {
        const int textWidth = std::max(0, label.width() - 2 * frame);
        const QRect bounds = QFontMetrics(label.font())
                                 .boundingRect(QRect(0, 0, textWidth, INT_MAX), Qt::AlignLeft | Qt::TextWordWrap,
                                               label.text());
        const int lines = std::max(1, bounds.height() / std::max(1, QFontMetrics(label.font()).lineSpacing()));
        return {label.width(), lines * line + 2 * frame};
    }
    const double textWidth = QFontMetricsF(label.font()).horizontalAdvance(label.text());
    return {static_cast<int>(std::ceil(textWidth)) + 2 * frame, line + 2 * frame};
}

} // namespace dravelo::platform::qt
