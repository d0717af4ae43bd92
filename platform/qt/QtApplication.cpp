// Program start on Qt: the application object, its translations, fonts and
// icon, the session manager (or, without one, the desktop's hold on a
// log-off), then the startup window and the event loop.

#include "platform/Application.h"

#include "platform/AppInfo.h"
#include "platform/qt/DesignStyle.h"
#include "platform/qt/LogoutInhibitor.h"
#include "platform/qt/QtRuntime.h"
#include "platform/qt/SessionEnd.h"
#include "platform/qt/Translations.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QSessionManager>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace dravelo::platform {

namespace {

constexpr const char* kWindowIcon = ":/assets/dravelo.ico";
// The installed desktop entry, so that desktops match windows to it.
constexpr const char* kDesktopEntry = "org.example.Dravelo";

bool isSet(const char* variable)
{
    const char* value = std::getenv(variable);
    return value && *value;
}

// Qt aborts when it finds no display; say instead how to run the program.
bool haveDisplay()
{
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

std::string versionText()
{
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

} // namespace

int runApplication(int argc, char** argv, const std::vector<FormDesign>& designs, const ProgramFactory& makeProgram,
                   const std::string& startupForm)
{
    if (!haveDisplay()) {
        std::fprintf(stderr,
                     "%s needs a graphical display, and none was found (DISPLAY is not set).\n"
                     "Start it from a desktop session, or under a virtual X server, for example:\n"
                     "    xvfb-run -a %s\n",
                     kAppTitle, argc > 0 ? argv[0] : "dravelo");
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kAppTitle));
    QApplication::setApplicationVersion(QString::fromStdString(versionText()));
    QApplication::setDesktopFileName(QString::fromUtf8(kDesktopEntry));
    QApplication::setQuitOnLastWindowClosed(false);

    qt::installQtTranslations();
    qt::registerFontSubstitution();
    if (QFile::exists(kWindowIcon))
        QApplication::setWindowIcon(QIcon(kWindowIcon));

    qt::QtRuntime runtime(designs);
    std::unique_ptr<FormEvents> program = makeProgram(runtime);
    runtime.setEvents(program.get());

    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [&runtime](QSessionManager& manager) {
        if (!manager.allowsInteraction())
            return;
        if (!qt::sessionMayEnd(runtime))
            manager.cancel();
        manager.release();
    });

    qt::inhibitLogoutWithoutSessionManager();

    runtime.show(startupForm);
    const int status = runtime.ended() ? 0 : QApplication::exec();
    runtime.setEvents(nullptr);
    return status;
}

} // namespace dravelo::platform
