#pragma once
// Creates the widget of one control from its design and look: its class,
// colours, font, border, picture and whether it takes the focus. Geometry
// is applied by the window.

#include "platform/FormDesign.h"
#include "platform/WindowToolkit.h"

#include <QFont>
#include <QWidget>

namespace dravelo::platform::qt {

QWidget* createControlWidget(const ControlDesign& design, const Look& look, QWidget* parent);

// Lines, labels and images are drawn on the window's surface: they never
// take the focus and lie beneath the other controls.
bool isLightweight(ControlClass cls);

// The size a self-sizing label needs for its caption in its font, plus its
// border; a wrapping label keeps its width and fits its height.
QSize fittedLabelSize(const QWidget& label, bool wordWrap);

// The height of one line of text in the font.
int lineHeight(const QFont& font);

} // namespace dravelo::platform::qt
