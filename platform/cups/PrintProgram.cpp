// Dravelo's print program: prints one document on the user's default CUPS
// destination, as lp would, and says how far it got (SubmissionProtocol.h).
// It is a process of its own so that CUPS is loaded only to print, and so
// that Dravelo can end it at its time limit, wherever it waits: a name
// lookup, a TLS handshake, or a request the library makes by itself. It
// has no time limit of its own.

#include "platform/AppInfo.h"
#include "platform/cups/DefaultDestination.h"
#include "platform/cups/SubmissionProtocol.h"

#include <cups/cups.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <sys/prctl.h>
#include <unistd.h>

namespace {

using namespace dravelo::platform;
using namespace dravelo::platform::cups;

constexpr const char* kPrintFormat = "application/pdf";
// The longest document taken: a page of text is some tens of kilobytes.
constexpr long kLongestDocument = 64L * 1024 * 1024;

void say(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

int fail(PrintFailure failure, const std::string& name = {})
{
    say(std::string(kFailedLine) + " " + std::to_string(static_cast<int>(failure)) + (name.empty() ? "" : " " + name));
    return EXIT_FAILURE;
}

// No password prompt on a terminal the desktop program may have: a server
// that wants one refuses the request instead.
const char* noPassword(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

// The document Dravelo sends: its length on a line, then its bytes. Empty
// when it does not come whole: Dravelo gave up, and nothing goes out.
std::string readDocument()
{
    long length = 0;
    if (std::scanf("%ld", &length) != 1 || std::getchar() != '\n' || length <= 0 || length > kLongestDocument)
        return {};
    std::string document(static_cast<std::size_t>(length), '\0');
    if (std::fread(document.data(), 1, document.size(), stdin) != document.size())
        return {};
    return document;
}

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

// One Print-Job request with the destination's options, as lp sends them.
// Not CUPS's Create-Job and Send-Document: a job whose document never came
// stays on the server, on a queue that holds its jobs for good; a Print-Job
// that does not arrive whole leaves nothing behind.
PrintFailure submit(http_t* http, cups_dest_t* dest, const std::string& document)
{
    const char* uri = cupsGetOption("printer-uri-supported", dest->num_options, dest->options);
    char scheme[32], user[256], host[256], resource[1024];
    int port = 0;
    if (!uri || httpSeparateURI(HTTP_URI_CODING_ALL, uri, scheme, sizeof scheme, user, sizeof user, host, sizeof host,
                                &port, resource, sizeof resource) < HTTP_URI_STATUS_OK)
        return PrintFailure::JobRefused;

    Ipp request(ippNewRequest(IPP_OP_PRINT_JOB));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, kAppTitle);
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, kPrintFormat);
    cupsEncodeOptions2(request.get(), dest->num_options, dest->options, IPP_TAG_OPERATION);
    cupsEncodeOptions2(request.get(), dest->num_options, dest->options, IPP_TAG_JOB);

    // The length counts the request's attributes too.
    const std::size_t length = ippLength(request.get()) + document.size();
    if (cupsSendRequest(http, request.get(), resource, length) != HTTP_STATUS_CONTINUE)
        return requestFailure(PrintFailure::JobRefused);
    // A request that stops short of its length makes no job: only its last
    // byte can make one, so the job may print from there on.
    const std::size_t allButLast = document.size() - 1;
    if (cupsWriteRequestData(http, document.data(), allButLast) != HTTP_STATUS_CONTINUE)
        return requestFailure(PrintFailure::JobRefused);
    say(kSendingLine);
    if (cupsWriteRequestData(http, document.data() + allButLast, 1) != HTTP_STATUS_CONTINUE)
        return requestFailure(PrintFailure::JobRefused);
    Ipp response(cupsGetResponse(http, resource));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        return requestFailure(PrintFailure::JobRefused);
    return PrintFailure::None;
}

} // namespace

int main()
{
    // Ends with Dravelo, should Dravelo end first.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() == 1)
        return EXIT_FAILURE;
    cupsSetPasswordCB2(noPassword, nullptr);

    say(std::string(kServerLine) + " " + printServerName());
    PrintFailure failure = PrintFailure::None;
    const std::unique_ptr<http_t, decltype(&httpClose)> http(connectToServer(failure), httpClose);
    if (!http)
        return fail(failure);

    const DefaultDestination destination(http.get());
    if (destination.failure() == PrintFailure::DefaultGone)
        return fail(destination.failure(), destination.name());
    if (!destination.name().empty())
        say(std::string(kPrinterLine) + " " + destination.name());
    if (destination.failure() != PrintFailure::None)
        return fail(destination.failure());

    const PrinterPage page = destination.page();
    say(std::string(kPageLine) + " " + std::to_string(page.width) + " " + std::to_string(page.length) + " " +
        std::to_string(page.left) + " " + std::to_string(page.top) + " " + std::to_string(page.right) + " " +
        std::to_string(page.bottom) + " " + std::to_string(page.dpi));
    say(kReadyLine);

    const std::string document = readDocument();
    if (document.empty())
        return EXIT_FAILURE;
    failure = submit(http.get(), destination.dest(), document);
    if (failure != PrintFailure::None)
        return fail(failure);
    say(kDoneLine);
    return EXIT_SUCCESS;
}
