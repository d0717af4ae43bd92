#include "forms/Designs.h"
#include "report/ReportFile.h"
#include "report/ReportHandlers.h"
#include "tests/support/FakeRuntime.h"

#include <gtest/gtest.h>

#include <fstream>

namespace dravelo::report {
namespace {

using testing::FakeRuntime;

// Letters outside ASCII in the shared expected report are all in
// U+00A0..U+00FF, where Windows-1252 keeps the Unicode code.
std::string latinToWindows1252(const std::string& utf8)
{
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            bytes += utf8[i];
        } else if ((lead == 0xC2 || lead == 0xC3) && i + 1 < utf8.size()) {
            const unsigned code = (lead & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
            EXPECT_GE(code, 0xA0u) << "a control character in the expected report";
            bytes += static_cast<char>(code);
        } else {
            ADD_FAILURE() << "a letter beyond U+00FF in the expected report";
        }
    }
    return bytes;
}

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
}

// The first worked example's report as saved: the shared file holds it as
// UTF-8 lines with {date} and {time}; a saved report is Windows-1252 with
// CR LF.
std::string expectedWorkedExampleReport(const std::string& date, const std::string& time)
{
    std::ifstream in(DRAVELO_WORKED_EXAMPLE_REPORT, std::ios::binary);
    EXPECT_TRUE(in.is_open()) << DRAVELO_WORKED_EXAMPLE_REPORT;
    std::string bytes;
    for (std::string line; std::getline(in, line);) {
        replaceAll(line, "{date}", date);
        replaceAll(line, "{time}", time);
        bytes += latinToWindows1252(line) + "\r\n";
    }
    return bytes;
}

std::vector<std::string> splitCrLf(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "bytes after the last CR LF";
    return lines;
}

class SalvaTest : public ::testing::Test {
protected:
    SalvaTest() : runtime(forms::allDesigns()) { runtime.show(forms::kForm2); }

    void fill(const std::vector<std::string>& texts)
    {
        const char* names[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text9"};
        for (std::size_t i = 0; i < texts.size(); ++i)
            runtime.setText({forms::kForm2, names[i]}, texts[i]);
    }

    std::string save(const std::string& answer)
    {
        runtime.inputAnswers.push_back(answer);
        Command5_Click(runtime);
        const std::string name = answer + ".TXT";
        EXPECT_EQ(runtime.files.count(name), 1u) << name;
        return runtime.files[name];
    }

    FakeRuntime runtime;
};

TEST_F(SalvaTest, WritesTheReportByteForByte)
{
    fill({"Gasolio più pesante", "85,5", "11,2", "0,8", "0", "2,5", "9493,8"});
    EXPECT_EQ(save("rapp5"), expectedWorkedExampleReport(runtime.date_, runtime.time_));
    ASSERT_EQ(runtime.inputPrompts.size(), 1u);
    EXPECT_EQ(runtime.inputPrompts[0].first, "Nome file - Max 8 caratteri");
    EXPECT_EQ(runtime.inputPrompts[0].second, "Calcolo del potere calorifico dei combustibili");
    EXPECT_TRUE(runtime.messages.empty());
    EXPECT_EQ(runtime.files.size(), 1u);
}

// Whatever the field texts, the file has 12 lines, " = " in columns 50 to
// 52 on lines 3 to 11, and ends with CR LF CR LF.
TEST_F(SalvaTest, ColumnsAndLineEndsHoldForAnyFieldTexts)
{
    const std::vector<std::vector<std::string>> cases = {
        {"Metano", "75", "25", "0", "0", "0,5", "11947,6"},
        {"", "", "", "", "", "", ""},
        {"Un combustibile dal nome molto lungo, più di cinquanta caratteri", "0085,50  ", "-1", "1E+300", "x", " ",
         "1,23456789012346E+15"},
    };
    for (const auto& texts : cases) {
        SCOPED_TRACE(texts[0]);
        fill(texts);
        const std::string bytes = save("cols");
        ASSERT_GE(bytes.size(), 4u);
        EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");
        const std::vector<std::string> lines = splitCrLf(bytes);
        ASSERT_EQ(lines.size(), 12u);
        EXPECT_EQ(lines[1], "");
        EXPECT_EQ(lines[11], "");
        for (int i = 2; i <= 10; ++i) {
            EXPECT_EQ(lines[i].substr(0, 5), "     ") << "line " << i + 1;
            EXPECT_NE(lines[i][5], ' ') << "line " << i + 1;
            EXPECT_EQ(lines[i].substr(49, 3), " = ") << "line " << i + 1;
        }
        for (const std::string& line : lines) {
            EXPECT_EQ(line.find('\r'), std::string::npos);
            EXPECT_EQ(line.find('\n'), std::string::npos);
        }
    }
}

TEST_F(SalvaTest, EmptyFieldsLeaveTheValuesEmpty)
{
    const std::vector<std::string> lines = splitCrLf(save("vuoto"));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[4], "     Nome combustibile                            = ");
    EXPECT_EQ(lines[5], "     Carbonio                                     =  % (in peso)");
    EXPECT_EQ(lines[8], "     Cloro                                        =  % (in peso)");
    EXPECT_EQ(lines[10], "     Potere calorifico inferiore                  =  kcal/kg");
}

TEST_F(SalvaTest, FieldTextsAreCopiedCharacterForCharacter)
{
    fill({"  Gas  ", "085,50", "1.5", "", "0  ", "abc", "0"});
    const std::vector<std::string> lines = splitCrLf(save("copia"));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[4].substr(49), " =   Gas  ");
    EXPECT_EQ(lines[5].substr(49), " = 085,50 % (in peso)");
    EXPECT_EQ(lines[6].substr(49), " = 1.5 % (in peso)");
    EXPECT_EQ(lines[8].substr(49), " = 0   % (in peso)");
    EXPECT_EQ(lines[9].substr(49), " = abc % (in peso)");
    EXPECT_EQ(lines[10].substr(49), " = 0 kcal/kg");
}

TEST_F(SalvaTest, LineBreaksInAFieldKeepTheTwelveLines)
{
    fill({"Gas\r\nnaturale", "75\n", "\r25"});
    const std::vector<std::string> lines = splitCrLf(save("righe"));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[4].substr(49), " = Gas  naturale");
    EXPECT_EQ(lines[5].substr(49), " = 75  % (in peso)");
    EXPECT_EQ(lines[6].substr(49), " =  25 % (in peso)");
}

TEST_F(SalvaTest, NonAsciiFuelNameIsOneBytePerCharacterInWindows1252)
{
    fill({"Gasolio più pesante"});
    std::vector<std::string> lines = splitCrLf(save("gasolio"));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[4].substr(49), " = Gasolio pi\xF9 pesante");

    fill({"Gas Ω €"});
    lines = splitCrLf(save("omega"));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[4].substr(49), " = Gas ? \x80");
}

TEST_F(SalvaTest, DateAndTimeAreTheClockTexts)
{
    runtime.date_ = "31/01/2027";
    runtime.time_ = "23:59:58";
    const std::vector<std::string> lines = splitCrLf(save("ora"));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[2].substr(49), " = 31/01/2027");
    EXPECT_EQ(lines[3].substr(49), " = 23:59:58");
}

TEST(NomeFileRapporto, AnswerUsedUnchangedFollowedByTxt)
{
    const std::pair<std::string, std::string> cases[] = {
        {"rapp5", "rapp5.TXT"},
        {"", ".TXT"},
        {"rapp.txt", "rapp.txt.TXT"},
        {"rapportodicalcolo", "rapportodicalcolo.TXT"},
        {"cartella/r", "cartella/r.TXT"},
        {" a ", " a .TXT"},
        {"più", "più.TXT"},
    };
    for (const auto& [answer, name] : cases)
        EXPECT_EQ(nomeFileRapporto(answer), name) << '"' << answer << '"';
}

TEST_F(SalvaTest, CancelSavesToDotTxt)
{
    Command5_Click(runtime); // no scripted answer: Cancel
    EXPECT_EQ(runtime.files.count(".TXT"), 1u);
    EXPECT_TRUE(runtime.messages.empty());
}

TEST_F(SalvaTest, SavingAgainReplacesTheEarlierReport)
{
    fill({"Primo"});
    save("rapp");
    fill({"Secondo"});
    runtime.time_ = "10:15:00";
    const std::vector<std::string> lines = splitCrLf(save("rapp"));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[3].substr(49), " = 10:15:00");
    EXPECT_EQ(lines[4].substr(49), " = Secondo");
    EXPECT_TRUE(runtime.messages.empty());
}

TEST_F(SalvaTest, FailedSaveTellsTheFileAndReasonAndChangesNothing)
{
    fill({"Metano", "75", "25", "0", "0", "0,5", "11947,6"});
    runtime.failingWrites["nodir/rapp.TXT"] = "Cartella inesistente";
    runtime.inputAnswers.push_back("nodir/rapp");
    Command5_Click(runtime);

    EXPECT_TRUE(runtime.files.empty());
    ASSERT_EQ(runtime.messages.size(), 1u);
    const testing::ShownMessage& m = runtime.messages[0];
    EXPECT_NE(m.text.find("\"nodir/rapp.TXT\""), std::string::npos) << m.text;
    EXPECT_NE(m.text.find("Cartella inesistente"), std::string::npos) << m.text;
    EXPECT_EQ(m.buttons, platform::MsgButtons::Ok);
    EXPECT_EQ(m.icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(runtime.text({forms::kForm2, "Text1"}), "Metano");
    EXPECT_EQ(runtime.text({forms::kForm2, "Text9"}), "11947,6");
    EXPECT_TRUE(runtime.isLoaded(forms::kForm2));
    EXPECT_FALSE(runtime.ended());

    // The program goes on: the next save works.
    save("rapp");
    EXPECT_EQ(runtime.messages.size(), 1u);
}

} // namespace
} // namespace dravelo::report
