#include "app/Program.h"

#include "calc/EntryFields.h"
#include "forms/ControlNames.h"

namespace dravelo::app {

using forms::kForm1;
using forms::kForm2;
using forms::kFrmAbout;
namespace form1 = forms::form1;
namespace form2 = forms::form2;
namespace frm_about = forms::frm_about;

Program::Program(platform::FormsRuntime& runtime) : runtime_(runtime), form1_(runtime), form2_(runtime, Modulo1)
{
    onLoad(kForm1, [this] { form1_.Form_Load(); });
    onQueryUnload(kForm1, [this](std::int16_t& Cancel, std::int16_t UnloadMode) {
        form1_.Form_QueryUnload(Cancel, UnloadMode);
    });
    onClick(kForm1, form1::kCmdCont, [this] { form1_.cmdCont_Click(); });
    onClick(kForm1, form1::kCommand1, [this] { form1_.Command1_Click(); });
    onClick(kForm1, form1::kCmdExit, [this] { form1_.cmdExit_Click(); });

    onLoad(kForm2, [this] { form2_.Form_Load(); });
    onQueryUnload(kForm2, [this](std::int16_t& Cancel, std::int16_t UnloadMode) {
        form2_.Form_QueryUnload(Cancel, UnloadMode);
    });
    onClick(kForm2, form2::kCommand1, [this] { form2_.Command1_Click(); });
    onClick(kForm2, form2::kCommand3, [this] { form2_.Command3_Click(); });
    onClick(kForm2, form2::kCommand4, [this] { form2_.Command4_Click(); });
    onClick(kForm2, form2::kCommand5, [this] { form2_.Command5_Click(); });
    for (const calc::EntryField& field : calc::kEntryFields) {
        calc::EntryFields& fields = form2_.fields;
        onKeyPress(kForm2, field.name, [&fields, &field](std::int16_t& KeyAscii) { fields.KeyPress(field, KeyAscii); });
        if (!field.element)
            continue;
        onChange(kForm2, field.name, [&fields, &field] { fields.Change(field); });
        onLostFocus(kForm2, field.name, [&fields, &field] { fields.LostFocus(field); });
    }

    onLoad(kFrmAbout, [this] {
        frmAbout_ = std::make_unique<about::FrmAbout>(runtime_);
        frmAbout_->Form_Load();
    });
    onClick(kFrmAbout, frm_about::kCmdOK, [this] { frmAbout_->cmdOK_Click(); });
    onClick(kFrmAbout, frm_about::kCmdSysInfo, [this] { frmAbout_->cmdSysInfo_Click(); });
}

} // namespace dravelo::app
