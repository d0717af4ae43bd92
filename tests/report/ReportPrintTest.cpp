#include "forms/Designs.h"
#include "report/ReportHandlers.h"
#include "report/ReportPrint.h"
#include "tests/support/FakeRuntime.h"

#include <gtest/gtest.h>

namespace dravelo::report {
namespace {

using testing::FakeRuntime;
using testing::PrintedText;

class StampaTest : public ::testing::Test {
protected:
    StampaTest() : runtime(forms::allDesigns())
    {
        runtime.show(forms::kForm2);
        const char* names[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text9"};
        const char* texts[] = {"Metano", "75", "25", "0", "0", "0,5", "11947,6"};
        for (std::size_t i = 0; i < std::size(names); ++i)
            runtime.setText({forms::kForm2, names[i]}, texts[i]);
    }

    // The fake's 12 point font: every character 120 twips wide, lines 288 apart.
    static constexpr float kAverage = 120;
    static constexpr float kLine = 288;

    FakeRuntime runtime;
};

TEST_F(StampaTest, LaysOutTheTwelveLines)
{
    Command3_Click(runtime);
    EXPECT_TRUE(runtime.messages.empty());
    ASSERT_EQ(runtime.documents.size(), 1u);
    const testing::FakeDocument& doc = runtime.documents[0];
    EXPECT_TRUE(doc.ended);

    struct Expected {
        float x;
        int line; // from 1
        std::string text;
    };
    const std::vector<Expected> expected = {
        {500, 1, "Calcolo del potere calorifico dei combustibili"},
        {5 * kAverage, 3, "Data rapporto di calcolo"},
        {49 * kAverage, 3, " = 07/12/2026"},
        {5 * kAverage, 4, "Ora  rapporto di calcolo"},
        {49 * kAverage, 4, " = 10:11:12"},
        {5 * kAverage, 5, "Nome combustibile"},
        {49 * kAverage, 5, " = Metano"},
        {5 * kAverage, 6, "Carbonio"},
        {49 * kAverage, 6, " = 75"},
        {54 * kAverage, 6, " % (in peso)"},
        {5 * kAverage, 7, "Idrogeno"},
        {49 * kAverage, 7, " = 25"},
        {54 * kAverage, 7, " % (in peso)"},
        {5 * kAverage, 8, "Ossigeno"},
        {49 * kAverage, 8, " = 0"},
        {53 * kAverage, 8, " % (in peso)"},
        {5 * kAverage, 9, "Cloro"},
        {49 * kAverage, 9, " = 0"},
        {53 * kAverage, 9, " % (in peso)"},
        {5 * kAverage, 10, "Zolfo"},
        {49 * kAverage, 10, " = 0,5"},
        {55 * kAverage, 10, " % (in peso)"},
        {5 * kAverage, 11, "Potere calorifico inferiore"},
        {49 * kAverage, 11, " = 11947,6"},
        {59 * kAverage, 11, " kcal/kg"},
    };
    ASSERT_EQ(doc.texts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const PrintedText& t = doc.texts[i];
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(t.text, expected[i].text);
        EXPECT_FLOAT_EQ(t.x, expected[i].x);
        EXPECT_FLOAT_EQ(t.y, 500 + (expected[i].line - 1) * kLine);
        EXPECT_EQ(t.fontSize, 12);
        EXPECT_TRUE(t.bold);
    }
}

TEST_F(StampaTest, EachPressPrintsItsOwnDocumentWithItsOwnTime)
{
    Command3_Click(runtime);
    runtime.time_ = "10:12:00";
    Command3_Click(runtime);
    ASSERT_EQ(runtime.documents.size(), 2u);
    for (const auto& doc : runtime.documents) {
        EXPECT_TRUE(doc.ended);
        ASSERT_EQ(doc.texts.size(), 25u);
        EXPECT_FLOAT_EQ(doc.texts[0].x, 500);
        EXPECT_FLOAT_EQ(doc.texts[0].y, 500);
    }
    EXPECT_EQ(runtime.documents[0].texts[4].text, " = 10:11:12");
    EXPECT_EQ(runtime.documents[1].texts[4].text, " = 10:12:00");
}

TEST_F(StampaTest, NoPrinterIsToldAndNothingChanges)
{
    runtime.noPrinterReason = "Nessuna stampante predefinita.";
    Command3_Click(runtime);
    EXPECT_TRUE(runtime.documents.empty());
    ASSERT_EQ(runtime.messages.size(), 1u);
    EXPECT_NE(runtime.messages[0].text.find("Nessuna stampante predefinita."), std::string::npos);
    EXPECT_NE(runtime.messages[0].text.find("stampare"), std::string::npos);
    EXPECT_EQ(runtime.messages[0].buttons, platform::MsgButtons::Ok);
    EXPECT_EQ(runtime.messages[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(runtime.text({forms::kForm2, "Text1"}), "Metano");
    EXPECT_FALSE(runtime.ended());

    runtime.noPrinterReason.clear();
    Command3_Click(runtime);
    EXPECT_EQ(runtime.documents.size(), 1u);
    EXPECT_EQ(runtime.messages.size(), 1u);

    // A job that went out with something to tell (a printer off line keeps
    // it queued): told as it is, not as a failure to print.
    runtime.printNotice = "La stampante non è in linea: il rapporto resta in coda.";
    Command3_Click(runtime);
    EXPECT_EQ(runtime.documents.size(), 2u);
    ASSERT_EQ(runtime.messages.size(), 2u);
    EXPECT_EQ(runtime.messages[1].text, runtime.printNotice);
}

// A printer that takes the page but fails to send it, and would have
// something to tell about a page that went out.
struct FailingEndRecord {
    float x = 0, y = 0;
    int printed = 0, ends = 0;
};

class FailingEndJob : public platform::PrintJob {
public:
    explicit FailingEndJob(FailingEndRecord& r) : r_(r) {}
    void setCurrentX(float t) override { r_.x = t; }
    void setCurrentY(float t) override { r_.y = t; }
    float currentX() const override { return r_.x; }
    float currentY() const override { return r_.y; }
    void setFontSize(double) override {}
    void setFontBold(bool) override {}
    float averageCharWidth() const override { return 100; }
    float lineHeight() const override { return 250; }
    void printText(const std::string&) override { ++r_.printed; }
    std::string endDoc() override
    {
        ++r_.ends;
        return "Lavoro rifiutato";
    }
    std::string notice() const override { return "In coda"; }

private:
    FailingEndRecord& r_;
};

class FailingEndPrinter : public platform::Printing {
public:
    std::unique_ptr<platform::PrintJob> startJob(std::string&) override
    {
        return std::make_unique<FailingEndJob>(record);
    }
    FailingEndRecord record;
};

TEST(StampaRapporto, ReportsAJobThatCannotBeEnded)
{
    FailingEndPrinter printer;
    const PrintOutcome outcome = StampaRapporto(ComponiRapporto({}), printer);
    EXPECT_EQ(outcome.failure, "Lavoro rifiutato");
    // A job that did not go out has nothing more to tell.
    EXPECT_EQ(outcome.notice, "");
    EXPECT_EQ(printer.record.ends, 1);
    EXPECT_EQ(printer.record.printed, 25);
    // Twelve lines, the empty last one included, moved y down.
    EXPECT_FLOAT_EQ(printer.record.y, 500 + 12 * 250);
    EXPECT_FLOAT_EQ(printer.record.x, 0);
}

// The user cancelled the printer's own question: nothing printed, nothing
// to tell.
class CancelledPrinter : public platform::Printing {
public:
    std::unique_ptr<platform::PrintJob> startJob(std::string& whyNot) override
    {
        whyNot.clear();
        return nullptr;
    }
};

TEST(StampaRapporto, ACancelIsNoFailure)
{
    CancelledPrinter printer;
    const PrintOutcome outcome = StampaRapporto(ComponiRapporto({}), printer);
    EXPECT_EQ(outcome.failure, "");
    EXPECT_EQ(outcome.notice, "");
}

} // namespace
} // namespace dravelo::report
