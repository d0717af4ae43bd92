// The control events as Qt gives them, handed to the runtime core: focus
// changes, mouse presses, access keys and the characters typed into fields.

#include "platform/qt/ControlEventFilter.h"
#include "platform/qt/FormWindow.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QShortcutEvent>
#include <QTimer>

namespace dravelo::platform::qt {

namespace {

constexpr char32_t kTab = u'\t';
constexpr char32_t kDelete = 0x7F;
constexpr std::int16_t kEnter = 13;
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

} // namespace

std::optional<ControlId> controlIdOf(const QWidget* widget)
{
    const auto* window = widget ? dynamic_cast<const FormWindow*>(widget->window()) : nullptr;
    const FormControl* control = window ? window->controlOf(widget) : nullptr;
    return control ? std::optional(window->idOf(*control)) : std::nullopt;
}

void ControlEventFilter::focusChanged(QWidget* old, QWidget* now)
{
    const std::optional<ControlId> from = controlIdOf(old);
    const std::optional<ControlId> to = controlIdOf(now);
    if (!from || !to || !core_.focusMoved(*from, *to))
        return;
    QPointer<QWidget> target(now);
    if (!core_.runPendingLeaves() && target) {
        refusedTarget_ = target;
        QTimer::singleShot(0, this, [this] { refusedTarget_ = nullptr; });
    }
}

bool ControlEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    const std::optional<ControlId> id = controlIdOf(widget);
    if (!id)
        return false;
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
        core_.press(*id);
        return true;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (qobject_cast<QLineEdit*>(widget))
            return fieldKeyPress(*id, widget, key);
        if (qobject_cast<QAbstractButton*>(widget) && isEnterKey(*key)) {
            core_.windowKey(id->form, WindowKey::Enter);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

bool ControlEventFilter::fieldKeyPress(const ControlId& field, QWidget* widget, QKeyEvent* event)
{
    if (resendingKey_)
        return false;
    QString text = event->text();
    if (isKeypadDecimal(*event))
        text = QLocale::system().decimalPoint();
    const QList<uint> codes = text.toUcs4();
    if (codes.size() != 1 || codes.front() == kTab || codes.front() == kDelete)
        return false; // not a character key
    const char32_t code = codes.front();
    const std::int16_t typed = code > kLargestKeyAscii ? kUnrepresentable : static_cast<std::int16_t>(code);

    QPointer<QWidget> alive(widget);
    std::int16_t keyAscii = typed;
    // Enter and Esc go on to the field, which leaves them to its window's
    // default and cancel buttons (FormWindow::keyPressEvent).
    if (core_.keyTyped(field, keyAscii) == KeyOutcome::Spent || !alive)
        return true;
    const QString delivered = keyAscii == typed ? text : QString(QChar(static_cast<char16_t>(keyAscii)));
    if (delivered == event->text())
        return false;
    const Qt::Key key = keyAscii == kEnter ? Qt::Key_Return : static_cast<Qt::Key>(event->key());
    QKeyEvent replaced(event->type(), key, event->modifiers() & ~Qt::KeypadModifier, delivered,
                       event->isAutoRepeat(), static_cast<ushort>(event->count()));
    resendingKey_ = true;
    QCoreApplication::sendEvent(widget, &replaced);
    resendingKey_ = false;
    return true;
}

} // namespace dravelo::platform::qt
