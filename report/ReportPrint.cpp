#include "report/ReportPrint.h"

namespace dravelo::report {

namespace {

// Texts advance x; a tab moves x to its column, counted in average
// character widths from the printable area's left edge; the line ends at
// the left edge, one line height down.
void printLine(platform::PrintJob& job, const ReportLine& line)
{
    for (const ReportItem& item : line) {
        if (const auto* tab = std::get_if<TabTo>(&item))
            job.setCurrentX(static_cast<float>(tab->column - 1) * job.averageCharWidth());
        else
            job.printText(std::get<std::string>(item));
    }
    job.setCurrentX(0);
    job.setCurrentY(job.currentY() + job.lineHeight());
}

} // namespace

PrintOutcome StampaRapporto(const RapportoCalcolo& report, platform::Printing& printing)
{
    std::string whyNot;
    std::unique_ptr<platform::PrintJob> job = printing.startJob(whyNot);
    if (!job)
        return {whyNot, {}};
    job->setCurrentX(kPrintStartTwips);
    job->setCurrentY(kPrintStartTwips);
    job->setFontSize(kPrintFontPoints);
    job->setFontBold(true);
    for (const ReportLine& line : report.lines)
        printLine(*job, line);
    PrintOutcome outcome{job->endDoc(), {}};
    if (outcome.failure.empty())
        outcome.notice = job->notice();
    return outcome;
}

} // namespace dravelo::report
