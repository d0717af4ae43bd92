#include "platform/qt/QtRuntime.h"

#include "platform/qt/DesignStyle.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/Twips.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace dravelo::platform::qt {

namespace {
// How often a wait looks at its call.
constexpr int kPollMilliseconds = 20;
} // namespace

QtRuntime::QtRuntime(std::vector<FormDesign> designs)
    : RuntimeCore(std::move(designs), *this, services_), services_(serviceWait(), [this] { return ended(); }),
      events_(*this)
{
    registerFontSubstitution();
    QObject::connect(qApp, &QApplication::focusChanged, &events_,
                     [this](QWidget* old, QWidget* now) { events_.focusChanged(old, now); });
}

QtRuntime::~QtRuntime()
{
    discardWindows();
    for (QPointer<FormWindow>& window : built_)
        delete window.data();
}

FormWindow* QtRuntime::window(const std::string& form) const
{
    return static_cast<FormWindow*>(toolkitWindow(form));
}

QWidget* QtRuntime::widget(const ControlId& control) const
{
    FormWindow* w = window(control.form);
    const FormControl* c = w ? w->find(control) : nullptr;
    return c ? c->widget : nullptr;
}

ToolkitWindow& QtRuntime::createWindow(const FormDesign& design, const Look& look, const WindowPlace& place)
{
    auto* w = new FormWindow(*this, events_, design, look, place, screenTwipsPerPixel());
    built_.emplace_back(w);
    return *w;
}

void QtRuntime::destroyWindow(ToolkitWindow& window)
{
    auto& w = static_cast<FormWindow&>(window);
    w.retire();
    // Later: this may run inside one of the window's own handlers.
    w.deleteLater();
}

ScreenSize QtRuntime::screenSize() const
{
    const QRect geometry = primaryScreenGeometry();
    const double twipsPerPixel = screenTwipsPerPixel();
    return {static_cast<float>(geometry.width() * twipsPerPixel), static_cast<float>(geometry.height() * twipsPerPixel)};
}

MsgAnswer QtRuntime::askUser(const std::string& text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton)
{
    return showMessageBox(QApplication::activeWindow(), text, buttons, icon, defaultButton);
}

std::string QtRuntime::askText(const std::string& prompt, const std::string& title)
{
    return showInputBox(QApplication::activeWindow(), prompt, title);
}

void QtRuntime::runModalLoop(const std::function<bool()>& finished, std::chrono::steady_clock::time_point deadline)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (finished() || std::chrono::steady_clock::now() >= deadline)
            loop.exit(1);
    });
    poll.start(kPollMilliseconds);
    // Another exit (the application quitting) ends the wait as well.
    loop.exec();
    QApplication::restoreOverrideCursor();
}

void QtRuntime::endEventLoop()
{
    // Ends the running event loop; with none running, exit() would make
    // every later one return at once.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

} // namespace dravelo::platform::qt
