#pragma once
// Hands the key, mouse and access-key events of every control to the
// runtime, which gives them the program's semantics.

#include <QObject>

namespace dravelo::platform::qt {

class QtRuntime;

class ControlEventFilter : public QObject {
public:
    explicit ControlEventFilter(QtRuntime& runtime) : runtime_(runtime) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QtRuntime& runtime_;
};

} // namespace dravelo::platform::qt
