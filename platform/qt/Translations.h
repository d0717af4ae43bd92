#pragma once
// Qt's own words (Yes, No, OK, Cancel) in the user's language.

namespace dravelo::platform::qt {

// Loads Qt's qtbase translation for the system locale, if installed.
void installQtTranslations();

} // namespace dravelo::platform::qt
