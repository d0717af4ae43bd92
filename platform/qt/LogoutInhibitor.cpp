#include "platform/qt/LogoutInhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QString>
#include <QVariantMap>

namespace dravelo::platform::qt {

namespace {

constexpr const char* kPortalService = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kInhibitInterface = "org.freedesktop.portal.Inhibit";
// The portal's flag for a log-off (and a shut-down, which logs off first).
constexpr uint kInhibitLogout = 1;
// Shown by the desktop beside the program's name when a log-off is held.
constexpr const char* kReason = "I dati digitati andrebbero persi: chiudere il programma con ESCI.";

} // namespace

void inhibitLogoutWithoutSessionManager()
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage inhibit = QDBusMessage::createMethodCall(
        QString::fromLatin1(kPortalService), QString::fromLatin1(kPortalPath),
        QString::fromLatin1(kInhibitInterface), QStringLiteral("Inhibit"));
    const QVariantMap options{{QStringLiteral("reason"), QString::fromUtf8(kReason)}};
    // No parent window to name: the desktop shows the program's own name.
    inhibit << QString() << kInhibitLogout << options;
    // The portal keeps the hold until the program leaves the bus; no answer
    // is awaited, so a desktop without a portal costs nothing.
    inhibit.setAutoStartService(false);
    bus.call(inhibit, QDBus::NoBlock);
}

} // namespace dravelo::platform::qt
