#include "platform/qt/ServiceWait.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace dravelo::platform::qt {

namespace {

// How often the wait looks at the call.
constexpr int kPollMilliseconds = 20;

// Eats the user's input to every window while no modal box is up; a box
// opened during the wait (the session end's question) gets it, and Qt's
// own modality holds the rest.
class InputHold : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (QApplication::activeModalWidget())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::InputMethod:
            return true;
        case QEvent::Close:
            // The window manager's close; the program's own closes go on.
            return event->spontaneous();
        default:
            return false;
        }
    }
};

} // namespace

WaitEnd waitKeepingWindowsAlive(const std::function<bool()>& done, std::chrono::steady_clock::time_point deadline,
                                const std::function<bool()>& programEnded)
{
    const auto finished = [&] {
        return done() || programEnded() || std::chrono::steady_clock::now() >= deadline;
    };
    if (!finished()) {
        InputHold hold;
        qApp->installEventFilter(&hold);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (finished())
                loop.exit(1);
        });
        poll.start(kPollMilliseconds);
        // Another exit (the application quitting) ends the wait as well.
        loop.exec();
        QApplication::restoreOverrideCursor();
        qApp->removeEventFilter(&hold);
    }
    if (done())
        return WaitEnd::Done;
    if (programEnded() || QCoreApplication::closingDown())
        return WaitEnd::ProgramEnded;
    return WaitEnd::TimedOut;
}

} // namespace dravelo::platform::qt
