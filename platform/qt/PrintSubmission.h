#pragma once
// One print on the CUPS service, made by the print program (dravelo-print)
// in a process of its own that this side ends at its time limit: CUPS is
// loaded only to print, and nothing it waits on (a name lookup, a TLS
// handshake, a request the library makes by itself) outlives the message.

#include "platform/PrintFailure.h"
#include "platform/cups/SubmissionProtocol.h"

#include <QByteArray>
#include <QProcess>

namespace dravelo::platform::qt {

class PrintSubmission {
public:
    // Starts the print program, which asks for the default destination.
    PrintSubmission();
    // Ends the program if it still runs.
    ~PrintSubmission();
    PrintSubmission(const PrintSubmission&) = delete;
    PrintSubmission& operator=(const PrintSubmission&) = delete;

    // True once the program waits for the document, or is over.
    bool readyOrOver();
    // True once the program is over: done, failed or gone.
    bool over();
    // The document, once the program is ready for it.
    void send(const QByteArray& pdf);
    // Ends the program wherever it waits; what it had not said by then did
    // not happen.
    void stop();

    // Why the print did not go out; None while it may still, and once done.
    PrintFailure failure() const;
    const PrintPlace& place() const { return place_; }
    const cups::PrinterPage& page() const { return page_; }

private:
    void readLines();

    QProcess process_;
    bool missing_ = false;
    bool stopped_ = false;
    bool ready_ = false;
    bool sending_ = false;
    bool done_ = false;
    PrintFailure told_ = PrintFailure::None;
    PrintPlace place_;
    cups::PrinterPage page_;
};

} // namespace dravelo::platform::qt
