#include "platform/qt/QtServices.h"

#include "platform/qt/FileServices.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/RegionalFormats.h"

#include <QLocale>

namespace dravelo::platform::qt {

QDateTime QtServices::now() const
{
    return fixedNow_ ? *fixedNow_ : QDateTime::currentDateTime();
}

std::string QtServices::dateText() const
{
    return dateTextOf(QLocale::system(), now().date()).toStdString();
}

std::string QtServices::timeText() const
{
    return timeTextOf(QLocale::system(), now().time()).toStdString();
}

NumberFormat QtServices::numberFormat() const
{
    return numberFormatOf(QLocale::system());
}

std::string QtServices::writeFile(const std::string& path, const std::string& bytes)
{
    return writeFileAtomically(path, bytes, wait_);
}

std::string QtServices::firstMatch(const std::string& pattern) const
{
    return firstFileMatching(pattern);
}

bool QtServices::launch(const std::string& program)
{
    return startProgram(program);
}

std::unique_ptr<PrintJob> QtServices::startJob(std::string& whyNot)
{
    return startDefaultPrinterJob(whyNot, wait_, programEnded_);
}

} // namespace dravelo::platform::qt
