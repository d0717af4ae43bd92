#include "platform/qt/FormWindow.h"

#include "platform/qt/BareX11.h"
#include "platform/qt/ControlEventFilter.h"
#include "platform/qt/ControlFactory.h"
#include "platform/qt/DesignStyle.h"
#include "platform/qt/LineWidget.h"
#include "platform/qt/PictureWidgets.h"
#include "platform/qt/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <utility>

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

FormWindow::FormWindow(RuntimeCore& core, ControlEventFilter& events, const FormDesign& design, const Look& look,
                       const WindowPlace& place, double twipsPerPixel)
    : core_(core), events_(events), design_(design), twipsPerPixel_(twipsPerPixel), place_(place)
{
    setObjectName(QString::fromStdString(design_.name));
    setWindowTitle(QString::fromStdString(design_.caption));
    if (design_.border == BorderStyle::FixedDialog)
        setWindowFlags(kFixedDialogFlags);

    QPalette colours = palette();
    colours.setColor(QPalette::Window, toQColor(look.background, QApplication::palette()));
    colours.setColor(QPalette::WindowText, toQColor(look.foreground, QApplication::palette()));
    setPalette(colours);
    setAutoFillBackground(true);
    setFont(designFont(look.font.pointSize, look.font.bold));

    controls_.reserve(design_.controls.size());
    applyNormalGeometry();
}

std::optional<TwipsSize> FormWindow::addControl(const ControlDesign& design, const Look& look, const ControlBox& box)
{
    controls_.push_back({design, createControlWidget(design, look, this)});
    connectEvents(controls_.back());
    return applyGeometry(controls_.back(), box);
}

void FormWindow::connectEvents(const FormControl& c)
{
    const ControlId id = idOf(c);
    if (auto* button = qobject_cast<QPushButton*>(c.widget))
        QObject::connect(button, &QPushButton::clicked, &events_, [this, id] {
            if (!retired_)
                core_.press(id);
        });
    else if (auto* field = qobject_cast<QLineEdit*>(c.widget))
        QObject::connect(field, &QLineEdit::textChanged, &events_, [this, id] {
            if (!retired_)
                core_.textChanged(id);
        });
    if (c.widget->focusPolicy() != Qt::NoFocus)
        c.widget->installEventFilter(&events_);
}

void FormWindow::controlsAdded()
{
    for (FormControl& c : controls_)
        if (const FormControl* label = find({design_.name, c.design.labelledBy}))
            c.widget->setAccessibleName(QString::fromStdString(label->design.caption).trimmed());
    for (auto c = controls_.rbegin(); c != controls_.rend(); ++c)
        if (isLightweight(c->design.cls))
            c->widget->lower();
    const std::vector<std::size_t> order = tabOrderOf(design_);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(controls_[order[i - 1]].widget, controls_[order[i]].widget);
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
    if (retired_)
        return nullptr;
    for (const FormControl& c : controls_)
        if (c.widget == widget)
            return &c;
    return nullptr;
}

ControlId FormWindow::idOf(const FormControl& control) const
{
    return {design_.name, control.design.name, control.design.index};
}

void FormWindow::retire()
{
    retired_ = true;
    hide();
}

int FormWindow::pixels(double twips) const
{
    return toPixels(twips, twipsPerPixel_);
}

std::optional<TwipsSize> FormWindow::applyGeometry(const FormControl& c, const ControlBox& box)
{
    if (c.design.cls == ControlClass::Line) {
        static_cast<LineWidget*>(c.widget)->setEnds({pixels(box.left), pixels(box.top)},
                                                    {pixels(box.width), pixels(box.height)});
        return std::nullopt;
    }
    c.widget->setGeometry(pixels(box.left), pixels(box.top), std::max(0, pixels(box.width)),
                          std::max(0, pixels(box.height)));
    if (!c.design.autoSize)
        return std::nullopt;
    QSize fitted;
    if (c.design.cls == ControlClass::Label)
        fitted = fittedLabelSize(*c.widget, c.design.wordWrap);
    else if (c.design.cls == ControlClass::PictureBox)
        fitted = static_cast<PictureBoxWidget*>(c.widget)->fittedSize();
    if (fitted.isEmpty())
        return std::nullopt;
    c.widget->resize(fitted);
    return TwipsSize{fitted.width() * twipsPerPixel_, fitted.height() * twipsPerPixel_};
}

std::optional<TwipsSize> FormWindow::placeControl(ControlIndex control, const ControlBox& box)
{
    return applyGeometry(controls_[control], box);
}

void FormWindow::setControlFont(ControlIndex control, const FontSpec& font)
{
    controls_[control].widget->setFont(designFont(font.pointSize, font.bold));
}

std::string FormWindow::controlText(ControlIndex control) const
{
    const auto* field = qobject_cast<const QLineEdit*>(controls_[control].widget);
    return field ? field->text().toStdString() : std::string();
}

void FormWindow::setControlText(ControlIndex control, const std::string& text)
{
    QWidget* w = controls_[control].widget;
    const QString shown = QString::fromStdString(text);
    if (auto* field = qobject_cast<QLineEdit*>(w))
        field->setText(shown);
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(shown);
    else if (auto* button = qobject_cast<QPushButton*>(w))
        button->setText(shown);
}

void FormWindow::focusControl(ControlIndex control, FocusCause cause)
{
    QWidget* target = controls_[control].widget;
    QWidget* old = focusWidget();
    QPointer<QWidget> alive(target);
    QPointer<FormWindow> window(this);
    target->setFocus(Qt::OtherFocusReason);
    // Qt tells no focus change inside a window that is not active (a press
    // from another program): the move is told here instead.
    if (cause == FocusCause::Press && old && old != target && alive && window && !isActiveWindow() &&
        focusWidget() == target)
        events_.focusChanged(old, target);
}

std::optional<ControlIndex> FormWindow::focusedControl() const
{
    const QWidget* focused = focusWidget();
    for (ControlIndex i = 0; i < controls_.size(); ++i)
        if (controls_[i].widget == focused)
            return i;
    return std::nullopt;
}

void FormWindow::setCaption(const std::string& caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

void FormWindow::place(const WindowPlace& place)
{
    place_ = place;
    applyNormalGeometry();
}

QRect FormWindow::normalClientRect() const
{
    const TwipsRect client = clientRectOf(place_.outer);
    return {pixels(client.left), pixels(client.top), std::max(1, pixels(client.width)),
            std::max(1, pixels(client.height))};
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
    if (place_.positioned)
        setGeometry(client);
    else
        resize(client.size());
}

void FormWindow::showAsDesigned()
{
    if (design_.state == WindowState::Maximized) {
        // Maximized all the same where the program covers the screen
        // itself: a window manager started later then takes the window as
        // maximized, and its restore brings back the normal geometry, held
        // pending meanwhile.
        setWindowState(Qt::WindowMaximized);
        if (isBareX11(*this)) {
            setGeometry(screen()->availableGeometry());
            pendingNormalGeometry_ = true;
        }
    }
    show();
    raise();
    activateWindow();
}

void FormWindow::bringToFront()
{
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void FormWindow::setEnabled(bool enabled)
{
    if (!enabled) {
        heldFocus_ = {focusWidget()};
        if (auto* field = qobject_cast<QLineEdit*>(heldFocus_.widget.data())) {
            heldFocus_.cursor = field->cursorPosition();
            heldFocus_.selectionStart = field->selectionStart();
            heldFocus_.selectionLength = field->selectionLength();
        }
        QWidget::setEnabled(false);
        return;
    }
    QWidget::setEnabled(true);
    const HeldFocus held = std::exchange(heldFocus_, {});
    if (!held.widget || focusWidget())
        return;
    held.widget->setFocus(Qt::OtherFocusReason);
    auto* field = qobject_cast<QLineEdit*>(held.widget.data());
    if (!field)
        return;
    // The cursor at the end of the selection it stood at.
    if (held.selectionStart < 0)
        field->setCursorPosition(held.cursor);
    else if (held.cursor == held.selectionStart)
        field->setSelection(held.selectionStart + held.selectionLength, -held.selectionLength);
    else
        field->setSelection(held.selectionStart, held.selectionLength);
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    // The window goes only when the close query lets it: the core unloads
    // it then.
    event->ignore();
    if (!retired_)
        core_.closeRequested(design_.name);
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
    const bool escape = event->key() == Qt::Key_Escape;
    if (!retired_ && (enter || escape) && core_.windowKey(design_.name, enter ? WindowKey::Enter : WindowKey::Escape))
        return;
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
