#include "platform/qt/FormWindow.h"

#include "platform/qt/BareX11.h"
#include "platform/qt/ControlFactory.h"
#include "platform/qt/DesignStyle.h"
#include "platform/qt/LineWidget.h"
#include "platform/qt/PictureWidgets.h"
#include "platform/qt/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <algorithm>
#include <stdexcept>

namespace dravelo::platform::qt {

namespace {

// Title and close button only; the window manager may still draw buttons it
// will not act on (openbox keeps them for any window). An ordinary top-level
// window, not Qt::Dialog: Qt makes a parentless dialog transient for the
// application's group, and window managers that honour that keep it above
// every other window of the program.
constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

} // namespace

FormWindow::FormWindow(const FormDesign& design, double twipsPerPixel)
    : design_(design), twipsPerPixel_(twipsPerPixel)
{
    setObjectName(QString::fromStdString(design_.name));
    setWindowTitle(QString::fromStdString(design_.caption));
    if (design_.border == BorderStyle::FixedDialog)
        setWindowFlags(kFixedDialogFlags);
    units_ = scaleUnitsOf(design_);

    QPalette colours = palette();
    colours.setColor(QPalette::Window, toQColor(backgroundOf(design_), QApplication::palette()));
    colours.setColor(QPalette::WindowText, toQColor(foregroundOf(design_), QApplication::palette()));
    setPalette(colours);
    setAutoFillBackground(true);
    setFont(designFont(design_.font.pointSize, design_.font.bold));

    outer_ = designedOuterRect(design_);
    positioned_ = design_.placedByDesign;

    build();
    applyNormalGeometry();
}

void FormWindow::build()
{
    controls_.reserve(design_.controls.size());
    for (const ControlDesign& d : design_.controls) {
        FormControl c;
        c.design = d;
        const FontSpec font = d.font.value_or(design_.font);
        c.values = designedValues(design_, d);
        c.widget = createControlWidget(d, designFont(font.pointSize, font.bold), this);
        if (d.cls == ControlClass::CommandButton) {
            auto* button = static_cast<QPushButton*>(c.widget);
            if (d.isDefault)
                defaultButton_ = button;
            if (d.isCancel)
                cancelButton_ = button;
        }
        controls_.push_back(c);
    }
    for (FormControl& c : controls_)
        applyGeometry(c);
    for (FormControl& c : controls_)
        if (const FormControl* label = find({design_.name, c.design.labelledBy}))
            c.widget->setAccessibleName(QString::fromStdString(label->design.caption).trimmed());
    for (auto c = controls_.rbegin(); c != controls_.rend(); ++c)
        if (isLightweight(c->design.cls))
            c->widget->lower();

    std::vector<const FormControl*> focusable;
    for (const FormControl& c : controls_)
        if (c.widget->focusPolicy() != Qt::NoFocus)
            focusable.push_back(&c);
    std::stable_sort(focusable.begin(), focusable.end(), [](const FormControl* a, const FormControl* b) {
        return a->design.tabIndex < b->design.tabIndex;
    });
    for (std::size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1]->widget, focusable[i]->widget);
}

FormControl* FormWindow::find(const ControlId& id)
{
    return const_cast<FormControl*>(static_cast<const FormWindow*>(this)->find(id));
}

const FormControl* FormWindow::find(const ControlId& id) const
{
    if (id.form != design_.name)
        return nullptr;
    for (const FormControl& c : controls_)
        if (c.design.name == id.name && c.design.index == id.index)
            return &c;
    return nullptr;
}

const FormControl* FormWindow::controlOf(const QWidget* widget) const
{
    for (const FormControl& c : controls_)
        if (c.widget == widget)
            return &c;
    return nullptr;
}

ControlId FormWindow::idOf(const FormControl& control) const
{
    return {design_.name, control.design.name, control.design.index};
}

int FormWindow::pixelsAcross(double units) const
{
    return toPixels(units * units_.across, twipsPerPixel_);
}

int FormWindow::pixelsDown(double units) const
{
    return toPixels(units * units_.down, twipsPerPixel_);
}

void FormWindow::applyGeometry(FormControl& c)
{
    if (c.design.cls == ControlClass::Line) {
        static_cast<LineWidget*>(c.widget)->setEnds({pixelsAcross(c.values.left), pixelsDown(c.values.top)},
                                                    {pixelsAcross(c.values.width), pixelsDown(c.values.height)});
        return;
    }
    c.widget->setGeometry(pixelsAcross(c.values.left), pixelsDown(c.values.top),
                          std::max(0, pixelsAcross(c.values.width)), std::max(0, pixelsDown(c.values.height)));
    if (!c.design.autoSize)
        return;
    QSize fitted;
    if (c.design.cls == ControlClass::Label)
        fitted = fittedLabelSize(*c.widget, c.design.wordWrap);
    else if (c.design.cls == ControlClass::PictureBox)
        fitted = static_cast<PictureBoxWidget*>(c.widget)->fittedSize();
    if (fitted.isEmpty())
        return;
    c.widget->resize(fitted);
    c.values.width = fitted.width() * twipsPerPixel_ / units_.across;
    c.values.height = fitted.height() * twipsPerPixel_ / units_.down;
}

double FormWindow::property(const FormControl& c, const std::string& name) const
{
    const std::optional<ControlProperty> property = controlPropertyNamed(c.design.cls, name);
    if (!property)
        noSuchProperty(c.design.name, name);
    return valueOf(c.values, *property);
}

void FormWindow::setProperty(FormControl& c, const std::string& name, double value)
{
    const std::optional<ControlProperty> property = controlPropertyNamed(c.design.cls, name);
    if (!property)
        noSuchProperty(c.design.name, name);
    valueOf(c.values, *property) = value;
    if (property == ControlProperty::FontSize) {
        const bool bold = c.design.font.value_or(design_.font).bold;
        c.widget->setFont(designFont(value, bold));
    }
    applyGeometry(c);
}

void FormWindow::setCaption(FormControl& c, const QString& caption)
{
    if (auto* label = qobject_cast<QLabel*>(c.widget))
        label->setText(caption);
    else if (auto* button = qobject_cast<QPushButton*>(c.widget))
        button->setText(caption);
    else
        throw std::logic_error("no caption on " + c.design.name);
    applyGeometry(c);
}

float FormWindow::formProperty(const std::string& name) const
{
    const std::optional<WindowProperty> property = windowPropertyNamed(name);
    if (!property)
        noSuchProperty(design_.name, name);
    return valueOf(outer_, *property);
}

void FormWindow::setFormProperty(const std::string& name, float value)
{
    const std::optional<WindowProperty> property = windowPropertyNamed(name);
    if (!property)
        noSuchProperty(design_.name, name);
    valueOf(outer_, *property) = value;
    if (property == WindowProperty::Left || property == WindowProperty::Top)
        positioned_ = true;
    applyNormalGeometry();
}

QRect FormWindow::normalClientRect() const
{
    const TwipsRect client = clientRectOf(outer_);
    const int x = toPixels(client.left, twipsPerPixel_);
    const int y = toPixels(client.top, twipsPerPixel_);
    const int w = toPixels(client.width, twipsPerPixel_);
    const int h = toPixels(client.height, twipsPerPixel_);
    return {x, y, std::max(1, w), std::max(1, h)};
}

void FormWindow::applyNormalGeometry()
{
    const QRect client = normalClientRect();
    if (design_.border == BorderStyle::FixedDialog)
        setFixedSize(client.size());
    pendingNormalGeometry_ =
        isVisible() && (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    if (pendingNormalGeometry_)
        return; // taken when the window is restored
    if (positioned_)
        setGeometry(client);
    else
        resize(client.size());
}

QWidget* FormWindow::firstInTabOrder() const
{
    const FormControl* first = nullptr;
    for (const FormControl& c : controls_)
        if (c.widget->focusPolicy() != Qt::NoFocus && (!first || c.design.tabIndex < first->design.tabIndex))
            first = &c;
    return first ? first->widget : nullptr;
}

void FormWindow::showAsDesigned()
{
    if (design_.state != WindowState::Maximized) {
        show();
        return;
    }
    // Maximized all the same where the program covers the screen itself: a
    // window manager started later then takes the window as maximized, and
    // its restore brings back the normal geometry, held pending meanwhile.
    setWindowState(Qt::WindowMaximized);
    if (isBareX11(*this)) {
        setGeometry(screen()->availableGeometry());
        pendingNormalGeometry_ = true;
    }
    show();
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    // The window goes only when the close query lets it: the handler
    // unloads it then.
    event->ignore();
    if (onCloseRequest)
        onCloseRequest();
}

void FormWindow::setVisible(bool visible)
{
    // Read before: hiding takes the focus from the window.
    const bool hadFocus = !visible && isActiveWindow();
    QWidget::setVisible(visible);
    if (hadFocus)
        focusWindowInFront(*this);
}

void FormWindow::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && defaultButton_) {
        defaultButton_->click();
        return;
    }
    if (event->key() == Qt::Key_Escape && cancelButton_) {
        cancelButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FormWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (pendingNormalGeometry_ && windowState() == Qt::WindowNoState)
        applyNormalGeometry();
}

} // namespace dravelo::platform::qt
