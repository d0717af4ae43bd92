// The runtime contract on the Qt runtime: real widgets under a real X server
// and window manager, driven with the window system's own events.

#include "platform/qt/FormWindow.h"
#include "platform/qt/QtRuntime.h"
#include "platform/qt/SessionEnd.h"
#include "tests/platform/contract/RuntimeContract.h"
#include "tests/platform/qt/ModalAnswer.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QTest>

#include <cctype>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace dravelo::testing::contract {

namespace {

using platform::qt::FormWindow;

FormWindow* formWindowOf(QWidget* widget)
{
    return widget ? dynamic_cast<FormWindow*>(widget->window()) : nullptr;
}

// The box's own button for the answer, pressed as a user presses it.
void answerBox(QWidget* box, MsgAnswer answer)
{
    if (auto* message = qobject_cast<QMessageBox*>(box)) {
        const QMessageBox::StandardButton which = answer == MsgAnswer::Yes  ? QMessageBox::Yes
                                                  : answer == MsgAnswer::No ? QMessageBox::No
                                                                            : QMessageBox::Ok;
        if (QAbstractButton* button = message->button(which))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            message->close(); // not the box the test expected; its own checks fail
        return;
    }
    pressKeyIn(box, answer == MsgAnswer::Ok ? Qt::Key_Return : Qt::Key_Escape);
}

// The boxes to come, acted on in turn: each step waits for the box on top
// to come up and acts on it from inside that box's event loop. A step that
// leaves its box open (the session ending meanwhile) leaves it to the next.
// A box no step is left for fails the test, and is closed so that the test
// goes on.
class BoxSteps {
public:
    BoxSteps()
    {
        watchdog_.setInterval(kPollMilliseconds);
        QObject::connect(&watchdog_, &QTimer::timeout, [this] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || next_ < added_) {
                unexpected_ = nullptr;
                return;
            }
            if (box != unexpected_) {
                unexpected_ = box;
                since_.start();
            } else if (since_.elapsed() > kUnexpectedBoxMilliseconds) {
                ADD_FAILURE() << "a box came up that the test did not expect";
                unexpected_ = nullptr;
                box->close();
            }
        });
        watchdog_.start();
    }

    void add(std::function<void(QWidget*)> action)
    {
        auto step = std::make_unique<Step>();
        step->turn = added_++;
        step->action = std::move(action);
        step->timer.setInterval(kPollMilliseconds);
        QObject::connect(&step->timer, &QTimer::timeout, [this, s = step.get()] {
            QWidget* box = QApplication::activeModalWidget();
            if (s->turn != next_ || !box || !box->isVisible() || !box->windowHandle() ||
                !box->windowHandle()->isExposed())
                return;
            s->timer.stop();
            ++next_;
            s->action(box);
        });
        step->timer.start();
        steps_.push_back(std::move(step));
    }

private:
    static constexpr int kPollMilliseconds = 20;
    static constexpr qint64 kUnexpectedBoxMilliseconds = 3000;
    struct Step {
        int turn = 0;
        std::function<void(QWidget*)> action;
        QTimer timer;
    };
    std::vector<std::unique_ptr<Step>> steps_;
    int added_ = 0;
    int next_ = 0;
    QTimer watchdog_;
    QPointer<QWidget> unexpected_;
    QElapsedTimer since_;
};

QAbstractButton* buttonOf(QWidget* widget)
{
    auto* button = qobject_cast<QAbstractButton*>(widget);
    EXPECT_NE(button, nullptr);
    return button;
}

class QtDriver {
public:
    explicit QtDriver(std::vector<platform::FormDesign> designs) : runtime_(std::move(designs)) {}

    platform::FormsRuntime& runtime() { return runtime_; }
    void setEvents(platform::FormEvents* events) { runtime_.setEvents(events); }

    void open(const std::string& form)
    {
        runtime_.show(form);
        if (QWidget* w = runtime_.window(form)) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(w)) << form;
        }
    }
    void click(const ControlId& control) { QTest::mouseClick(widget(control), Qt::LeftButton); }
    void accessKey(const std::string& form, char letter)
    {
        QTest::keyClick(runtime_.window(form)->windowHandle(), static_cast<Qt::Key>(std::toupper(letter)),
                        Qt::AltModifier);
        settle();
    }
    void tab(const std::string& form)
    {
        QTest::keyClick(runtime_.window(form)->windowHandle(), Qt::Key_Tab);
        settle();
    }
    void type(const ControlId& field, const std::string& text)
    {
        QTest::keyClicks(widget(field), QString::fromStdString(text));
    }
    void enter(const ControlId&) { keyToFocusWindow(Qt::Key_Return); }
    void escape(const ControlId&) { keyToFocusWindow(Qt::Key_Escape); }
    // The button's press action, as a screen reader runs it through the
    // accessibility bus.
    void press(const ControlId& control)
    {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget(control));
        QAccessibleActionInterface* actions = accessible ? accessible->actionInterface() : nullptr;
        ASSERT_NE(actions, nullptr) << control.name;
        ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        // The action shows the button down for a moment before it clicks.
        QTest::qWait(kAnimatedClickMilliseconds);
        settle();
    }
    // What the accessibility bus asks for a screen reader or voice control:
    // the control's actions, a text written into a field; and a drop of
    // text from another program.
    void actFromOutside(const ControlId& control)
    {
        QWidget* w = widget(control);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(accessible, nullptr) << control.name;
        if (QAccessibleActionInterface* actions = accessible->actionInterface()) {
            actions->doAction(QAccessibleActionInterface::pressAction());
            actions->doAction(QAccessibleActionInterface::setFocusAction());
        }
        if (QAccessibleEditableTextInterface* text = accessible->editableTextInterface()) {
            text->insertText(0, QStringLiteral("x"));
            text->replaceText(0, accessible->textInterface()->characterCount(), QStringLiteral("y"));
        }
        if (w->acceptDrops()) {
            QMimeData dropped;
            dropped.setText(QStringLiteral("z"));
            QDragEnterEvent enter(w->rect().center(), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(w, &enter);
            QDropEvent drop(w->rect().center(), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(w, &drop);
        }
        QTest::qWait(kAnimatedClickMilliseconds);
        settle();
    }
    bool buttonHeld(const ControlId& control)
    {
        settle();
        QAbstractButton* button = buttonOf(widget(control));
        return button->isDown() || QWidget::mouseGrabber() || QWidget::keyboardGrabber();
    }
    void paste(const ControlId& field, const std::string& text)
    {
        QApplication::clipboard()->setText(QString::fromStdString(text));
        QTest::keyClick(widget(field), Qt::Key_V, Qt::ControlModifier);
        settle();
    }
    void keypadDecimal(const ControlId& field, Modifier modifier)
    {
        const Qt::KeyboardModifier held = modifier == Modifier::Ctrl  ? Qt::ControlModifier
                                          : modifier == Modifier::Alt ? Qt::AltModifier
                                                                      : Qt::ShiftModifier;
        QTest::keyClick(widget(field), Qt::Key_Period, held | Qt::KeypadModifier);
        settle();
    }
    void closeBox(const std::string& form)
    {
        runtime_.window(form)->close();
        settle();
    }
    bool endSession() { return platform::qt::sessionMayEnd(runtime_); }
    void inNextBox(std::function<void()> act)
    {
        boxes_.add([act = std::move(act)](QWidget*) { act(); });
    }
    void duringServiceWait(const std::function<void()>& act)
    {
        bool acted = false;
        QTimer acting;
        acting.setSingleShot(true);
        QObject::connect(&acting, &QTimer::timeout, [&] {
            act();
            acted = true;
        });
        acting.start(kSettleMilliseconds);
        EXPECT_EQ(runtime_.waitForService([&] { return acted; }, std::chrono::steady_clock::now() + kServiceWaitLimit),
                  platform::ServiceWaitEnd::Done);
        settle();
    }
    void activate(const std::string& form)
    {
        QWidget* w = runtime_.window(form);
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w)) << form;
    }
    void answerNextBox(MsgAnswer answer)
    {
        boxes_.add([answer](QWidget* box) { answerBox(box, answer); });
    }
    std::optional<ControlId> focus()
    {
        settle();
        QWidget* focused = QApplication::focusWidget();
        FormWindow* w = formWindowOf(focused);
        const platform::qt::FormControl* control = w ? w->controlOf(focused) : nullptr;
        return control ? std::optional(w->idOf(*control)) : std::nullopt;
    }
    std::string frontWindow()
    {
        settle();
        FormWindow* w = formWindowOf(QApplication::activeWindow());
        return w ? w->formName() : std::string();
    }
    void settle() { QTest::qWait(kSettleMilliseconds); }

private:
    static constexpr int kSettleMilliseconds = 50;
    static constexpr int kAnimatedClickMilliseconds = 150;
    static constexpr std::chrono::seconds kServiceWaitLimit{60};

    // A key as the window system gives it: to the window with the focus, a
    // box once it has taken it.
    void keyToFocusWindow(Qt::Key key)
    {
        if (QWidget* box = QApplication::activeModalWidget()) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(box));
        }
        QWindow* focused = QGuiApplication::focusWindow();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, key);
        settle();
    }

    QWidget* widget(const ControlId& control)
    {
        QWidget* w = runtime_.widget(control);
        EXPECT_NE(w, nullptr) << control.name;
        return w;
    }

    platform::qt::QtRuntime runtime_;
    BoxSteps boxes_;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(qt, RuntimeContract, QtDriver);

} // namespace dravelo::testing::contract

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
