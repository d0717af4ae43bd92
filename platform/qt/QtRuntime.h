#pragma once
// The forms runtime on Qt 6 Widgets: the runtime core over Qt's windows,
// dialogs and event loop, and the system's services on the Linux desktop.

#include "platform/FormDesign.h"
#include "platform/RuntimeCore.h"
#include "platform/WindowToolkit.h"
#include "platform/qt/ControlEventFilter.h"
#include "platform/qt/QtServices.h"

#include <QPointer>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

namespace dravelo::platform::qt {

class FormWindow;

class QtRuntime : private WindowToolkit, public RuntimeCore {
public:
    // Needs a QApplication.
    explicit QtRuntime(std::vector<FormDesign> designs);
    ~QtRuntime() override;
    QtRuntime(const QtRuntime&) = delete;
    QtRuntime& operator=(const QtRuntime&) = delete;

    // For tests: the window and a control's widget, or null.
    FormWindow* window(const std::string& form) const;
    QWidget* widget(const ControlId& control) const;
    // For tests: a fixed current time instead of the system clock.
    void setFixedNow(std::optional<QDateTime> now) { services_.setFixedNow(std::move(now)); }

private:
    // WindowToolkit
    ToolkitWindow& createWindow(const FormDesign& design, const Look& look, const WindowPlace& place) override;
    void destroyWindow(ToolkitWindow& window) override;
    ScreenSize screenSize() const override;
    MsgAnswer askUser(const std::string& text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton) override;
    std::string askText(const std::string& prompt, const std::string& title) override;
    void runModalLoop(const std::function<bool()>& finished, std::chrono::steady_clock::time_point deadline) override;
    void endEventLoop() override;

    QtServices services_;
    ControlEventFilter events_;
    // Every window ever built, unloaded ones until Qt has deleted them.
    std::vector<QPointer<FormWindow>> built_;
};

} // namespace dravelo::platform::qt
