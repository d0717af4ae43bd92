#include "platform/qt/QtPrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace dravelo::platform::qt {

namespace {

constexpr double kTwipsPerInch = 1440;

std::string quoted(const QString& printerName)
{
    return "\"" + printerName.toStdString() + "\"";
}

// Draws in the printer's logical units, whose origin QPainter puts at the
// top left of the printable area; the job keeps its position in twips.
class QtPrintJob : public PrintJob {
public:
    explicit QtPrintJob(const QPrinterInfo& info) : printer_(info, QPrinter::HighResolution) {}

    bool begin(std::string& whyNot)
    {
        if (!painter_.begin(&printer_)) {
            whyNot = "La stampante " + quoted(printer_.printerName()) + " non accetta il lavoro di stampa.";
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
        const bool ended = painter_.end();
        if (!ended || printer_.printerState() == QPrinter::Error || printer_.printerState() == QPrinter::Aborted)
            return "La stampa su " + quoted(printer_.printerName()) + " non è stata completata.";
        return {};
    }

private:
    QFontMetricsF metrics() const { return QFontMetricsF(font_, &printer_); }
    double dpiX() const { return printer_.logicalDpiX(); }
    double dpiY() const { return printer_.logicalDpiY(); }
    double toDeviceX(float twips) const { return twips * dpiX() / kTwipsPerInch; }
    double toDeviceY(float twips) const { return twips * dpiY() / kTwipsPerInch; }
    float toTwipsX(double device) const { return static_cast<float>(device * kTwipsPerInch / dpiX()); }
    float toTwipsY(double device) const { return static_cast<float>(device * kTwipsPerInch / dpiY()); }

    // The printer outlives the painter drawing on it.
    QPrinter printer_;
    QPainter painter_;
    QFont font_;
    float x_ = 0;
    float y_ = 0;
};

} // namespace

std::unique_ptr<PrintJob> startDefaultPrinterJob(std::string& whyNot)
{
    // Bound explicitly: a plain QPrinter would fall back to the first queue,
    // or to PDF output, when there is no default printer.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        whyNot = "Non è installata nessuna stampante predefinita.";
        return nullptr;
    }
    if (info.state() == QPrinter::Error || info.state() == QPrinter::Aborted) {
        whyNot = "La stampante predefinita " + quoted(info.printerName()) + " è in stato di errore.";
        return nullptr;
    }
    auto job = std::make_unique<QtPrintJob>(info);
    if (!job->begin(whyNot))
        return nullptr;
    return job;
}

} // namespace dravelo::platform::qt
