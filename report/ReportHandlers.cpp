#include "report/ReportHandlers.h"

#include "forms/ControlNames.h"
#include "report/RapportoCalcolo.h"
#include "report/ReportFile.h"
#include "report/ReportPrint.h"

namespace dravelo::report {

namespace {

constexpr const char* kFileNamePrompt = "Nome file - Max 8 caratteri";
constexpr const char* kFileNameTitle = "Calcolo del potere calorifico dei combustibili";

std::string fieldText(const platform::FormsRuntime& runtime, const char* name)
{
    return runtime.text({forms::kForm2, name});
}

// The report from what Form2's fields show now, with the current date and time.
RapportoCalcolo rapportoDaForm2(const platform::FormsRuntime& runtime)
{
    ReportInputs inputs;
    inputs.date = runtime.dateText();
    inputs.time = runtime.timeText();
    inputs.fuelName = fieldText(runtime, forms::form2::kText1);
    inputs.carbon = fieldText(runtime, forms::form2::kText2);
    inputs.hydrogen = fieldText(runtime, forms::form2::kText3);
    inputs.oxygen = fieldText(runtime, forms::form2::kText4);
    inputs.chlorine = fieldText(runtime, forms::form2::kText5);
    inputs.sulphur = fieldText(runtime, forms::form2::kText6);
    inputs.lowerHeatingValue = fieldText(runtime, forms::form2::kText9);
    return ComponiRapporto(inputs);
}

void warn(platform::FormsRuntime& runtime, const std::string& text)
{
    runtime.msgBox(text, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
}

} // namespace

void Command5_Click(platform::FormsRuntime& runtime)
{
    const std::string fileName = nomeFileRapporto(runtime.inputBox(kFileNamePrompt, kFileNameTitle));
    const std::string failure = SalvaRapporto(rapportoDaForm2(runtime), fileName, runtime);
    if (!failure.empty())
        warn(runtime, "Impossibile salvare il rapporto nel file \"" + fileName + "\" !\n" + failure);
}

void Command3_Click(platform::FormsRuntime& runtime)
{
    const PrintOutcome outcome = StampaRapporto(rapportoDaForm2(runtime), runtime);
    if (!outcome.failure.empty())
        warn(runtime, "Impossibile stampare il rapporto !\n" + outcome.failure);
    else if (!outcome.notice.empty())
        warn(runtime, outcome.notice);
}

} // namespace dravelo::report
