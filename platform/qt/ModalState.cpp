#include "platform/qt/ModalState.h"

#include "platform/qt/FormWindow.h"

#include <QLineEdit>

namespace dravelo::platform::qt {

ModalState::Scope::Scope(ModalState& state) : state_(state)
{
    if (state_.depth_++ == 0)
        state_.hold();
}

ModalState::Scope::~Scope()
{
    if (--state_.depth_ == 0)
        state_.release();
}

void ModalState::hold()
{
    for (FormWindow* window : windows_()) {
        if (!window)
            continue;
        Held held{window, window->focusWidget()};
        if (auto* field = qobject_cast<QLineEdit*>(held.focus.data())) {
            held.cursor = field->cursorPosition();
            held.selectionStart = field->selectionStart();
            held.selectionLength = field->selectionLength();
        }
        held_.push_back(held);
        window->setEnabled(false);
    }
}

void ModalState::release()
{
    std::vector<Held> held;
    held.swap(held_);
    for (const Held& h : held) {
        if (!h.window)
            continue;
        h.window->setEnabled(true);
        if (!h.focus || h.window->focusWidget())
            continue;
        h.focus->setFocus(Qt::OtherFocusReason);
        auto* field = qobject_cast<QLineEdit*>(h.focus.data());
        if (!field)
            continue;
        // The cursor at the end of the selection it stood at.
        if (h.selectionStart < 0)
            field->setCursorPosition(h.cursor);
        else if (h.cursor == h.selectionStart)
            field->setSelection(h.selectionStart + h.selectionLength, -h.selectionLength);
        else
            field->setSelection(h.selectionStart, h.selectionLength);
    }
}

} // namespace dravelo::platform::qt
