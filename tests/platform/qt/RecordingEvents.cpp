#include "tests/platform/qt/RecordingEvents.h"

namespace dravelo::testing {

QString name(const platform::ControlId& control)
{
    QString text = QString::fromStdString(control.form + "." + control.name);
    if (control.index >= 0)
        text += QStringLiteral("(%1)").arg(control.index);
    return text;
}

void RecordingEvents::load(const std::string& form)
{
    log << QStringLiteral("load %1").arg(QString::fromStdString(form));
    if (onLoad)
        onLoad(form);
}

void RecordingEvents::click(const platform::ControlId& control)
{
    log << QStringLiteral("click %1").arg(name(control));
    if (onClick)
        onClick(control);
}

void RecordingEvents::keyPress(const platform::ControlId& control, std::int16_t& keyAscii)
{
    log << QStringLiteral("keyPress %1 %2").arg(name(control)).arg(keyAscii);
    if (onKeyPress)
        onKeyPress(control, keyAscii);
}

void RecordingEvents::change(const platform::ControlId& control)
{
    log << QStringLiteral("change %1").arg(name(control));
    if (onChange)
        onChange(control);
}

void RecordingEvents::lostFocus(const platform::ControlId& control)
{
    log << QStringLiteral("lostFocus %1").arg(name(control));
    if (onLostFocus)
        onLostFocus(control);
}

void RecordingEvents::queryUnload(const std::string& form, std::int16_t& cancel, platform::UnloadMode mode)
{
    log << QStringLiteral("queryUnload %1 %2").arg(QString::fromStdString(form)).arg(static_cast<int>(mode));
    if (onQueryUnload)
        onQueryUnload(form, cancel, mode);
}

QStringList RecordingEvents::matching(const QString& prefix) const
{
    QStringList found;
    for (const QString& entry : log)
        if (entry.startsWith(prefix))
            found << entry;
    return found;
}

} // namespace dravelo::testing
