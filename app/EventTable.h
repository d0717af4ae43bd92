#pragma once
// Routes each event of the runtime to the handler registered for its window
// and control; an event nobody registered for is ignored, as a control
// without a handler ignores it.

#include "platform/FormsRuntime.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>

namespace dravelo::app {

class EventTable : public platform::FormEvents {
public:
    using Handler = std::function<void()>;
    using KeyHandler = std::function<void(std::int16_t& KeyAscii)>;
    using QueryUnloadHandler = std::function<void(std::int16_t& Cancel, std::int16_t UnloadMode)>;

    void onLoad(const std::string& form, Handler handler);
    void onQueryUnload(const std::string& form, QueryUnloadHandler handler);
    void onClick(const std::string& form, const std::string& control, Handler handler);
    void onKeyPress(const std::string& form, const std::string& control, KeyHandler handler);
    void onChange(const std::string& form, const std::string& control, Handler handler);
    void onLostFocus(const std::string& form, const std::string& control, Handler handler);

    void load(const std::string& form) override;
    void click(const platform::ControlId& control) override;
    void keyPress(const platform::ControlId& control, std::int16_t& keyAscii) override;
    void change(const platform::ControlId& control) override;
    void lostFocus(const platform::ControlId& control) override;
    void queryUnload(const std::string& form, std::int16_t& cancel, platform::UnloadMode mode) override;

private:
    // Window and control name; the members of a control array share one handler.
    using ControlKey = std::pair<std::string, std::string>;
    static ControlKey keyOf(const platform::ControlId& control) { return {control.form, control.name}; }

    std::map<std::string, Handler> loads_;
    std::map<std::string, QueryUnloadHandler> queryUnloads_;
    std::map<ControlKey, Handler> clicks_;
    std::map<ControlKey, KeyHandler> keyPresses_;
    std::map<ControlKey, Handler> changes_;
    std::map<ControlKey, Handler> lostFocus_;
};

} // namespace dravelo::app
