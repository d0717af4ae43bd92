#pragma once
// The words the system's message boxes put on their buttons, in the
// user's language, for the dialogs the program builds itself.

#include <string>

namespace dravelo::platform::win32 {

// The word of the button IDOK, IDCANCEL, IDYES, ... (UTF-16, with its access
// key "&" where it has one), or fallback when the system gives none.
std::wstring systemButtonWord(int buttonId, const std::wstring& fallback);

} // namespace dravelo::platform::win32
