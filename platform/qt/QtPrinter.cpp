#include "platform/qt/QtPrinter.h"

#include "platform/AppInfo.h"
#include "platform/PrintFailure.h"
#include "platform/qt/CupsService.h"

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
// The call's own deadline is the limit; the wait allows it this much more
// to come back and say why, before giving up on it.
constexpr std::chrono::milliseconds kReplyGrace{1500};

QPageLayout layoutOf(const PrinterPage& page)
{
    if (page.width <= 0 || page.height <= 0)
        return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    const auto mm = [](int hundredths) { return hundredths / kHundredthsPerMillimetre; };
    return QPageLayout(QPageSize(QSizeF(mm(page.width), mm(page.height)), QPageSize::Millimeter),
                       QPageLayout::Portrait, QMarginsF(mm(page.left), mm(page.top), mm(page.right), mm(page.bottom)),
                       QPageLayout::Millimeter);
}

// Draws in the PDF's logical units, whose origin QPainter puts at the top
// left of the printable area; the job keeps its position in twips. The
// page is drawn by Qt, and sent with CUPS's own calls rather than through
// QPrinter, whose CUPS calls have no time limit and cannot be abandoned.
class QtPrintJob : public PrintJob {
public:
    QtPrintJob(DefaultPrinter printer, Clock::time_point deadline, ServiceWait wait, std::function<bool()> programEnded)
        : printer_(std::move(printer)), deadline_(deadline), wait_(std::move(wait)),
          programEnded_(std::move(programEnded)), pdf_(&bytes_)
    {
        pdf_.setPageLayout(layoutOf(printer_.page));
        pdf_.setResolution(printer_.page.dpi > 0 ? printer_.page.dpi : kFallbackDpi);
        pdf_.setTitle(QString::fromUtf8(kAppTitle));
        pdf_.setCreator(QString::fromUtf8(kAppTitle));
    }

    bool begin(std::string& whyNot)
    {
        if (!bytes_.open(QIODevice::WriteOnly) || !painter_.begin(&pdf_)) {
            whyNot = printFailureText(PrintFailure::JobRefused, printer_.place);
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
        if (!painter_.end() || programEnded_())
            return printFailureText(PrintFailure::Incomplete, printer_.place);
        const std::string pdf = bytes_.data().toStdString();
        const std::string title = kAppTitle;
        BackgroundCall<PrintFailure> submission(
            [place = printer_.place, title, pdf, deadline = deadline_](const std::atomic<bool>& abandoned) {
                return submitHeldJob(place, title, pdf, deadline, abandoned);
            });
        switch (wait_([&] { return submission.done(); }, deadline_ + kReplyGrace)) {
        case ServiceWaitEnd::Done:
            return printFailureText(submission.result(), printer_.place);
        case ServiceWaitEnd::TimedOut:
            return printFailureText(PrintFailure::Unconfirmed, printer_.place);
        case ServiceWaitEnd::ProgramEnded:
            break;
        }
        return printFailureText(PrintFailure::Incomplete, printer_.place);
    }

private:
    QFontMetricsF metrics() const { return QFontMetricsF(font_, &pdf_); }
    double dpiX() const { return pdf_.logicalDpiX(); }
    double dpiY() const { return pdf_.logicalDpiY(); }
    double toDeviceX(float twips) const { return twips * dpiX() / kTwipsPerInch; }
    double toDeviceY(float twips) const { return twips * dpiY() / kTwipsPerInch; }
    float toTwipsX(double device) const { return static_cast<float>(device * kTwipsPerInch / dpiX()); }
    float toTwipsY(double device) const { return static_cast<float>(device * kTwipsPerInch / dpiY()); }

    DefaultPrinter printer_;
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
    BackgroundCall<DefaultPrinter> question(
        [deadline](const std::atomic<bool>& abandoned) { return askDefaultPrinter(deadline, abandoned); });
    DefaultPrinter printer;
    switch (wait([&] { return question.done(); }, deadline + kReplyGrace)) {
    case ServiceWaitEnd::Done:
        printer = question.result();
        break;
    case ServiceWaitEnd::TimedOut:
        // Still waiting on a name lookup, which has no time limit of its own.
        printer.failure = PrintFailure::NoAnswer;
        printer.place.server = printServerName();
        break;
    case ServiceWaitEnd::ProgramEnded:
        printer.failure = PrintFailure::Incomplete;
        break;
    }
    if (printer.failure != PrintFailure::None) {
        whyNot = printFailureText(printer.failure, printer.place);
        return nullptr;
    }
    auto job = std::make_unique<QtPrintJob>(std::move(printer), deadline, std::move(wait), std::move(programEnded));
    if (!job->begin(whyNot))
        return nullptr;
    return job;
}

} // namespace dravelo::platform::qt
