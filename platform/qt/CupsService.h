#pragma once
// The CUPS print service asked through the library's own calls, every one
// bounded by a deadline: a server that does not answer costs a known time,
// and the caller learns why a print cannot go out. No Qt here: these calls
// run on a thread of their own, away from the event loop.

#include "platform/PrintFailure.h"

#include <atomic>
#include <chrono>
#include <string>

namespace dravelo::platform::qt {

using Deadline = std::chrono::steady_clock::time_point;

// The default page of a printer, in hundredths of a millimetre, and its
// resolution; zero sizes when the server did not say.
struct PrinterPage {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int dpi = 0;
};

struct DefaultPrinter {
    PrintFailure failure = PrintFailure::None;
    PrintPlace place;
    PrinterPage page;
};

// The server the CUPS clients of this user talk to (CUPS_SERVER, the
// client.conf files, else the local scheduler), as the messages name it.
std::string printServerName();

// The user's default printer on that server (LPDEST, PRINTER and the
// lpoptions files first, as lp does), with its state and default page.
// Gives up at the deadline, or soon after abandoned is set.
DefaultPrinter askDefaultPrinter(Deadline deadline, const std::atomic<bool>& abandoned);

// Sends the PDF as one job to the printer. The job is created held and
// released only once the server has the whole document: a submission
// abandoned at the deadline leaves at most a held job, which never prints
// by itself, so a late answer cannot print a second copy.
PrintFailure submitHeldJob(const PrintPlace& place, const std::string& title, const std::string& pdf,
                           Deadline deadline, const std::atomic<bool>& abandoned);

} // namespace dravelo::platform::qt
