#pragma once
// The program's side of the contract: every event the runtime raises,
// logged as text ("click Main.Go"), with a behaviour a test may hook on.

#include "platform/FormsRuntime.h"

#include <functional>
#include <string>
#include <vector>

namespace dravelo::testing::contract {

class EventLog : public platform::FormEvents {
public:
    void load(const std::string& form) override
    {
        record("load " + form);
        if (onLoad)
            onLoad(form);
    }
    void click(const platform::ControlId& control) override
    {
        record("click " + nameOf(control));
        if (onClick)
            onClick(control);
    }
    void keyPress(const platform::ControlId& control, std::int16_t& keyAscii) override
    {
        record("keyPress " + nameOf(control) + " " + std::to_string(keyAscii));
        if (onKeyPress)
            onKeyPress(control, keyAscii);
    }
    void change(const platform::ControlId& control) override
    {
        record("change " + nameOf(control));
        if (onChange)
            onChange(control);
    }
    void lostFocus(const platform::ControlId& control) override
    {
        record("lostFocus " + nameOf(control));
        if (onLostFocus)
            onLostFocus(control);
    }
    void queryUnload(const std::string& form, std::int16_t& cancel, platform::UnloadMode mode) override
    {
        record("queryUnload " + form + " " + std::to_string(static_cast<int>(mode)));
        if (onQueryUnload)
            onQueryUnload(form, cancel, mode);
    }

    // Entries that start with this text, in order.
    std::vector<std::string> matching(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const std::string& entry : entries)
            if (entry.rfind(prefix, 0) == 0)
                found.push_back(entry);
        return found;
    }

    static std::string nameOf(const platform::ControlId& control) { return control.form + "." + control.name; }

    std::vector<std::string> entries;
    std::function<void(const std::string&)> onLoad;
    std::function<void(const platform::ControlId&)> onClick;
    std::function<void(const platform::ControlId&)> onChange;
    std::function<void(const platform::ControlId&, std::int16_t&)> onKeyPress;
    std::function<void(const platform::ControlId&)> onLostFocus;
    std::function<void(const std::string&, std::int16_t&, platform::UnloadMode)> onQueryUnload;

private:
    void record(std::string entry) { entries.push_back(std::move(entry)); }
};

} // namespace dravelo::testing::contract
