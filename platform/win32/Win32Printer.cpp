#include "platform/win32/Win32Printer.h"

#include "platform/AppInfo.h"
#include "platform/PrintFailure.h"
#include "platform/win32/Utf16.h"

#include <cmath>
#include <mutex>
#include <vector>

namespace dravelo::platform::win32 {

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kTwipsPerInch = 1440;
constexpr double kPointsPerInch = 72;

// A printer DC and its document, shared by the job and the spooler calls
// running for it: whichever lets go last cleans up, so a call that comes
// back after the program gave up on it never leaves a document behind. A
// document started and not ended is aborted before the DC goes.
struct Document {
    HDC dc = nullptr;
    HFONT font = nullptr;
    bool started = false;
    bool ended = false;

    ~Document()
    {
        if (!dc)
            return;
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        if (font)
            DeleteObject(font);
        if (started && !ended)
            AbortDoc(dc);
        DeleteDC(dc);
    }
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

// A spooler that is not running answers every call with the RPC server
// missing.
bool spoolerStopped(DWORD error)
{
    return error == RPC_S_SERVER_UNAVAILABLE || error == RPC_S_SERVER_TOO_BUSY || error == RPC_S_CALL_FAILED;
}

// The default printer's name, or empty with the failure set.
std::wstring defaultPrinterName(const Spooler& spooler, PrintFailure& failure)
{
    failure = PrintFailure::NoPrinter;
    if (!spooler.getDefaultPrinter)
        return {};
    DWORD size = 0;
    spooler.getDefaultPrinter(nullptr, &size);
    const DWORD error = GetLastError();
    if (spoolerStopped(error))
        failure = PrintFailure::SpoolerStopped;
    if (error != ERROR_INSUFFICIENT_BUFFER || size == 0)
        return {};
    std::wstring name(size, L'\0');
    if (!spooler.getDefaultPrinter(name.data(), &size))
        return {};
    name.resize(size - 1); // the size counted the terminating NUL
    failure = PrintFailure::None;
    return name;
}

struct PrinterState {
    PrintFailure failure = PrintFailure::None;
    PrintNotice notice = PrintNotice::None;
};

// A printer off line (a network printer asleep, "Use Printer Offline") or
// in error keeps the job in its queue until it is back, as Windows does;
// the user is told so. A paused one prints once resumed.
PrinterState printerState(const Spooler& spooler, std::wstring name)
{
    constexpr DWORD kOffline = PRINTER_STATUS_OFFLINE | PRINTER_STATUS_NOT_AVAILABLE;
    PrinterState state;
    HANDLE printer = nullptr;
    if (!spooler.openPrinter || !spooler.getPrinter || !spooler.closePrinter)
        return state; // unknown: the job itself will tell
    if (!spooler.openPrinter(name.data(), &printer, nullptr)) {
        if (spoolerStopped(GetLastError()))
            state.failure = PrintFailure::SpoolerStopped;
        return state;
    }
    DWORD size = 0;
    spooler.getPrinter(printer, 2, nullptr, 0, &size);
    std::vector<BYTE> bytes(size);
    const bool read = size >= sizeof(PRINTER_INFO_2W) && spooler.getPrinter(printer, 2, bytes.data(), size, &size);
    spooler.closePrinter(printer);
    if (!read)
        return state;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(bytes.data());
    if ((info->Status & kOffline) || (info->Attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE))
        state.notice = PrintNotice::PrinterOffline;
    else if (info->Status & PRINTER_STATUS_ERROR)
        state.notice = PrintNotice::PrinterInError;
    return state;
}

// What the first call learns: the printer, its state and a DC on it. The
// stage it reached tells, when it does not come back, who did not answer.
struct Opening {
    PrintFailure failure = PrintFailure::None;
    PrintNotice notice = PrintNotice::None;
    std::wstring printer;
    std::shared_ptr<Document> document;
};

struct OpeningProgress {
    std::mutex mutex;
    std::wstring printer; // set once the spooler named the default printer
};

Opening openDefaultPrinter(OpeningProgress& progress)
{
    Opening opening;
    const Spooler spooler = loadSpooler();
    opening.printer = defaultPrinterName(spooler, opening.failure);
    if (opening.failure != PrintFailure::None)
        return opening;
    {
        std::lock_guard lock(progress.mutex);
        progress.printer = opening.printer;
    }
    const PrinterState state = printerState(spooler, opening.printer);
    opening.failure = state.failure;
    opening.notice = state.notice;
    if (opening.failure != PrintFailure::None)
        return opening;
    HDC dc = CreateDCW(L"WINSPOOL", opening.printer.c_str(), nullptr, nullptr);
    if (!dc) {
        opening.failure = spoolerStopped(GetLastError()) ? PrintFailure::SpoolerStopped : PrintFailure::PrinterUnreachable;
        return opening;
    }
    opening.document = std::make_shared<Document>();
    opening.document->dc = dc;
    return opening;
}

// StartDoc and StartPage. The empty failure text with a false result is
// the user's own cancel of the printer's question.
struct Start {
    bool started = false;
    bool cancelled = false;
};

Start startDocument(Document& document)
{
    const std::wstring title = toUtf16(kAppTitle);
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = title.c_str();
    Start start;
    document.started = StartDocW(document.dc, &info) > 0;
    if (!document.started) {
        start.cancelled = GetLastError() == ERROR_CANCELLED;
        return start;
    }
    start.started = StartPage(document.dc) > 0;
    return start;
}

// Draws in device pixels, whose origin a printer DC puts at the top left of
// the printable area; the job keeps its position in twips, y downwards.
class GdiPrintJob : public PrintJob {
public:
    GdiPrintJob(const Opening& opening, ServiceWait wait, ServiceDeadline deadline)
        : document_(opening.document), dc_(document_->dc), printer_(opening.printer), notice_(opening.notice),
          wait_(std::move(wait)), deadline_(deadline)
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

    GdiPrintJob(const GdiPrintJob&) = delete;
    GdiPrintJob& operator=(const GdiPrintJob&) = delete;

    // StartDoc within the limit; a printer that asks for a file name, and a
    // driver that asks for a PIN, ask from it, while the clock stops.
    bool begin(std::string& whyNot)
    {
        BackgroundCall<Start> call([document = document_] { return startDocument(*document); });
        const ServiceWaitEnd end = wait_(call.doneEvent(), deadline_, call.thread());
        if (end != ServiceWaitEnd::Done) {
            whyNot = failureText(end == ServiceWaitEnd::TimedOut ? PrintFailure::PrinterNoAnswer
                                                                  : PrintFailure::Incomplete);
            return false;
        }
        const Start start = call.result();
        if (start.started)
            return true;
        // The user's own choice is not told as a refusal.
        whyNot = start.cancelled ? std::string() : failureText(PrintFailure::JobRefused);
        return false;
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

    // EndPage and EndDoc within the limit. A failed one leaves the document
    // unended, so that it is aborted before its DC is deleted.
    std::string endDoc() override
    {
        if (ended_)
            return failureText(PrintFailure::Incomplete);
        ended_ = true;
        BackgroundCall<bool> call([document = document_] {
            document->ended = EndPage(document->dc) > 0 && EndDoc(document->dc) > 0;
            return document->ended;
        });
        switch (wait_(call.doneEvent(), deadline_, call.thread())) {
        case ServiceWaitEnd::Done:
            sent_ = call.result() && !failed_;
            return sent_ ? std::string() : failureText(PrintFailure::Incomplete);
        case ServiceWaitEnd::TimedOut:
            return failureText(PrintFailure::Unconfirmed);
        case ServiceWaitEnd::ProgramEnded:
            break;
        }
        return failureText(PrintFailure::Incomplete);
    }

    std::string notice() const override
    {
        return sent_ ? printNoticeText(notice_, {{}, toUtf8(printer_)}) : std::string();
    }

private:
    static int toDevice(float twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch)); }
    static float toTwips(long device, int dpi) { return static_cast<float>(device * kTwipsPerInch / dpi); }

    std::string failureText(PrintFailure failure) const { return printFailureText(failure, {{}, toUtf8(printer_)}); }

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
        if (document_->font)
            DeleteObject(document_->font);
        document_->font = font;
    }

    TEXTMETRICW metrics() const
    {
        selectFont();
        TEXTMETRICW m{};
        GetTextMetricsW(dc_, &m);
        return m;
    }

    std::shared_ptr<Document> document_;
    HDC dc_;
    std::wstring printer_;
    PrintNotice notice_;
    ServiceWait wait_;
    ServiceDeadline deadline_;
    std::wstring face_;
    int dpiX_ = 0;
    int dpiY_ = 0;
    double points_ = 0;
    bool bold_ = false;
    // Until the first size or weight is set, the printer's own font is used.
    mutable bool fontChanged_ = false;
    mutable bool failed_ = false;
    bool ended_ = false;
    bool sent_ = false;
    float x_ = 0;
    float y_ = 0;
};

} // namespace

std::unique_ptr<PrintJob> startDefaultPrinterJob(std::string& whyNot, ServiceWait wait)
{
    ServiceDeadline deadline = Clock::now() + kPrintServiceLimit;
    auto progress = std::make_shared<OpeningProgress>();
    BackgroundCall<Opening> call([progress] { return openDefaultPrinter(*progress); });
    Opening opening;
    switch (wait(call.doneEvent(), deadline, call.thread())) {
    case ServiceWaitEnd::Done:
        opening = call.result();
        break;
    case ServiceWaitEnd::TimedOut: {
        // Before the spooler named a printer it was the spooler that did not
        // answer; after, the printer's own server.
        std::lock_guard lock(progress->mutex);
        opening.printer = progress->printer;
        opening.failure = opening.printer.empty() ? PrintFailure::SpoolerNoAnswer : PrintFailure::PrinterNoAnswer;
        break;
    }
    case ServiceWaitEnd::ProgramEnded:
        opening.failure = PrintFailure::Incomplete;
        break;
    }
    if (opening.failure != PrintFailure::None) {
        whyNot = printFailureText(opening.failure, {{}, toUtf8(opening.printer)});
        return nullptr;
    }
    auto job = std::make_unique<GdiPrintJob>(opening, std::move(wait), deadline);
    if (!job->begin(whyNot))
        return nullptr;
    return job;
}

} // namespace dravelo::platform::win32
