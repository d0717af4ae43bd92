#pragma once
// Makes a dialog, or a wait for a slow service, modal to the whole program,
// as the program's boxes are: every other window of the thread is disabled
// while it is up, and the activation and the focus go back where they were
// when it goes. This is how the Win32 runtime holds its windows for the
// core's modal state; the system refuses a disabled window the mouse and
// the keys, and what it does not refuse (BM_CLICK, texts and commands sent
// from other programs) the runtime's controls refuse while the core's state
// or holding() says the windows are held.

#include <windows.h>

#include <vector>

namespace dravelo::platform::win32 {

class ThreadModality {
public:
    // The owner is left to the dialog, which disables and enables it itself.
    // Without disableOthers only the activation and focus are restored.
    ThreadModality(HWND owner, bool disableOthers);
    ~ThreadModality()
    {
        release();
        --depth_;
    }
    ThreadModality(const ThreadModality&) = delete;
    ThreadModality& operator=(const ThreadModality&) = delete;

    // A dialog or a wait holds this thread's windows, from the making of its
    // modality to its end: also a dialog the core does not see (the
    // printer's own question of a file name).
    static bool holding() { return depth_ > 0; }

    // Enables the windows again; only the first call acts. A dialog calls it
    // just before it goes, so that the activation stays with the program.
    void enableWindows();
    // Enables the windows, then gives back the activation and the focus.
    void release();

private:
    static inline thread_local int depth_ = 0;

    HWND owner_;
    HWND active_;
    HWND focus_;
    std::vector<HWND> disabled_;
    bool enabled_ = false;
};

} // namespace dravelo::platform::win32
