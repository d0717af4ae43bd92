// The control events with the program's semantics: a field's leave runs
// only when the focus moves to another control of the same window (never
// for a message box or a change of active window), before the click that
// moved it; a refused leave cancels that click; every press of a button
// (mouse, key, accessibility action, the program's own click) moves the
// focus before it clicks; KeyPress sees every character key.

#include "platform/qt/ControlEventFilter.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/QtRuntime.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QShortcutEvent>
#include <QTimer>

namespace dravelo::platform::qt {

namespace {

constexpr char32_t kTab = u'\t';
constexpr char32_t kDelete = 0x7F;
constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kEscape = 27;
// KeyAscii is a 16-bit signed code: characters beyond it show as '?'.
constexpr char32_t kLargestKeyAscii = 0x7FFF;
constexpr std::int16_t kUnrepresentable = u'?';

bool isEnterKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

// The keypad's decimal key, whatever the keyboard layout puts on it.
bool isKeypadDecimal(const QKeyEvent& event)
{
    return (event.modifiers() & Qt::KeypadModifier) && !event.text().isEmpty() &&
           (event.key() == Qt::Key_Period || event.key() == Qt::Key_Comma);
}

FormWindow* formWindowOf(QWidget* widget)
{
    return widget ? dynamic_cast<FormWindow*>(widget->window()) : nullptr;
}

} // namespace

bool ControlEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && runtime_.controlEvent(widget, event);
}

void QtRuntime::focusChanged(QWidget* old, QWidget* now)
{
    if (ended_ || !events_ || !old || !now)
        return;
    FormWindow* w = formWindowOf(old);
    if (!w || formWindowOf(now) != w)
        return; // a message box, another window, or no window at all
    // Moving on from the control a running leave handler was leaving for
    // (typically back to its field) does not leave that control.
    if (old == leaveTarget_)
        return;
    const FormControl* field = w->controlOf(old);
    if (!field || field->design.cls != ControlClass::TextBox)
        return;

    const ControlId id = w->idOf(*field);
    QPointer<FormWindow> window(w);
    QPointer<QWidget> target(now);
    QPointer<QWidget> outerTarget = leaveTarget_;
    leaveTarget_ = now;
    dispatch([&](FormEvents& e) { e.lostFocus(id); });
    leaveTarget_ = outerTarget;

    if (target && window && window->focusWidget() != target) {
        // The handler kept the focus: the press that moved it is void.
        refusedTarget_ = target;
        QTimer::singleShot(0, filter_.get(), [this] { refusedTarget_ = nullptr; });
    }
}

bool QtRuntime::controlEvent(QWidget* widget, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (refusedTarget_ && widget == refusedTarget_) {
            refusedTarget_ = nullptr;
            return true;
        }
        return false;
    case QEvent::Shortcut:
        if (static_cast<QShortcutEvent*>(event)->isAmbiguous())
            return false; // Qt moves the focus among the candidates
        // The press moves the focus first, as every press does (connectEvents).
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->click();
        return true;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (qobject_cast<QLineEdit*>(widget))
            return fieldKeyPress(widget, key);
        // A focused button answers Enter, as on the desktop it comes from.
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button && isEnterKey(*key)) {
            button->click();
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

bool QtRuntime::focusForPress(QWidget* button)
{
    FormWindow* w = formWindowOf(button);
    if (ended_ || !w)
        return false;
    QWidget* old = w->focusWidget();
    if (old == button)
        return true;
    QPointer<QWidget> alive(button);
    QPointer<FormWindow> window(w);
    button->setFocus(Qt::OtherFocusReason);
    // Qt tells no focus change inside a window that is not active (a press
    // from another program): the leave runs here instead.
    if (old && alive && window && !window->isActiveWindow() && window->focusWidget() == alive)
        focusChanged(old, alive);
    // If the leave kept the focus the press is void; the button is already
    // up by now, so nothing stays half pressed.
    return alive && window && !ended_ && window->focusWidget() == alive;
}

bool QtRuntime::fieldKeyPress(QWidget* field, QKeyEvent* event)
{
    if (resendingKey_ || ended_)
        return false;
    QString text = event->text();
    if (isKeypadDecimal(*event))
        text = QLocale::system().decimalPoint();
    const QList<uint> codes = text.toUcs4();
    if (codes.size() != 1 || codes.front() == kTab || codes.front() == kDelete)
        return false; // not a character key
    const char32_t code = codes.front();
    const std::int16_t typed = code > kLargestKeyAscii ? kUnrepresentable : static_cast<std::int16_t>(code);

    FormWindow* w = formWindowOf(field);
    const FormControl* control = w ? w->controlOf(field) : nullptr;
    if (!control)
        return false;
    const ControlId id = w->idOf(*control);
    QPointer<QWidget> alive(field);
    std::int16_t keyAscii = typed;
    dispatch([&](FormEvents& e) { e.keyPress(id, keyAscii); });
    if (!alive || ended_)
        return true;
    if (keyAscii == 0)
        return true; // the handler cancelled the key
    // An Enter or Esc whose handler moved the focus is spent: the default
    // or cancel button does not act on it.
    if ((keyAscii == kEnter || keyAscii == kEscape) && w->focusWidget() != field)
        return true;

    const QString delivered = keyAscii == typed ? text : QString(QChar(static_cast<char16_t>(keyAscii)));
    if (delivered == event->text())
        return false;
    const Qt::Key key = keyAscii == kEnter ? Qt::Key_Return : static_cast<Qt::Key>(event->key());
    QKeyEvent replaced(event->type(), key, event->modifiers() & ~Qt::KeypadModifier, delivered,
                       event->isAutoRepeat(), static_cast<ushort>(event->count()));
    resendingKey_ = true;
    QCoreApplication::sendEvent(field, &replaced);
    resendingKey_ = false;
    return true;
}

} // namespace dravelo::platform::qt
