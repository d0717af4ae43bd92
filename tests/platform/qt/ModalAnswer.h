#pragma once
// Answers the next application-modal box the way a user would: waits for
// it to come up, looks at it, then acts on it through the window system
// (key or mouse events to its window), from inside its own event loop.

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace dravelo::testing {

class ModalAnswer {
public:
    // action runs once with the modal widget; it must close the box.
    explicit ModalAnswer(std::function<void(QWidget*)> action);
    ~ModalAnswer();
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    bool answered() const { return answered_; }

private:
    std::function<void(QWidget*)> action_;
    QTimer timer_;
    bool answered_ = false;
};

// Presses a key in the box's window, as the keyboard would.
void pressKeyIn(QWidget* box, int key);

} // namespace dravelo::testing
