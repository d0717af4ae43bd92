#include "app/Form1.h"

#include "app/ExitConfirmation.h"
#include "forms/ControlNames.h"

namespace dravelo::app {

void Form1::Form_Load()
{
    if (forms::scaleForm(runtime_, forms::kForm1, scaling_))
        forms::centreTitles(runtime_, forms::kForm1);
}

void Form1::cmdCont_Click()
{
    runtime_.show(forms::kForm2);
}

void Form1::Command1_Click()
{
    runtime_.show(forms::kFrmAbout);
}

void Form1::cmdExit_Click()
{
    runtime_.unload(forms::kForm1);
}

void Form1::Form_QueryUnload(std::int16_t& Cancel, std::int16_t /*UnloadMode*/)
{
    confirmExit(runtime_, Cancel);
}

} // namespace dravelo::app
