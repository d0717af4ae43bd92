#pragma once
// A default printer for the print-queue checks: each job is the runtime's
// real one, and the font measures it gave the report are kept, so the check
// can hold the printed layout against them.

#include "platform/FormsRuntime.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace dravelo::testing {

class MeasuringJob : public platform::PrintJob {
public:
    MeasuringJob(std::unique_ptr<platform::PrintJob> job, float& average, float& line)
        : job_(std::move(job)), average_(average), line_(line)
    {
    }
    void setCurrentX(float t) override { job_->setCurrentX(t); }
    void setCurrentY(float t) override { job_->setCurrentY(t); }
    float currentX() const override { return job_->currentX(); }
    float currentY() const override { return job_->currentY(); }
    void setFontSize(double p) override { job_->setFontSize(p); }
    void setFontBold(bool b) override { job_->setFontBold(b); }
    float averageCharWidth() const override { return average_ = job_->averageCharWidth(); }
    float lineHeight() const override { return line_ = job_->lineHeight(); }
    void printText(const std::string& t) override { job_->printText(t); }
    std::string endDoc() override { return job_->endDoc(); }
    std::string notice() const override { return job_->notice(); }

private:
    std::unique_ptr<platform::PrintJob> job_;
    float& average_;
    float& line_;
};

class MeasuringPrinter : public platform::Printing {
public:
    using StartJob = std::function<std::unique_ptr<platform::PrintJob>(std::string& whyNot)>;
    explicit MeasuringPrinter(StartJob startRealJob) : startRealJob_(std::move(startRealJob)) {}

    std::unique_ptr<platform::PrintJob> startJob(std::string& whyNot) override
    {
        auto job = startRealJob_(whyNot);
        if (!job)
            return nullptr;
        return std::make_unique<MeasuringJob>(std::move(job), averageTwips, lineTwips);
    }
    float averageTwips = 0;
    float lineTwips = 0;

private:
    StartJob startRealJob_;
};

} // namespace dravelo::testing
