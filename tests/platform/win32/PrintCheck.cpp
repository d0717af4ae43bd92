// Prints a sample report on the default printer through the GDI print job
// and writes, in points, the measures print-queue.sh checks the PDF's
// layout against: average character width, line height, and the offset of
// the printable area from the page's top left corner.
// With --no-printer it expects the job to be refused and writes the reason;
// with --notice it expects the job to go out and writes what the user is told.

#include "platform/win32/Win32Printer.h"
#include "report/RapportoCalcolo.h"
#include "report/ReportPrint.h"
#include "tests/support/MeasuringPrinter.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr double kTwipsPerPoint = 20;
constexpr double kPointsPerInch = 72;

// The default printer, keeping the font measures each job gave.
class DefaultPrinter : public dravelo::testing::MeasuringPrinter {
public:
    DefaultPrinter()
        : MeasuringPrinter([](std::string& whyNot) {
              return dravelo::platform::win32::startDefaultPrinterJob(whyNot, dravelo::platform::win32::waitWithoutWindows);
          })
    {
    }
};

// The printable area's offset from the page corner, in points.
bool printableOffset(double& left, double& top)
{
    wchar_t name[256];
    DWORD size = 256;
    if (!GetDefaultPrinterW(name, &size))
        return false;
    HDC dc = CreateDCW(L"WINSPOOL", name, nullptr, nullptr);
    if (!dc)
        return false;
    left = GetDeviceCaps(dc, PHYSICALOFFSETX) * kPointsPerInch / GetDeviceCaps(dc, LOGPIXELSX);
    top = GetDeviceCaps(dc, PHYSICALOFFSETY) * kPointsPerInch / GetDeviceCaps(dc, LOGPIXELSY);
    DeleteDC(dc);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const dravelo::report::ReportInputs inputs{"Gasolio più pesante", "85,5", "12,5", "1", "0", "1", "10005,9",
                                               "07/12/2026", "10:11:12"};
    DefaultPrinter printer;
    const auto [failure, notice] = dravelo::report::StampaRapporto(dravelo::report::ComponiRapporto(inputs), printer);
    if (argc > 1 && std::strcmp(argv[1], "--no-printer") == 0) {
        std::printf("%s\n", failure.c_str());
        return failure.empty() ? 1 : 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--notice") == 0) {
        std::printf("%s\n", failure.empty() ? notice.c_str() : failure.c_str());
        return failure.empty() && !notice.empty() ? 0 : 1;
    }
    double left = 0, top = 0;
    if (!failure.empty() || !printableOffset(left, top)) {
        std::fprintf(stderr, "print-check: %s\n", failure.c_str());
        return 1;
    }
    std::printf("%.3f %.3f %.3f %.3f\n", printer.averageTwips / kTwipsPerPoint, printer.lineTwips / kTwipsPerPoint,
                left, top);
    return 0;
}
