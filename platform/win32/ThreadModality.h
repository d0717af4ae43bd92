#pragma once
// Makes a dialog modal to the whole program, as the program's boxes are:
// every other window of the thread is disabled while it is up, and the
// activation and the focus go back where they were when it goes.

#include <windows.h>

#include <vector>

namespace dravelo::platform::win32 {

class ThreadModality {
public:
    // The owner is left to the dialog, which disables and enables it itself.
    // Without disableOthers only the activation and focus are restored.
    ThreadModality(HWND owner, bool disableOthers);
    ~ThreadModality() { release(); }
    ThreadModality(const ThreadModality&) = delete;
    ThreadModality& operator=(const ThreadModality&) = delete;

    // Enables the windows again; only the first call acts. A dialog calls it
    // just before it goes, so that the activation stays with the program.
    void enableWindows();
    // Enables the windows, then gives back the activation and the focus.
    void release();

private:
    HWND owner_;
    HWND active_;
    HWND focus_;
    std::vector<HWND> disabled_;
    bool enabled_ = false;
};

} // namespace dravelo::platform::win32
