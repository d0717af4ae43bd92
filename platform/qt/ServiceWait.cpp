#include "platform/qt/ServiceWait.h"

#include "platform/qt/ModalState.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

namespace dravelo::platform::qt {

namespace {

// How often the wait looks at the call.
constexpr int kPollMilliseconds = 20;

} // namespace

WaitEnd waitKeepingWindowsAlive(ModalState& modal, const std::function<bool()>& done,
                                std::chrono::steady_clock::time_point deadline,
                                const std::function<bool()>& programEnded)
{
    const auto finished = [&] {
        return done() || programEnded() || std::chrono::steady_clock::now() >= deadline;
    };
    if (!finished()) {
        const ModalState::Scope held(modal);
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
    }
    if (done())
        return WaitEnd::Done;
    if (programEnded() || QCoreApplication::closingDown())
        return WaitEnd::ProgramEnded;
    return WaitEnd::TimedOut;
}

} // namespace dravelo::platform::qt
