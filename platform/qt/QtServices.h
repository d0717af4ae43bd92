#pragma once
// The system's services on Qt and the Linux desktop: the clock and number
// formats of the user's locale, files, programs and the printer.

#include "platform/RuntimeCore.h"

#include <QDateTime>

#include <functional>
#include <optional>

namespace dravelo::platform::qt {

class QtServices : public SystemServices {
public:
    // A print or a save waits for its service by wait; programEnded tells
    // that the program ended meanwhile.
    QtServices(ServiceWait wait, std::function<bool()> programEnded)
        : wait_(std::move(wait)), programEnded_(std::move(programEnded))
    {
    }
    // For tests: a fixed current time instead of the system clock.
    void setFixedNow(std::optional<QDateTime> now) { fixedNow_ = std::move(now); }

    std::string dateText() const override;
    std::string timeText() const override;
    NumberFormat numberFormat() const override;
    std::string writeFile(const std::string& path, const std::string& bytes) override;
    std::string firstMatch(const std::string& pattern) const override;
    bool launch(const std::string& program) override;
    std::unique_ptr<PrintJob> startJob(std::string& whyNot) override;

private:
    QDateTime now() const;

    ServiceWait wait_;
    std::function<bool()> programEnded_;
    std::optional<QDateTime> fixedNow_;
};

} // namespace dravelo::platform::qt
