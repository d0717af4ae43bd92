#pragma once
// A Qt forms runtime over the real designs, with recording handlers, and
// helpers to reach its widgets and drive them through the window system.

#include "forms/Designs.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/QtRuntime.h"
#include "tests/platform/qt/RecordingEvents.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include <string>

namespace dravelo::testing {

struct QtHarness {
    QtHarness() { runtime.setEvents(&events); }
    ~QtHarness() { runtime.setEvents(nullptr); }

    // Shows the window and waits until it is active; false if it never is.
    bool open(const char* form);
    platform::qt::FormWindow* window(const char* form) const { return runtime.window(form); }
    QWidget* widget(const char* form, const char* control, int index = -1) const;
    QLineEdit* field(const char* control) const;
    QPushButton* button(const char* form, const char* control) const;
    // Gives the control the focus and waits for it.
    bool focus(const char* form, const char* control);

    RecordingEvents events;
    platform::qt::QtRuntime runtime{forms::allDesigns()};
};

// Waits until the X keyboard focus is in the window.
bool waitForWindowManagerFocus(QWidget* window);
// Runs xdotool with these arguments; false when it fails.
bool xdotool(const QStringList& arguments);
// Moves the real pointer to the middle of the widget and clicks it.
bool realClick(QWidget* widget);

} // namespace dravelo::testing
