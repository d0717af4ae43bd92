#include "app/EventTable.h"

namespace dravelo::app {

namespace {

template <class Map, class Key, class... Args>
void callIfRegistered(const Map& handlers, const Key& key, Args&... args)
{
    auto handler = handlers.find(key);
    if (handler != handlers.end())
        handler->second(args...);
}

} // namespace

void EventTable::onLoad(const std::string& form, Handler handler)
{
    loads_[form] = std::move(handler);
}

void EventTable::onQueryUnload(const std::string& form, QueryUnloadHandler handler)
{
    queryUnloads_[form] = std::move(handler);
}

void EventTable::onClick(const std::string& form, const std::string& control, Handler handler)
{
    clicks_[{form, control}] = std::move(handler);
}

void EventTable::onKeyPress(const std::string& form, const std::string& control, KeyHandler handler)
{
    keyPresses_[{form, control}] = std::move(handler);
}

void EventTable::onChange(const std::string& form, const std::string& control, Handler handler)
{
    changes_[{form, control}] = std::move(handler);
}

void EventTable::onLostFocus(const std::string& form, const std::string& control, Handler handler)
{
    lostFocus_[{form, control}] = std::move(handler);
}

void EventTable::load(const std::string& form)
{
    callIfRegistered(loads_, form);
}

void EventTable::click(const platform::ControlId& control)
{
    callIfRegistered(clicks_, keyOf(control));
}

void EventTable::keyPress(const platform::ControlId& control, std::int16_t& keyAscii)
{
    callIfRegistered(keyPresses_, keyOf(control), keyAscii);
}

void EventTable::change(const platform::ControlId& control)
{
    callIfRegistered(changes_, keyOf(control));
}

void EventTable::lostFocus(const platform::ControlId& control)
{
    callIfRegistered(lostFocus_, keyOf(control));
}

void EventTable::queryUnload(const std::string& form, std::int16_t& cancel, platform::UnloadMode mode)
{
    auto unloadMode = static_cast<std::int16_t>(mode);
    callIfRegistered(queryUnloads_, form, cancel, unloadMode);
}

} // namespace dravelo::app
