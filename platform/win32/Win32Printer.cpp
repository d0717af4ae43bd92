#include "platform/win32/Win32Printer.h"

#include "platform/AppInfo.h"
#include "platform/PrintFailure.h"
#include "platform/win32/ThreadModality.h"
#include "platform/win32/Utf16.h"

#include <atomic>
#include <cmath>
#include <cwctype>
#include <mutex>
#include <vector>

namespace dravelo::platform::win32 {

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kTwipsPerInch = 1440;
constexpr double kPointsPerInch = 72;
// The ports on which StartDoc asks the user for a file name.
constexpr const wchar_t* kPromptingPorts[] = {L"FILE:", L"PORTPROMPT:"};

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

bool promptingPort(std::wstring port)
{
    for (wchar_t& c : port)
        c = static_cast<wchar_t>(std::towupper(c));
    for (const wchar_t* prompting : kPromptingPorts)
        if (port == prompting)
            return true;
    return false;
}

struct PrinterState {
    PrintFailure failure = PrintFailure::None;
    bool asksFileName = false;
};

// A printer the spooler reports in error, offline or unavailable would hold
// the job without printing it; a paused one prints once resumed.
PrinterState printerState(const Spooler& spooler, std::wstring name)
{
    constexpr DWORD kOutOfOrder = PRINTER_STATUS_ERROR | PRINTER_STATUS_OFFLINE | PRINTER_STATUS_NOT_AVAILABLE;
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
    if (info->Status & kOutOfOrder)
        state.failure = PrintFailure::OutOfOrder;
    state.asksFileName = info->pPortName && promptingPort(info->pPortName);
    return state;
}

// What the first call learns: the printer, its state and a DC on it. The
// stage it reached tells, when it does not come back, who did not answer.
struct Opening {
    PrintFailure failure = PrintFailure::None;
    std::wstring printer;
    bool asksFileName = false;
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
    opening.asksFileName = state.asksFileName;
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

// While the printer's own question is up: as it goes, the program's windows
// are enabled again before it is gone, so that the activation returns to
// them and not to another program, as the program's own boxes do. The
// question is the one window of the thread that is not disabled.
class QuestionWatch {
public:
    explicit QuestionWatch(ThreadModality& modality)
    {
        watched_ = &modality;
        hook_ = SetWindowsHookExW(WH_CBT, goingWindow, nullptr, GetCurrentThreadId());
    }
    ~QuestionWatch()
    {
        if (hook_)
            UnhookWindowsHookEx(hook_);
        watched_ = nullptr;
    }
    QuestionWatch(const QuestionWatch&) = delete;
    QuestionWatch& operator=(const QuestionWatch&) = delete;

private:
    static LRESULT CALLBACK goingWindow(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_DESTROYWND && watched_ && GetAncestor(window, GA_ROOT) == window && IsWindowEnabled(window))
            watched_->enableWindows();
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline ThreadModality* watched_ = nullptr;
    HHOOK hook_ = nullptr;
};

// Draws in device pixels, whose origin a printer DC puts at the top left of
// the printable area; the job keeps its position in twips, y downwards.
class GdiPrintJob : public PrintJob {
public:
    GdiPrintJob(std::shared_ptr<Document> document, std::wstring printer, ServiceWait wait, ServiceDeadline deadline)
        : document_(std::move(document)), dc_(document_->dc), printer_(std::move(printer)), wait_(std::move(wait)),
          deadline_(deadline)
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

    // A printer that asks for a file name shows its question from StartDoc:
    // on this thread, then, with the program's windows disabled as for any
    // modal box and no time limit, since the user is answering. Any other
    // StartDoc runs within the limit.
    bool begin(bool asksFileName, std::string& whyNot)
    {
        Start start;
        if (asksFileName) {
            ThreadModality modality(nullptr, true);
            QuestionWatch watch(modality);
            start = startDocument(*document_);
        } else {
            BackgroundCall<Start> call([document = document_] { return startDocument(*document); });
            const ServiceWaitEnd end = wait_([&] { return call.done(); }, deadline_);
            if (end != ServiceWaitEnd::Done) {
                whyNot = failureText(end == ServiceWaitEnd::TimedOut ? PrintFailure::PrinterNoAnswer
                                                                      : PrintFailure::Incomplete);
                return false;
            }
            start = call.result();
        }
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
        switch (wait_([&] { return call.done(); }, deadline_)) {
        case ServiceWaitEnd::Done:
            return call.result() && !failed_ ? std::string() : failureText(PrintFailure::Incomplete);
        case ServiceWaitEnd::TimedOut:
            return failureText(PrintFailure::Unconfirmed);
        case ServiceWaitEnd::ProgramEnded:
            break;
        }
        return failureText(PrintFailure::Incomplete);
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
    float x_ = 0;
    float y_ = 0;
};

} // namespace

std::unique_ptr<PrintJob> startDefaultPrinterJob(std::string& whyNot, ServiceWait wait)
{
    const ServiceDeadline deadline = Clock::now() + kPrintServiceLimit;
    auto progress = std::make_shared<OpeningProgress>();
    BackgroundCall<Opening> call([progress] { return openDefaultPrinter(*progress); });
    Opening opening;
    switch (wait([&] { return call.done(); }, deadline)) {
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
    auto job = std::make_unique<GdiPrintJob>(opening.document, opening.printer, std::move(wait), deadline);
    if (!job->begin(opening.asksFileName, whyNot))
        return nullptr;
    return job;
}

} // namespace dravelo::platform::win32
