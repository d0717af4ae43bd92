#pragma once
// The user's regional formats, from Qt's system locale.

#include "platform/NumberText.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace dravelo::platform::qt {

NumberFormat numberFormatOf(const QLocale& locale);

// The locale's short date.
QString dateTextOf(const QLocale& locale, const QDate& date);
// Time of day with hours, minutes and seconds in the locale's format,
// without the time zone.
QString timeTextOf(const QLocale& locale, const QTime& time);

} // namespace dravelo::platform::qt
