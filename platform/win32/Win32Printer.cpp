#include "platform/win32/Win32Printer.h"

#include "platform/AppInfo.h"
#include "platform/win32/Utf16.h"

#include <windows.h>

#include <cmath>
#include <vector>

namespace dravelo::platform::win32 {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kPointsPerInch = 72;

std::string quoted(const std::wstring& printerName)
{
    return "\"" + toUtf8(printerName) + "\"";
}

// Draws in device pixels, whose origin a printer DC puts at the top left of
// the printable area; the job keeps its position in twips, y downwards.
class GdiPrintJob : public PrintJob {
public:
    GdiPrintJob(HDC dc, std::wstring printer) : dc_(dc), printer_(std::move(printer))
    {
        dpiX_ = GetDeviceCaps(dc_, LOGPIXELSX);
        dpiY_ = GetDeviceCaps(dc_, LOGPIXELSY);
        // The face the printer starts with; the report sets only size and bold.
        wchar_t face[LF_FACESIZE] = L"";
        GetTextFaceW(dc_, LF_FACESIZE, face);
        face_ = face;
        SetBkMode(dc_, TRANSPARENT);
        SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    }

    ~GdiPrintJob() override
    {
        if (started_ && !ended_)
            AbortDoc(dc_);
        SelectObject(dc_, GetStockObject(SYSTEM_FONT));
        if (font_)
            DeleteObject(font_);
        DeleteDC(dc_);
    }

    GdiPrintJob(const GdiPrintJob&) = delete;
    GdiPrintJob& operator=(const GdiPrintJob&) = delete;

    bool begin(std::string& whyNot)
    {
        const std::wstring title = toUtf16(kAppTitle);
        DOCINFOW document{};
        document.cbSize = sizeof document;
        document.lpszDocName = title.c_str();
        started_ = StartDocW(dc_, &document) > 0;
        if (!started_ || StartPage(dc_) <= 0) {
            whyNot = "La stampante " + quoted(printer_) + " non accetta il lavoro di stampa.";
            return false;
        }
        return true;
    }

    void setCurrentX(float twips) override { x_ = twips; }
    void setCurrentY(float twips) override { y_ = twips; }
    float currentX() const override { return x_; }
    float currentY() const override { return y_; }

    void setFontSize(double points) override
    {
        points_ = points;
        fontChanged_ = true;
    }
    void setFontBold(bool bold) override
    {
        bold_ = bold;
        fontChanged_ = true;
    }

    float averageCharWidth() const override { return toTwips(metrics().tmAveCharWidth, dpiX_); }
    // Height plus the font's leading: the distance the font's designer puts
    // between baselines, so successive lines never touch.
    float lineHeight() const override
    {
        const TEXTMETRICW m = metrics();
        return toTwips(m.tmHeight + m.tmExternalLeading, dpiY_);
    }

    void printText(const std::string& text) override
    {
        const std::wstring wide = toUtf16(text);
        const int length = static_cast<int>(wide.size());
        selectFont();
        SIZE extent{};
        if (!TextOutW(dc_, toDevice(x_, dpiX_), toDevice(y_, dpiY_), wide.c_str(), length) ||
            !GetTextExtentPoint32W(dc_, wide.c_str(), length, &extent))
            failed_ = true;
        x_ += toTwips(extent.cx, dpiX_);
    }

    std::string endDoc() override
    {
        const bool pageSent = !ended_ && EndPage(dc_) > 0;
        const bool sent = pageSent && EndDoc(dc_) > 0;
        ended_ = true;
        if (!sent || failed_)
            return "La stampa su " + quoted(printer_) + " non è stata completata.";
        return {};
    }

private:
    static int toDevice(float twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch)); }
    static float toTwips(long device, int dpi) { return static_cast<float>(device * kTwipsPerInch / dpi); }

    // The font is made when it is first needed after a change of size or
    // weight, and replaces the one before.
    void selectFont() const
    {
        if (!fontChanged_)
            return;
        fontChanged_ = false;
        const int height = -static_cast<int>(std::lround(points_ * dpiY_ / kPointsPerInch));
        HFONT font = CreateFontW(height, 0, 0, 0, bold_ ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 face_.c_str());
        if (!font) {
            failed_ = true;
            return;
        }
        SelectObject(dc_, font);
        if (font_)
            DeleteObject(font_);
        font_ = font;
    }

    TEXTMETRICW metrics() const
    {
        selectFont();
        TEXTMETRICW m{};
        GetTextMetricsW(dc_, &m);
        return m;
    }

    HDC dc_;
    std::wstring printer_;
    std::wstring face_;
    int dpiX_ = 0;
    int dpiY_ = 0;
    double points_ = 0;
    bool bold_ = false;
    mutable HFONT font_ = nullptr;
    // Until the first size or weight is set, the printer's own font is used.
    mutable bool fontChanged_ = false;
    mutable bool failed_ = false;
    bool started_ = false;
    bool ended_ = false;
    float x_ = 0;
    float y_ = 0;
};

// The spooler's calls the job needs before it starts.
struct Spooler {
    BOOL(WINAPI* getDefaultPrinter)(LPWSTR, LPDWORD) = nullptr;
    BOOL(WINAPI* openPrinter)(LPWSTR, LPHANDLE, LPPRINTER_DEFAULTSW) = nullptr;
    BOOL(WINAPI* getPrinter)(HANDLE, DWORD, LPBYTE, DWORD, LPDWORD) = nullptr;
    BOOL(WINAPI* closePrinter)(HANDLE) = nullptr;
};

template <class Function>
void bind(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The spooler brings the whole printing stack into the process (under Wine,
// CUPS and its libraries: megabytes and tens of milliseconds), so it is
// loaded, from the system folder only, when the first job starts rather
// than with the program.
Spooler loadSpooler()
{
    Spooler spooler;
    HMODULE module = LoadLibraryExW(L"winspool.drv", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module)
        return spooler;
    bind(module, "GetDefaultPrinterW", spooler.getDefaultPrinter);
    bind(module, "OpenPrinterW", spooler.openPrinter);
    bind(module, "GetPrinterW", spooler.getPrinter);
    bind(module, "ClosePrinter", spooler.closePrinter);
    return spooler;
}

// The default printer's name, or empty with the system's error code set.
std::wstring defaultPrinterName(const Spooler& spooler)
{
    if (!spooler.getDefaultPrinter)
        return {};
    DWORD size = 0;
    spooler.getDefaultPrinter(nullptr, &size);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0)
        return {};
    std::wstring name(size, L'\0');
    if (!spooler.getDefaultPrinter(name.data(), &size))
        return {};
    name.resize(size - 1); // the size counted the terminating NUL
    return name;
}

// A printer the spooler reports in error, offline or unavailable would hold
// the job without printing it; a paused one prints once resumed.
bool printerOutOfOrder(const Spooler& spooler, std::wstring name)
{
    constexpr DWORD kOutOfOrder = PRINTER_STATUS_ERROR | PRINTER_STATUS_OFFLINE | PRINTER_STATUS_NOT_AVAILABLE;
    HANDLE printer = nullptr;
    if (!spooler.openPrinter || !spooler.getPrinter || !spooler.closePrinter ||
        !spooler.openPrinter(name.data(), &printer, nullptr))
        return false; // unknown: the job itself will tell
    DWORD size = 0;
    spooler.getPrinter(printer, 2, nullptr, 0, &size);
    std::vector<BYTE> info(size);
    const bool read = size >= sizeof(PRINTER_INFO_2W) && spooler.getPrinter(printer, 2, info.data(), size, &size);
    spooler.closePrinter(printer);
    return read && (reinterpret_cast<const PRINTER_INFO_2W*>(info.data())->Status & kOutOfOrder) != 0;
}

} // namespace

std::unique_ptr<PrintJob> startDefaultPrinterJob(std::string& whyNot)
{
    const Spooler spooler = loadSpooler();
    const std::wstring printer = defaultPrinterName(spooler);
    if (printer.empty()) {
        whyNot = "Non è installata nessuna stampante predefinita.";
        return nullptr;
    }
    if (printerOutOfOrder(spooler, printer)) {
        whyNot = "La stampante predefinita " + quoted(printer) + " è in stato di errore.";
        return nullptr;
    }
    HDC dc = CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr);
    if (!dc) {
        whyNot = "La stampante predefinita " + quoted(printer) + " non è raggiungibile.";
        return nullptr;
    }
    auto job = std::make_unique<GdiPrintJob>(dc, printer);
    if (!job->begin(whyNot))
        return nullptr;
    return job;
}

} // namespace dravelo::platform::win32
