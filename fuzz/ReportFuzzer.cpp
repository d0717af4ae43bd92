// Fuzzes the report writer with any field texts and any file name answer.
// Checked for every input: the file is exactly 12 lines, each closed by
// CR LF with no other line break in it; the title and the two empty lines
// stand where they belong; on lines 3 to 11 the label begins at column 6
// and " = " occupies columns 50 to 52; one byte per character, so the line
// of a value is no longer than its UTF-8 text; and the file name is the
// answer followed by ".TXT".

#include "report/RapportoCalcolo.h"
#include "report/ReportFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace dravelo::report;

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSeparator = " = ";
constexpr std::size_t kLabelOffset = kLabelColumn - 1;
constexpr std::size_t kSeparatorOffset = kValueColumn - 1;
constexpr std::size_t kFirstValueLine = 2; // zero-based: line 3
constexpr std::size_t kLastValueLine = 10; // zero-based: line 11

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

std::vector<std::string_view> splitLines(std::string_view file)
{
    std::vector<std::string_view> lines;
    while (!file.empty()) {
        const auto end = file.find(kLineEnd);
        if (end == std::string_view::npos)
            fail("text after the last line end");
        lines.push_back(file.substr(0, end));
        file.remove_prefix(end + kLineEnd.size());
    }
    return lines;
}

// The value texts of lines 3 to 11, in line order.
std::vector<const std::string*> valuesByLine(const ReportInputs& in)
{
    return {&in.date, &in.time, &in.fuelName, &in.carbon, &in.hydrogen,
            &in.oxygen, &in.chlorine, &in.sulphur, &in.lowerHeatingValue};
}

void checkFile(std::string_view file, const ReportInputs& inputs)
{
    const auto lines = splitLines(file);
    if (lines.size() != static_cast<std::size_t>(kReportLines))
        fail("the report is not 12 lines");
    if (lines[0] != kReportTitle || !lines[1].empty() || !lines[11].empty())
        fail("title or empty lines misplaced");
    const auto values = valuesByLine(inputs);
    for (std::size_t i = kFirstValueLine; i <= kLastValueLine; ++i) {
        const std::string_view line = lines[i];
        if (line.find_first_of("\r\n") != std::string_view::npos)
            fail("a line break inside a line");
        if (line.size() < kSeparatorOffset + kSeparator.size())
            fail("a value line is too short");
        if (line.find_first_not_of(' ') != kLabelOffset)
            fail("the label does not begin at column 6");
        if (line.substr(kSeparatorOffset, kSeparator.size()) != kSeparator)
            fail("\" = \" is not at columns 50 to 52");
        const std::size_t valueBytes = line.size() - kSeparatorOffset - kSeparator.size();
        // The value, and the unit behind it, take at most one byte per
        // UTF-8 byte plus the unit.
        constexpr std::size_t kLongestUnit = 12;
        if (valueBytes > values[i - kFirstValueLine]->size() + kLongestUnit)
            fail("a value takes more than one byte per character");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    ReportInputs inputs;
    for (std::string* field : {&inputs.fuelName, &inputs.carbon, &inputs.hydrogen, &inputs.oxygen,
                               &inputs.chlorine, &inputs.sulphur, &inputs.lowerHeatingValue, &inputs.date,
                               &inputs.time})
        *field = provider.ConsumeRandomLengthString();
    const std::string answer = provider.ConsumeRemainingBytesAsString();

    checkFile(renderReport(ComponiRapporto(inputs)), inputs);
    if (nomeFileRapporto(answer) != answer + ".TXT")
        fail("the file name is not the answer and \".TXT\"");
    return 0;
}
