#pragma once
// The standard dialogs on the system's own calls: the message box and the
// input box, both modal, texts in UTF-8.

#include "platform/FormsRuntime.h"

#include <windows.h>

#include <string>

namespace dravelo::platform::win32 {

// MessageBoxW titled with the application title, with the system's own
// button words, modal to every window of the thread; owned by owner when
// one is given. A Yes/No box that cannot be shown answers No.
MsgAnswer showMessageBox(HWND owner, const std::string& text, MsgButtons buttons, MsgIcon icon,
                         MsgDefault defaultButton);

// A small modal dialog with the prompt, an empty edit line, OK and Cancel.
// The typed text on OK; the empty text on Cancel, Esc or the close box.
// An empty title shows the application title.
std::string showInputBox(HWND owner, const std::string& prompt, const std::string& title);

} // namespace dravelo::platform::win32
