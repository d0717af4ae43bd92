#pragma once
// Form2 over the in-memory runtime, with its events routed to the entry
// field handlers and "&Calcola", as the program routes them.

#include "calc/Calculation.h"
#include "calc/EntryFields.h"
#include "forms/Designs.h"
#include "tests/support/FakeRuntime.h"

#include <map>
#include <string>

namespace dravelo::testing {

class Form2Events : public platform::FormEvents {
public:
    Form2Events(platform::FormsRuntime& runtime, calc::Modulo1& record, calc::EntryFields& fields)
        : runtime_(runtime), record_(record), fields_(fields)
    {
    }

    void load(const std::string&) override {}
    void click(const platform::ControlId& control) override
    {
        if (control.form == forms::kForm2 && control.name == "Command4")
            calc::Command4_Click(runtime_, record_);
    }
    void keyPress(const platform::ControlId& control, std::int16_t& keyAscii) override
    {
        using calc::EntryFields;
        static const std::map<std::string, void (EntryFields::*)(std::int16_t&)> handlers = {
            {"Text1", &EntryFields::Text1_KeyPress}, {"Text2", &EntryFields::Text2_KeyPress},
            {"Text3", &EntryFields::Text3_KeyPress}, {"Text4", &EntryFields::Text4_KeyPress},
            {"Text5", &EntryFields::Text5_KeyPress}, {"Text6", &EntryFields::Text6_KeyPress},
        };
        if (auto h = handlers.find(control.name); h != handlers.end())
            (fields_.*h->second)(keyAscii);
    }
    void change(const platform::ControlId& control) override
    {
        using calc::EntryFields;
        static const std::map<std::string, void (EntryFields::*)()> handlers = {
            {"Text2", &EntryFields::Text2_Change}, {"Text3", &EntryFields::Text3_Change},
            {"Text4", &EntryFields::Text4_Change}, {"Text5", &EntryFields::Text5_Change},
            {"Text6", &EntryFields::Text6_Change},
        };
        if (auto h = handlers.find(control.name); h != handlers.end())
            (fields_.*h->second)();
    }
    void lostFocus(const platform::ControlId& control) override
    {
        using calc::EntryFields;
        static const std::map<std::string, void (EntryFields::*)()> handlers = {
            {"Text2", &EntryFields::Text2_LostFocus}, {"Text3", &EntryFields::Text3_LostFocus},
            {"Text4", &EntryFields::Text4_LostFocus}, {"Text5", &EntryFields::Text5_LostFocus},
            {"Text6", &EntryFields::Text6_LostFocus},
        };
        if (auto h = handlers.find(control.name); h != handlers.end())
            (fields_.*h->second)();
    }
    void queryUnload(const std::string&, std::int16_t&, platform::UnloadMode) override {}

private:
    platform::FormsRuntime& runtime_;
    calc::Modulo1& record_;
    calc::EntryFields& fields_;
};

// A loaded Form2 and a user at its keyboard.
struct Form2Harness {
    Form2Harness()
    {
        runtime.setEvents(&events);
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
        events.keyPress(control(field), key);
        return key;
    }
    // A click on "&Calcola": the focus moves there first, then the click runs.
    void clickCalcola()
    {
        runtime.userFocus(control("Command4"));
        if (!runtime.ended && runtime.focus == control("Command4"))
            events.click(control("Command4"));
    }

    FakeRuntime runtime{forms::allDesigns()};
    calc::Modulo1 record;
    calc::EntryFields fields{runtime, record};
    Form2Events events{runtime, record, fields};
};

} // namespace dravelo::testing
