#pragma once
// A loaded Form2 over the in-memory runtime, its events routed by the
// program's own table, and a user at its keyboard.

#include "app/Program.h"
#include "forms/Designs.h"
#include "tests/support/FakeRuntime.h"

#include <string>

namespace dravelo::testing {

struct Form2Harness {
    Form2Harness()
    {
        runtime.setEvents(&program);
        runtime.show(forms::kForm2);
    }

    static platform::ControlId control(const std::string& name) { return {forms::kForm2, name}; }
    std::string text(const std::string& name) const { return runtime.text(control(name)); }

    // Clicks into the field and types the text, as a user would.
    void typeInto(const std::string& field, const std::string& typed)
    {
        runtime.userFocus(control(field));
        runtime.type(control(field), typed);
    }
    std::int16_t pressKey(const std::string& field, std::int16_t key)
    {
        program.keyPress(control(field), key);
        return key;
    }
    // A click on "&Calcola": the focus moves there first, then the click runs.
    void clickCalcola()
    {
        runtime.userFocus(control(forms::form2::kCommand4));
        if (!runtime.ended() && runtime.focus == control(forms::form2::kCommand4))
            program.click(control(forms::form2::kCommand4));
    }

    FakeRuntime runtime{forms::allDesigns()};
    app::Program program{runtime};
    calc::Modulo1& record = program.Modulo1;
};

} // namespace dravelo::testing
