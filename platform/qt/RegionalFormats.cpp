#include "platform/qt/RegionalFormats.h"

namespace dravelo::platform::qt {

namespace {

// Removes the time-zone fields ("t") from a Qt time format, with the blanks
// that separated them, leaving quoted literal text alone.
QString withoutTimeZone(const QString& format)
{
    QString result;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        result.append(c);
    }
    return result.simplified();
}

// The long time format has seconds everywhere; add them to a format that
// has none.
QString withSeconds(QString format)
{
    if (format.contains(u's'))
        return format;
    const qsizetype minutes = format.lastIndexOf(QStringLiteral("mm"));
    if (minutes >= 0)
        format.insert(minutes + 2, QStringLiteral(":ss"));
    return format;
}

} // namespace

NumberFormat numberFormatOf(const QLocale& locale)
{
    // Qt gives the C locale a "," group separator, under which "85,5" would
    // read as 855; C settings group nothing.
    if (locale.language() == QLocale::C)
        return cNumberFormat();
    NumberFormat format;
    format.decimalSeparator = locale.decimalPoint().toStdString();
    format.groupSeparator = locale.groupSeparator().toStdString();
    format.negativeSign = locale.negativeSign().toStdString();
    format.positiveSign = locale.positiveSign().toStdString();
    // Written upper case, as the general number format writes it.
    format.exponential = locale.exponential().toUpper().toStdString();
    return format;
}

QString dateTextOf(const QLocale& locale, const QDate& date)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString timeTextOf(const QLocale& locale, const QTime& time)
{
    return locale.toString(time, withSeconds(withoutTimeZone(locale.timeFormat(QLocale::LongFormat))));
}

} // namespace dravelo::platform::qt
