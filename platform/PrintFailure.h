#pragma once
// Why a report could not be printed: the causes both runtimes tell apart,
// and the one wording of each, so that the user reads the same cause in the
// same words on either system.

#include <chrono>
#include <string>

namespace dravelo::platform {

// How long the program waits for the print service, for each press of
// "Stam&pa", before it gives up and tells the user.
inline constexpr std::chrono::seconds kPrintServiceLimit{10};

enum class PrintFailure {
    None,
    NoPrinter,          // no default printer at all
    DefaultGone,        // the default names a printer the server does not have
    ServerUnknown,      // the print server's name does not resolve
    ServerRefused,      // the print server refuses the connection
    ServerUnreachable,  // no route, no socket, or some other failure to connect
    SpoolerStopped,     // the system's print spooler service is not running
    SpoolerNoAnswer,    // the system's print spooler did not answer within the limit
    NoAnswer,           // the print service did not answer within the limit
    BadAnswer,          // the server answered, but not as a print service does
    LoginRequired,      // the server wants a user name and password
    PrinterNoAnswer,    // the printer's own server did not answer within the limit
    PrinterUnreachable, // the system could not open the default printer
    Paused,             // the default printer is paused (its queue stopped)
    Rejecting,          // the default printer accepts no jobs
    JobRefused,         // the service refused the job itself
    Unconfirmed,        // the job went out but the service did not confirm it
    Incomplete,         // the page could not be finished
    NoPrintProgram,     // the program's own print program is missing or does not start
};

// What the user must know about a report that did go out.
enum class PrintNotice {
    None,
    PrinterOffline, // queued for a printer that is off line
    PrinterInError, // queued for a printer that reports an error
};

// What the service is called in the messages: a server ("stampe.ufficio",
// "10.0.0.5:8631", a local socket's path) and the printer's name.
struct PrintPlace {
    std::string server;
    std::string printer;
};

// The sentence for the user, or the empty text for PrintFailure::None.
std::string printFailureText(PrintFailure failure, const PrintPlace& place);

// The sentence for the user, or the empty text for PrintNotice::None.
std::string printNoticeText(PrintNotice notice, const PrintPlace& place);

} // namespace dravelo::platform
