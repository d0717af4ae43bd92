#pragma once
// The standard dialogs: application-modal message box and input box, both
// titled with the application title unless given a title of their own.

#include "platform/FormsRuntime.h"

#include <QWidget>

#include <string>

namespace dravelo::platform::qt {

// Placed over parent (may be null). Esc and the close box give the answer of
// the button that dismisses the box: OK, or No.
MsgAnswer showMessageBox(QWidget* parent, const std::string& text, MsgButtons buttons, MsgIcon icon,
                         MsgDefault defaultButton);

// The typed text on OK, the empty text on Cancel or close.
std::string showInputBox(QWidget* parent, const std::string& prompt, const std::string& title);

} // namespace dravelo::platform::qt
