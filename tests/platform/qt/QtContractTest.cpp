// The runtime contract on the Qt runtime: real widgets under a real X server
// and window manager, driven with the window system's own events.

#include "platform/qt/FormWindow.h"
#include "platform/qt/QtRuntime.h"
#include "platform/qt/SessionEnd.h"
#include "tests/platform/contract/RuntimeContract.h"
#include "tests/platform/qt/ModalAnswer.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>

#include <cctype>
#include <memory>

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
        return;
    }
    pressKeyIn(box, answer == MsgAnswer::Ok ? Qt::Key_Return : Qt::Key_Escape);
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
    void enter(const ControlId& field) { QTest::keyClick(widget(field), Qt::Key_Return); }
    void closeBox(const std::string& form)
    {
        runtime_.window(form)->close();
        settle();
    }
    bool endSession() { return platform::qt::sessionMayEnd(runtime_); }
    void activate(const std::string& form)
    {
        QWidget* w = runtime_.window(form);
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w)) << form;
    }
    void answerNextBox(MsgAnswer answer)
    {
        answers_.push_back(std::make_unique<ModalAnswer>([answer](QWidget* box) { answerBox(box, answer); }));
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

    QWidget* widget(const ControlId& control)
    {
        QWidget* w = runtime_.widget(control);
        EXPECT_NE(w, nullptr) << control.name;
        return w;
    }

    platform::qt::QtRuntime runtime_;
    std::vector<std::unique_ptr<ModalAnswer>> answers_;
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
