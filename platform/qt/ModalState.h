#pragma once
// The one modal state of the Qt runtime: while a message box, the input box
// or a wait for a slow service is open, the program's windows take no press
// from any source. They are disabled meanwhile, as the desktop the program
// comes from disables them: Qt then refuses them the mouse, the keys, the
// access keys, drops and the accessibility bus's press and focus actions.
// What a disabled field still takes, a text written into it by assistive
// technology, the runtime takes back when it asks active().

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

namespace dravelo::platform::qt {

class FormWindow;

class ModalState {
public:
    // The program's windows, those held when the first modal period begins.
    using Windows = std::function<std::vector<FormWindow*>()>;
    explicit ModalState(Windows windows) : windows_(std::move(windows)) {}
    ModalState(const ModalState&) = delete;
    ModalState& operator=(const ModalState&) = delete;

    bool active() const { return depth_ > 0; }

    // One box or wait; nested ones (the log-off question during a wait)
    // count, and the windows come back with the last. A box made within it
    // stays usable: only windows there before are held.
    class Scope {
    public:
        explicit Scope(ModalState& state);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ModalState& state_;
    };

private:
    // A disabled window loses its focus: it is given back where it was,
    // with a field's selection, so that the hold leaves nothing behind.
    struct Held {
        QPointer<FormWindow> window;
        QPointer<QWidget> focus;
        int cursor = 0;
        int selectionStart = -1;
        int selectionLength = 0;
    };
    void hold();
    void release();

    Windows windows_;
    int depth_ = 0;
    std::vector<Held> held_;
};

} // namespace dravelo::platform::qt
