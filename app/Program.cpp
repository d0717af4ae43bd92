#include "app/Program.h"

#include "forms/Designs.h"

namespace dravelo::app {

using forms::kForm1;
using forms::kForm2;
using forms::kFrmAbout;

namespace {
std::string at(const char* form, const char* control)
{
    return std::string(form) + "." + control;
}
} // namespace

Program::Program(platform::FormsRuntime& runtime) : runtime_(runtime), form1_(runtime), form2_(runtime, Modulo1)
{
    calc::EntryFields& f = form2_.fields;
    clicks_ = {
        {at(kForm1, "cmdCont"), [this] { form1_.cmdCont_Click(); }},
        {at(kForm1, "Command1"), [this] { form1_.Command1_Click(); }},
        {at(kForm1, "cmdExit"), [this] { form1_.cmdExit_Click(); }},
        {at(kForm2, "Command1"), [this] { form2_.Command1_Click(); }},
        {at(kForm2, "Command3"), [this] { form2_.Command3_Click(); }},
        {at(kForm2, "Command4"), [this] { form2_.Command4_Click(); }},
        {at(kForm2, "Command5"), [this] { form2_.Command5_Click(); }},
        {at(kFrmAbout, "cmdOK"), [this] { frmAbout_->cmdOK_Click(); }},
        {at(kFrmAbout, "cmdSysInfo"), [this] { frmAbout_->cmdSysInfo_Click(); }},
    };
    keyPresses_ = {
        {at(kForm2, "Text1"), [&f](std::int16_t& k) { f.Text1_KeyPress(k); }},
        {at(kForm2, "Text2"), [&f](std::int16_t& k) { f.Text2_KeyPress(k); }},
        {at(kForm2, "Text3"), [&f](std::int16_t& k) { f.Text3_KeyPress(k); }},
        {at(kForm2, "Text4"), [&f](std::int16_t& k) { f.Text4_KeyPress(k); }},
        {at(kForm2, "Text5"), [&f](std::int16_t& k) { f.Text5_KeyPress(k); }},
        {at(kForm2, "Text6"), [&f](std::int16_t& k) { f.Text6_KeyPress(k); }},
    };
    changes_ = {
        {at(kForm2, "Text2"), [&f] { f.Text2_Change(); }},
        {at(kForm2, "Text3"), [&f] { f.Text3_Change(); }},
        {at(kForm2, "Text4"), [&f] { f.Text4_Change(); }},
        {at(kForm2, "Text5"), [&f] { f.Text5_Change(); }},
        {at(kForm2, "Text6"), [&f] { f.Text6_Change(); }},
    };
    lostFocus_ = {
        {at(kForm2, "Text2"), [&f] { f.Text2_LostFocus(); }},
        {at(kForm2, "Text3"), [&f] { f.Text3_LostFocus(); }},
        {at(kForm2, "Text4"), [&f] { f.Text4_LostFocus(); }},
        {at(kForm2, "Text5"), [&f] { f.Text5_LostFocus(); }},
        {at(kForm2, "Text6"), [&f] { f.Text6_LostFocus(); }},
    };
}

void Program::load(const std::string& form)
{
    if (form == kForm1) {
        form1_.Form_Load();
    } else if (form == kForm2) {
        form2_.Form_Load();
    } else if (form == kFrmAbout) {
        frmAbout_ = std::make_unique<about::FrmAbout>(runtime_);
        frmAbout_->Form_Load();
    }
}

void Program::click(const platform::ControlId& control)
{
    auto handler = clicks_.find(key(control));
    if (handler != clicks_.end())
        handler->second();
}

void Program::keyPress(const platform::ControlId& control, std::int16_t& keyAscii)
{
    auto handler = keyPresses_.find(key(control));
    if (handler != keyPresses_.end())
        handler->second(keyAscii);
}

void Program::change(const platform::ControlId& control)
{
    auto handler = changes_.find(key(control));
    if (handler != changes_.end())
        handler->second();
}

void Program::lostFocus(const platform::ControlId& control)
{
    auto handler = lostFocus_.find(key(control));
    if (handler != lostFocus_.end())
        handler->second();
}

void Program::queryUnload(const std::string& form, std::int16_t& cancel, platform::UnloadMode mode)
{
    const auto unloadMode = static_cast<std::int16_t>(mode);
    if (form == kForm1)
        form1_.Form_QueryUnload(cancel, unloadMode);
    else if (form == kForm2)
        form2_.Form_QueryUnload(cancel, unloadMode);
}

} // namespace dravelo::app
