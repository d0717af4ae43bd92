#pragma once
// Hands the key, mouse, access-key and focus events of every control to the
// runtime core, which gives them the program's semantics; keeps what is
// Qt's own: which widget is which control, a mouse press that Qt has
// already begun, the keypad's decimal key.

#include "platform/RuntimeCore.h"

#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace dravelo::platform::qt {

// The control a widget is, or none.
std::optional<ControlId> controlIdOf(const QWidget* widget);

class ControlEventFilter : public QObject {
public:
    explicit ControlEventFilter(RuntimeCore& core) : core_(core) {}
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Every focus change of the application: one between controls of a
    // window may be a field's leave.
    void focusChanged(QWidget* old, QWidget* now);

private:
    bool fieldKeyPress(const ControlId& field, QWidget* widget, QKeyEvent* event);

    RuntimeCore& core_;
    // Qt moves the focus on a mouse press before anyone sees the press:
    // the control whose focus move a leave refused, so that the press that
    // caused the move does not act on it.
    QPointer<QWidget> refusedTarget_;
    bool resendingKey_ = false;
};

} // namespace dravelo::platform::qt
