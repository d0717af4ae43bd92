#pragma once
// The user's default print destination as lp finds it: the queue with its
// instance and the options of both (LPDEST, PRINTER, the lpoptions files,
// else the server's default), and the page those options choose.

#include "platform/PrintFailure.h"
#include "platform/cups/SubmissionProtocol.h"

#include <cups/cups.h>

#include <string>

namespace dravelo::platform::cups {

// The server the CUPS clients of this user talk to (CUPS_SERVER, the
// client.conf files, else the local scheduler), as the messages name it.
std::string printServerName();

// A connection to that server, or null with the failure set.
http_t* connectToServer(PrintFailure& failure);

// Why a request on the connection failed, where the server said; otherwise.
PrintFailure requestFailure(PrintFailure otherwise);

class DefaultDestination {
public:
    // Asks the server; failure() tells what went wrong.
    explicit DefaultDestination(http_t* http);
    ~DefaultDestination();
    DefaultDestination(const DefaultDestination&) = delete;
    DefaultDestination& operator=(const DefaultDestination&) = delete;

    PrintFailure failure() const { return failure_; }
    // The queue; for a default that names no queue, the name it gives.
    const std::string& name() const { return name_; }
    cups_dest_t* dest() const { return dest_; }
    // The page the destination's options choose, else the printer's default.
    PrinterPage page() const;

private:
    http_t* http_;
    cups_dest_t* dest_ = nullptr;
    cups_dinfo_t* info_ = nullptr;
    PrintFailure failure_ = PrintFailure::None;
    std::string name_;
};

} // namespace dravelo::platform::cups
