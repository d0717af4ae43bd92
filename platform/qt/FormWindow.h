#pragma once
// One top-level window built from its design: its controls as child widgets,
// and the numeric properties the program reads and writes by name, kept
// unrounded in the window's units and rounded to pixels only when applied.

#include "platform/DesignRules.h"
#include "platform/FormDesign.h"
#include "platform/FormsRuntime.h"

#include <QPushButton>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dravelo::platform::qt {

struct FormControl {
    ControlDesign design;
    QWidget* widget = nullptr; // child of the window
    ControlValues values; // in the window's units
};

class FormWindow : public QWidget {
public:
    FormWindow(const FormDesign& design, double twipsPerPixel);

    const std::string& formName() const { return design_.name; }
    const FormDesign& design() const { return design_; }
    double twipsPerPixel() const { return twipsPerPixel_; }

    std::vector<FormControl>& formControls() { return controls_; }
    const std::vector<FormControl>& formControls() const { return controls_; }
    FormControl* find(const ControlId& id);
    const FormControl* find(const ControlId& id) const;
    // The control whose widget this is, or null.
    const FormControl* controlOf(const QWidget* widget) const;
    ControlId idOf(const FormControl& control) const;

    double property(const FormControl& control, const std::string& name) const;
    void setProperty(FormControl& control, const std::string& name, double value);
    void setCaption(FormControl& control, const QString& caption);

    // Normal-state outer geometry in twips: "Left", "Top", "Width", "Height".
    float formProperty(const std::string& name) const;
    void setFormProperty(const std::string& name, float value);

    // The focusable control with the lowest tab index, or null.
    QWidget* firstInTabOrder() const;
    // Shows the window as designed: maximized or normal.
    void showAsDesigned();
    void setVisible(bool visible) override;

    // Called for a close request of the window manager (close box, Alt+F4);
    // the window stays unless the handler unloads it.
    std::function<void()> onCloseRequest;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void build();
    void applyGeometry(FormControl& control);
    void applyNormalGeometry();
    QRect normalClientRect() const;
    int pixelsAcross(double units) const;
    int pixelsDown(double units) const;

    FormDesign design_;
    double twipsPerPixel_;
    ScaleUnits units_;
    std::vector<FormControl> controls_;
    QPushButton* defaultButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    TwipsRect outer_;
    bool positioned_ = false; // else the desktop places the window
    bool pendingNormalGeometry_ = false; // written while maximized or minimized
};

} // namespace dravelo::platform::qt
