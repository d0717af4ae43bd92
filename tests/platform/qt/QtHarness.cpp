#include "tests/platform/qt/QtHarness.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

namespace dravelo::testing {

namespace {
constexpr int kXdotoolTimeoutMs = 10000;
} // namespace

bool QtHarness::open(const char* form)
{
    runtime.show(form);
    QWidget* w = runtime.window(form);
    return w && QTest::qWaitForWindowActive(w) && waitForWindowManagerFocus(w);
}

bool waitForWindowManagerFocus(QWidget* window)
{
    // Keys typed with xdotool go where the window manager has put the focus,
    // which may lag behind Qt's own idea of the active window.
    return QTest::qWaitFor([window] {
        QProcess process;
        process.start(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")});
        if (!process.waitForFinished(kXdotoolTimeoutMs))
            return false;
        return process.readAllStandardOutput().trimmed().toULongLong() == window->winId();
    });
}

QWidget* QtHarness::widget(const char* form, const char* control, int index) const
{
    return runtime.widget({form, control, index});
}

QLineEdit* QtHarness::field(const char* control) const
{
    return qobject_cast<QLineEdit*>(widget(forms::kForm2, control));
}

QPushButton* QtHarness::button(const char* form, const char* control) const
{
    return qobject_cast<QPushButton*>(widget(form, control));
}

bool QtHarness::focus(const char* form, const char* control)
{
    runtime.setFocus({form, control});
    QWidget* w = widget(form, control);
    return w && QTest::qWaitFor([w] { return QApplication::focusWidget() == w; });
}

bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(kXdotoolTimeoutMs) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

bool realClick(QWidget* widget)
{
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    return xdotool({QStringLiteral("mousemove"), QString::number(centre.x()), QString::number(centre.y()),
                    QStringLiteral("click"), QStringLiteral("1")});
}

} // namespace dravelo::testing
