#include "report/ReportFile.h"

#include "report/SystemCodePage.h"

namespace dravelo::report {

namespace {

constexpr const char* kLineEnd = "\r\n";
// Windows drops the trailing blank of a name when it opens the file; other
// file systems keep it, so it is dropped here before opening.
constexpr const char* kFileSuffix = ".TXT ";

void appendLine(std::string& out, const ReportLine& line)
{
    int column = 1;
    for (const ReportItem& item : line) {
        if (const auto* tab = std::get_if<TabTo>(&item)) {
            if (column < tab->column) {
                out.append(static_cast<std::size_t>(tab->column - column), ' ');
                column = tab->column;
            }
        } else {
            std::string bytes = toSystemCodePage(std::get<std::string>(item));
            // A line break pasted into a field would split the report's
            // fixed twelve lines: it is written as a blank.
            for (char& c : bytes)
                if (c == '\r' || c == '\n')
                    c = ' ';
            out += bytes;
            column += static_cast<int>(bytes.size());
        }
    }
    out += kLineEnd;
}

} // namespace

std::string renderReport(const RapportoCalcolo& report)
{
    std::string out;
    for (const ReportLine& line : report.lines)
        appendLine(out, line);
    return out;
}

std::string nomeFileRapporto(const std::string& answer)
{
    std::string name = answer + kFileSuffix;
    name.pop_back();
    return name;
}

std::string SalvaRapporto(const RapportoCalcolo& report, const std::string& fileName, platform::FileSystem& files)
{
    return files.writeFile(fileName, renderReport(report));
}

} // namespace dravelo::report
