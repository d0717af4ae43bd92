#pragma once
// The forms runtime on Qt 6 Widgets: windows built from their designs,
// control events with the program's semantics, standard dialogs, regional
// formats, files, programs and the printer.

#include "platform/FormDesign.h"
#include "platform/FormsRuntime.h"
#include "platform/qt/ModalState.h"
#include "platform/qt/ServiceWait.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <QKeyEvent>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dravelo::platform::qt {

class FormWindow;
class ControlEventFilter;
struct FormControl;

// Once the program has ended, every service is inert, so that a handler
// that a box interrupted (the session ending while the box was open) unwinds
// without acting: texts read empty, changes and focus do nothing, boxes
// answer at once with No (or OK) and the empty text, nothing is written,
// started or printed.
class QtRuntime : public FormsRuntime {
public:
    // Needs a QApplication.
    explicit QtRuntime(std::vector<FormDesign> designs);
    ~QtRuntime() override;
    QtRuntime(const QtRuntime&) = delete;
    QtRuntime& operator=(const QtRuntime&) = delete;

    // The program's handlers; null stops every event.
    void setEvents(FormEvents* events) { events_ = events; }
    bool ended() const { return ended_; }

    // Raises the window's close query; true when no handler cancelled (or
    // the program ended meanwhile). The window is not unloaded by it.
    bool queryClose(const std::string& form, UnloadMode mode);
    // Loaded windows in the order they were loaded.
    std::vector<std::string> loadedForms() const;
    // A window's close query is waiting for the program's answer.
    bool closeQueryRunning() const { return closeQueries_ > 0; }
    // Waits for a slow service (the printer, a folder) as under a modal box:
    // see ServiceWait.h.
    WaitEnd waitForService(const std::function<bool()>& done, std::chrono::steady_clock::time_point deadline);

    // For tests: the window and a control's widget, or null.
    FormWindow* window(const std::string& form) const;
    QWidget* widget(const ControlId& control) const;
    // For tests: a fixed current time instead of the system clock.
    void setFixedNow(std::optional<QDateTime> now) { fixedNow_ = std::move(now); }

    // WindowSystem
    void show(const std::string& form) override;
    void unload(const std::string& form) override;
    bool isLoaded(const std::string& form) const override;
    void endProgram() override;
    void setFormCaption(const std::string& form, const std::string& caption) override;
    float formProperty(const std::string& form, const std::string& name) const override;
    void setFormProperty(const std::string& form, const std::string& name, float value) override;
    std::vector<ControlId> controls(const std::string& form) const override;
    ControlKind kind(const ControlId& control) const override;
    double property(const ControlId& control, const std::string& name) const override;
    void setProperty(const ControlId& control, const std::string& name, double value) override;
    std::string text(const ControlId& control) const override;
    void setText(const ControlId& control, const std::string& text) override;
    void setCaption(const ControlId& control, const std::string& caption) override;
    void setFocus(const ControlId& control) override;
    ScreenSize screen() const override;

    // Dialogs
    MsgAnswer msgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton) override;
    std::string inputBox(const std::string& prompt, const std::string& title) override;

    // Clock, Regional
    std::string dateText() const override;
    std::string timeText() const override;
    NumberFormat numberFormat() const override;

    // FileSystem, Launcher, Printing
    std::string writeFile(const std::string& path, const std::string& bytes) override;
    std::string firstMatch(const std::string& pattern) const override;
    bool launch(const std::string& program) override;
    std::unique_ptr<PrintJob> startJob(std::string& whyNot) override;

private:
    friend class ControlEventFilter;

    FormWindow& loadedWindow(const std::string& form) const;
    // waitForService, for the services that wait.
    ServiceWait serviceWait();
    struct Found {
        FormWindow* window;
        FormControl* control;
    };
    Found findControl(const ControlId& id) const;
    const FormDesign& designOf(const std::string& form) const;
    void connectEvents(FormWindow& window);
    void destroyWindow(const std::string& form);
    QDateTime now() const;
    // Calls the program's handlers unless the program has ended.
    template <class Call>
    void dispatch(Call call)
    {
        if (!ended_ && events_)
            call(*events_);
    }

    // Focus moves between controls of one window raise the field's leave.
    void focusChanged(QWidget* old, QWidget* now);
    // Key, mouse and access-key events of the controls.
    bool controlEvent(QWidget* widget, QEvent* event);
    bool fieldKeyPress(QWidget* field, QKeyEvent* event);
    // A press of a button moves the focus to it first, so that the field
    // being left runs its leave; true when the button has the focus then.
    bool focusForPress(QWidget* button);

    std::vector<FormDesign> designs_;
    FormEvents* events_ = nullptr;
    bool ended_ = false;
    std::map<std::string, QPointer<FormWindow>> windows_;
    std::vector<std::string> loadOrder_;
    // Every window ever built, unloaded ones until Qt has deleted them.
    std::vector<QPointer<FormWindow>> built_;
    std::unique_ptr<ControlEventFilter> filter_;
    ModalState modal_;
    // The program is setting a field's text: a change to let through even
    // while the windows are held.
    bool programSetsText_ = false;
    std::optional<QDateTime> fixedNow_;
    // The control whose focus move a leave handler refused: the mouse press
    // that caused the move must not act on it.
    QPointer<QWidget> refusedTarget_;
    // The control the focus is moving to while a leave handler runs.
    QPointer<QWidget> leaveTarget_;
    bool resendingKey_ = false;
    int closeQueries_ = 0;
};

} // namespace dravelo::platform::qt
