#include "app/Form2.h"

#include "app/ExitConfirmation.h"
#include "calc/Calculation.h"
#include "forms/ControlNames.h"
#include "report/ReportHandlers.h"

namespace dravelo::app {

void Form2::Form_Load()
{
    forms::scaleForm(runtime_, forms::kForm2, scaling_);
}

void Form2::Command1_Click()
{
    runtime_.unload(forms::kForm2);
}

void Form2::Command3_Click()
{
    report::Command3_Click(runtime_);
}

void Form2::Command4_Click()
{
    calc::Command4_Click(runtime_, record_);
}

void Form2::Command5_Click()
{
    report::Command5_Click(runtime_);
}

void Form2::Form_QueryUnload(std::int16_t& Cancel, std::int16_t /*UnloadMode*/)
{
    confirmExit(runtime_, Cancel);
}

} // namespace dravelo::app
