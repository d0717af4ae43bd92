#pragma once
// The program's handlers: routes each event of the runtime to the handler
// named after its control and event.

#include "about/FrmAbout.h"
#include "app/Form1.h"
#include "app/Form2.h"
#include "calc/Modulo1.h"
#include "platform/FormsRuntime.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace dravelo::app {

class Program : public platform::FormEvents {
public:
    explicit Program(platform::FormsRuntime& runtime);

    void load(const std::string& form) override;
    void click(const platform::ControlId& control) override;
    void keyPress(const platform::ControlId& control, std::int16_t& keyAscii) override;
    void change(const platform::ControlId& control) override;
    void lostFocus(const platform::ControlId& control) override;
    void queryUnload(const std::string& form, std::int16_t& cancel, platform::UnloadMode mode) override;

    calc::Modulo1 Modulo1;

private:
    using Key = std::string; // "Form.Control"
    static Key key(const platform::ControlId& control) { return control.form + "." + control.name; }

    platform::FormsRuntime& runtime_;
    Form1 form1_;
    Form2 form2_;
    // Built afresh at every load: the About box has no state between loads.
    std::unique_ptr<about::FrmAbout> frmAbout_;

    std::map<Key, std::function<void()>> clicks_;
    std::map<Key, std::function<void(std::int16_t&)>> keyPresses_;
    std::map<Key, std::function<void()>> changes_;
    std::map<Key, std::function<void()>> lostFocus_;
};

} // namespace dravelo::app
