#include "platform/qt/QtPrinter.h"

#include "platform/AppInfo.h"
#include "platform/PrintFailure.h"
#include "platform/qt/PrintSubmission.h"
#include "platform/ServiceWait.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace dravelo::platform::qt {

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kTwipsPerInch = 1440;
constexpr double kHundredthsPerMillimetre = 100;
// Where the server does not say: the resolution of Qt's own printing.
constexpr int kFallbackDpi = 1200;

QPageLayout layoutOf(const cups::PrinterPage& page)
{
    if (page.width <= 0 || page.length <= 0)
        return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    const auto mm = [](int hundredths) { return hundredths / kHundredthsPerMillimetre; };
    return QPageLayout(QPageSize(QSizeF(mm(page.width), mm(page.length)), QPageSize::Millimeter),
                       QPageLayout::Portrait, QMarginsF(mm(page.left), mm(page.top), mm(page.right), mm(page.bottom)),
                       QPageLayout::Millimeter);
}

// Draws in the PDF's logical units, whose origin QPainter puts at the top
// left of the printable area; the job keeps its position in twips. The
// page is drawn by Qt on the media the destination chose, and sent by the
// print program rather than through QPrinter, whose CUPS calls have no time
// limit and cannot be abandoned, and which would load CUPS at every start.
class QtPrintJob : public PrintJob {
public:
    QtPrintJob(std::unique_ptr<PrintSubmission> submission, Clock::time_point deadline, ServiceWait wait,
               std::function<bool()> programEnded)
        : submission_(std::move(submission)), deadline_(deadline), wait_(std::move(wait)),
          programEnded_(std::move(programEnded)), pdf_(&bytes_)
    {
        pdf_.setPageLayout(layoutOf(submission_->page()));
        pdf_.setResolution(submission_->page().dpi > 0 ? submission_->page().dpi : kFallbackDpi);
        pdf_.setTitle(QString::fromUtf8(kAppTitle));
        pdf_.setCreator(QString::fromUtf8(kAppTitle));
    }

    bool begin(std::string& whyNot)
    {
        if (!bytes_.open(QIODevice::WriteOnly) || !painter_.begin(&pdf_)) {
            whyNot = printFailureText(PrintFailure::JobRefused, submission_->place());
            return false;
        }
        // The face the printer starts with; the report sets only size and bold.
        font_ = painter_.font();
        // Without ligatures every letter stays a glyph of its own, so the
        // text of a page printed to a file can be searched and copied.
        font_.setStyleStrategy(QFont::StyleStrategy(font_.styleStrategy() | QFont::PreferNoShaping));
        return true;
    }

    void setCurrentX(float twips) override { x_ = twips; }
    void setCurrentY(float twips) override { y_ = twips; }
    float currentX() const override { return x_; }
    float currentY() const override { return y_; }

    void setFontSize(double points) override { font_.setPointSizeF(points); }
    void setFontBold(bool bold) override { font_.setBold(bold); }

    float averageCharWidth() const override { return toTwipsX(metrics().averageCharWidth()); }
    // The line spacing (height plus the font's leading) is the distance the
    // font's designer puts between baselines, so successive lines never touch.
    float lineHeight() const override { return toTwipsY(metrics().lineSpacing()); }

    void printText(const std::string& text) override
    {
        const QString qtext = QString::fromStdString(text);
        const QFontMetricsF fm = metrics();
        painter_.setFont(font_);
        painter_.drawText(QPointF(toDeviceX(x_), toDeviceY(y_) + fm.ascent()), qtext);
        x_ += toTwipsX(fm.horizontalAdvance(qtext));
    }

    std::string endDoc() override
    {
        if (!painter_.end() || programEnded_()) {
            submission_->stop();
            return printFailureText(PrintFailure::Incomplete, submission_->place());
        }
        submission_->send(bytes_.data());
        const ServiceWaitEnd end = wait_([&] { return submission_->over(); }, deadline_);
        if (end != ServiceWaitEnd::Done)
            submission_->stop();
        if (end == ServiceWaitEnd::ProgramEnded)
            return printFailureText(PrintFailure::Incomplete, submission_->place());
        return printFailureText(submission_->failure(), submission_->place());
    }

private:
    QFontMetricsF metrics() const { return QFontMetricsF(font_, &pdf_); }
    double dpiX() const { return pdf_.logicalDpiX(); }
    double dpiY() const { return pdf_.logicalDpiY(); }
    double toDeviceX(float twips) const { return twips * dpiX() / kTwipsPerInch; }
    double toDeviceY(float twips) const { return twips * dpiY() / kTwipsPerInch; }
    float toTwipsX(double device) const { return static_cast<float>(device * kTwipsPerInch / dpiX()); }
    float toTwipsY(double device) const { return static_cast<float>(device * kTwipsPerInch / dpiY()); }

    std::unique_ptr<PrintSubmission> submission_;
    Clock::time_point deadline_;
    ServiceWait wait_;
    std::function<bool()> programEnded_;
    QBuffer bytes_;
    // The writer outlives the painter drawing on it.
    QPdfWriter pdf_;
    QPainter painter_;
    QFont font_;
    float x_ = 0;
    float y_ = 0;
};

} // namespace

std::unique_ptr<PrintJob> startDefaultPrinterJob(std::string& whyNot, ServiceWait wait,
                                                 std::function<bool()> programEnded)
{
    const Clock::time_point deadline = Clock::now() + kPrintServiceLimit;
    auto submission = std::make_unique<PrintSubmission>();
    const ServiceWaitEnd end = wait([&] { return submission->readyOrOver(); }, deadline);
    if (end != ServiceWaitEnd::Done)
        submission->stop();
    const PrintFailure failure = end == ServiceWaitEnd::ProgramEnded ? PrintFailure::Incomplete : submission->failure();
    if (failure != PrintFailure::None) {
        whyNot = printFailureText(failure, submission->place());
        return nullptr;
    }
    auto job = std::make_unique<QtPrintJob>(std::move(submission), deadline, std::move(wait), std::move(programEnded));
    if (!job->begin(whyNot))
        return nullptr;
    return job;
}

} // namespace dravelo::platform::qt
