#pragma once
// A recording stand-in for the program's handlers: every event the runtime
// raises is logged as text ("click Form2.Command4"), and a test can hook a
// behaviour onto each kind of event.

#include "platform/FormsRuntime.h"

#include <QStringList>

#include <functional>

namespace dravelo::testing {

class RecordingEvents : public platform::FormEvents {
public:
    void load(const std::string& form) override;
    void click(const platform::ControlId& control) override;
    void keyPress(const platform::ControlId& control, std::int16_t& keyAscii) override;
    void change(const platform::ControlId& control) override;
    void lostFocus(const platform::ControlId& control) override;
    void queryUnload(const std::string& form, std::int16_t& cancel, platform::UnloadMode mode) override;

    // Entries whose text starts with prefix.
    QStringList matching(const QString& prefix) const;

    QStringList log;
    std::function<void(const std::string&)> onLoad;
    std::function<void(const platform::ControlId&)> onClick;
    std::function<void(const platform::ControlId&, std::int16_t&)> onKeyPress;
    std::function<void(const platform::ControlId&)> onChange;
    std::function<void(const platform::ControlId&)> onLostFocus;
    std::function<void(const std::string&, std::int16_t&, platform::UnloadMode)> onQueryUnload;
};

QString name(const platform::ControlId& control);

} // namespace dravelo::testing
