// Prints a sample report on the default printer through the GDI print job
// and writes, in points, the measures print-queue.sh checks the PDF's
// layout against: average character width, line height, and the offset of
// the printable area from the page's top left corner.
// With --no-printer it expects the job to be refused and writes the reason.

#include "platform/win32/Win32Printer.h"
#include "report/RapportoCalcolo.h"
#include "report/ReportPrint.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using dravelo::platform::PrintJob;

constexpr double kTwipsPerPoint = 20;
constexpr double kPointsPerInch = 72;

// Passes every call on to the real job and keeps the font measures it gave.
class MeasuringJob : public PrintJob {
public:
    MeasuringJob(std::unique_ptr<PrintJob> job, float& average, float& line)
        : job_(std::move(job)), average_(average), line_(line) {}
    void setCurrentX(float t) override { job_->setCurrentX(t); }
    void setCurrentY(float t) override { job_->setCurrentY(t); }
    float currentX() const override { return job_->currentX(); }
    float currentY() const override { return job_->currentY(); }
    void setFontSize(double p) override { job_->setFontSize(p); }
    void setFontBold(bool b) override { job_->setFontBold(b); }
    float averageCharWidth() const override { return average_ = job_->averageCharWidth(); }
    float lineHeight() const override { return line_ = job_->lineHeight(); }
    void printText(const std::string& t) override { job_->printText(t); }
    std::string endDoc() override { return job_->endDoc(); }

private:
    std::unique_ptr<PrintJob> job_;
    float& average_;
    float& line_;
};

class DefaultPrinter : public dravelo::platform::Printing {
public:
    std::unique_ptr<PrintJob> startJob(std::string& whyNot) override
    {
        auto job = dravelo::platform::win32::startDefaultPrinterJob(whyNot);
        if (!job)
            return nullptr;
        return std::make_unique<MeasuringJob>(std::move(job), averageTwips, lineTwips);
    }
    float averageTwips = 0;
    float lineTwips = 0;
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
    const std::string failure = dravelo::report::StampaRapporto(dravelo::report::ComponiRapporto(inputs), printer);
    if (argc > 1 && std::strcmp(argv[1], "--no-printer") == 0) {
        std::printf("%s\n", failure.c_str());
        return failure.empty() ? 1 : 0;
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
