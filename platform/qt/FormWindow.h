#pragma once
// One top-level window built from its design, as a Qt widget with its
// controls as child widgets: the toolkit's primitives of one window
// (WindowToolkit.h), geometry rounded to pixels only when applied.

#include "platform/FormDesign.h"
#include "platform/FormsRuntime.h"
#include "platform/RuntimeCore.h"
#include "platform/WindowToolkit.h"

#include <QPointer>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

namespace dravelo::platform::qt {

class ControlEventFilter;

struct FormControl {
    ControlDesign design;
    QWidget* widget = nullptr; // child of the window
};

class FormWindow : public QWidget, public ToolkitWindow {
public:
    FormWindow(RuntimeCore& core, ControlEventFilter& events, const FormDesign& design, const Look& look,
               const WindowPlace& place, double twipsPerPixel);

    const std::string& formName() const { return design_.name; }
    double twipsPerPixel() const { return twipsPerPixel_; }

    const FormControl* find(const ControlId& id) const;
    // The control whose widget this is, or null; none once unloaded.
    const FormControl* controlOf(const QWidget* widget) const;
    ControlId idOf(const FormControl& control) const;
    // Unloaded: hidden, and telling the core nothing more until Qt frees it
    // (a window of the same name may be loaded meanwhile).
    void retire();

    // ToolkitWindow
    std::optional<TwipsSize> addControl(const ControlDesign& design, const Look& look, const ControlBox& box) override;
    void controlsAdded() override;
    std::optional<TwipsSize> placeControl(ControlIndex control, const ControlBox& box) override;
    void setControlFont(ControlIndex control, const FontSpec& font) override;
    std::string controlText(ControlIndex control) const override;
    void setControlText(ControlIndex control, const std::string& text) override;
    void focusControl(ControlIndex control, FocusCause cause) override;
    std::optional<ControlIndex> focusedControl() const override;
    void setCaption(const std::string& caption) override;
    void place(const WindowPlace& place) override;
    void showAsDesigned() override;
    void bringToFront() override;
    // Disabled, Qt refuses the window the mouse, the keys, the access keys,
    // drops and the accessibility bus's press and focus actions.
    void setEnabled(bool enabled) override;
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Every press of a button ends in the core, whoever made it: the mouse,
    // a key, the accessibility action; a field reports its changes there.
    void connectEvents(const FormControl& control);
    std::optional<TwipsSize> applyGeometry(const FormControl& control, const ControlBox& box);
    void applyNormalGeometry();
    QRect normalClientRect() const;
    int pixels(double twips) const;

    RuntimeCore& core_;
    ControlEventFilter& events_;
    FormDesign design_;
    double twipsPerPixel_;
    std::vector<FormControl> controls_; // in design order
    WindowPlace place_;
    bool pendingNormalGeometry_ = false; // written while maximized or minimized
    bool retired_ = false;
    // A disabled window loses its focus: where it was, with a field's
    // cursor and selection, to be given back when the window is enabled.
    struct HeldFocus {
        QPointer<QWidget> widget;
        int cursor = 0;
        int selectionStart = -1;
        int selectionLength = 0;
    };
    HeldFocus heldFocus_;
};

} // namespace dravelo::platform::qt
