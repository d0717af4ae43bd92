#include "platform/qt/CupsService.h"

#include <cups/cups.h>

#include <cerrno>
#include <iterator>
#include <memory>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace dravelo::platform::qt {

namespace {

using Clock = std::chrono::steady_clock;

// How often a waiting call looks at the deadline.
constexpr double kPollSeconds = 0.1;
constexpr int kDefaultIppPort = 631;
constexpr int kPrinterStopped = 5; // printer-state "stopped": paused
constexpr const char* kPrintFormat = "application/pdf";

struct Bound {
    Deadline deadline;
    const std::atomic<bool>* abandoned;
    bool expired = false;
};

int keepWaiting(http_t*, void* data)
{
    auto* bound = static_cast<Bound*>(data);
    if (bound->abandoned->load() || Clock::now() >= bound->deadline) {
        bound->expired = true;
        return 0;
    }
    return 1;
}

int millisecondsLeft(const Bound& bound)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(bound.deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Why no address of the server takes a connection. The library's own
// connect reports every failure alike, so it is tried once more here, each
// address in turn, within the time left.
int connectError(const char* host, int port, int milliseconds)
{
    http_addrlist_t* addresses = httpAddrGetList(host, AF_UNSPEC, std::to_string(port).c_str());
    int error = EHOSTUNREACH;
    for (http_addrlist_t* a = addresses; a && error != ECONNREFUSED; a = a->next) {
        const int fd = socket(httpAddrFamily(&a->addr), SOCK_STREAM, 0);
        if (fd < 0)
            continue;
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        if (connect(fd, reinterpret_cast<const sockaddr*>(&a->addr), static_cast<socklen_t>(httpAddrLength(&a->addr))) == 0) {
            error = 0;
        } else if (errno != EINPROGRESS) {
            error = errno;
        } else {
            pollfd wait{fd, POLLOUT, 0};
            if (poll(&wait, 1, milliseconds) == 1) {
                socklen_t length = sizeof error;
                getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
            } else {
                error = ETIMEDOUT;
            }
        }
        close(fd);
    }
    httpAddrFreeList(addresses);
    return error;
}

// No password prompt on the terminal a desktop program may have: a server
// that wants one refuses the request instead.
const char* noPassword(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

// One connection to the configured server, whose every wait ends at the
// deadline.
class Connection {
public:
    Connection(Deadline deadline, const std::atomic<bool>& abandoned) : bound_{deadline, &abandoned} {}
    ~Connection()
    {
        if (http_)
            httpClose(http_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    PrintFailure open()
    {
        cupsSetPasswordCB2(noPassword, nullptr);
        // Unconnected first, so that a name that does not resolve is told
        // apart from a server that does not take the connection.
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr);
        if (!http_)
            return PrintFailure::ServerUnknown;
        const int left = millisecondsLeft(bound_);
        if (left == 0 || bound_.abandoned->load())
            return PrintFailure::NoAnswer;
        if (httpReconnect2(http_, left, nullptr) != 0) {
            const int error = connectError(cupsServer(), ippPort(), millisecondsLeft(bound_));
            if (error == ECONNREFUSED || error == ENOENT)
                return PrintFailure::ServerRefused;
            if (error == ETIMEDOUT || millisecondsLeft(bound_) == 0)
                return PrintFailure::NoAnswer;
            return PrintFailure::ServerUnreachable;
        }
        httpSetTimeout(http_, kPollSeconds, keepWaiting, &bound_);
        return PrintFailure::None;
    }

    http_t* http() const { return http_; }
    bool expired() const { return bound_.expired || Clock::now() >= bound_.deadline || bound_.abandoned->load(); }

    // A request that failed: for want of an answer, or for the reason the
    // server gave.
    PrintFailure failureOf(PrintFailure refusal) const
    {
        if (expired())
            return PrintFailure::NoAnswer;
        const ipp_status_t status = cupsLastError();
        if (status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || status == IPP_STATUS_ERROR_INTERNAL)
            return PrintFailure::BadAnswer;
        if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS)
            return PrintFailure::Rejecting;
        return refusal;
    }

private:
    Bound bound_;
    http_t* http_ = nullptr;
};

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

std::string printerUri(const std::string& printer)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     printer.c_str());
    return uri;
}

Ipp printerRequest(ipp_op_t operation, const std::string& printer)
{
    Ipp request(ippNewRequest(operation));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, printerUri(printer).c_str());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return request;
}

int integerIn(ipp_t* collection, const char* name)
{
    ipp_attribute_t* attribute = ippFindAttribute(collection, name, IPP_TAG_INTEGER);
    return attribute ? ippGetInteger(attribute, 0) : 0;
}

PrinterPage pageOf(ipp_t* response)
{
    PrinterPage page;
    if (ipp_attribute_t* media = ippFindAttribute(response, "media-col-default", IPP_TAG_BEGIN_COLLECTION)) {
        ipp_t* col = ippGetCollection(media, 0);
        if (ipp_attribute_t* size = ippFindAttribute(col, "media-size", IPP_TAG_BEGIN_COLLECTION)) {
            page.width = integerIn(ippGetCollection(size, 0), "x-dimension");
            page.height = integerIn(ippGetCollection(size, 0), "y-dimension");
        }
        page.left = integerIn(col, "media-left-margin");
        page.top = integerIn(col, "media-top-margin");
        page.right = integerIn(col, "media-right-margin");
        page.bottom = integerIn(col, "media-bottom-margin");
    }
    if (ipp_attribute_t* resolution = ippFindAttribute(response, "printer-resolution-default", IPP_TAG_RESOLUTION)) {
        int y = 0;
        ipp_res_t units = IPP_RES_PER_INCH;
        const int x = ippGetResolution(resolution, 0, &y, &units);
        page.dpi = units == IPP_RES_PER_INCH ? x : static_cast<int>(x * 2.54 + 0.5);
    }
    return page;
}

// The server's own answer, with success, in time; with a request number,
// the answer to that request. The library's calls report the status of an
// earlier answer when a wait ran out, so only the response itself counts.
bool answered(const Connection& connection, int requestId, ipp_t* response)
{
    return response && !connection.expired() && (requestId == 0 || ippGetRequestId(response) == requestId) &&
           ippGetStatusCode(response) <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

// Cancels a job the server still has, while time is left; past the
// deadline it stays held, where it cannot print.
void cancelJob(const Connection& connection, const std::string& printer, int job)
{
    if (!connection.expired())
        cupsCancelJob2(connection.http(), printer.c_str(), job, 1);
}

// The library says "no default" also when the server's answer was no IPP
// at all (a connection closed, some other service on the port): the
// server's own question tells the two apart.
PrintFailure noDefaultWhy(const Connection& connection)
{
    if (connection.expired())
        return PrintFailure::NoAnswer;
    Ipp request(ippNewRequest(IPP_OP_CUPS_GET_DEFAULT));
    Ipp response(cupsDoRequest(connection.http(), request.release(), "/"));
    if (!response)
        return connection.expired() ? PrintFailure::NoAnswer : PrintFailure::BadAnswer;
    return PrintFailure::NoPrinter;
}

} // namespace

std::string printServerName()
{
    const std::string server = cupsServer();
    if (server.empty() || server[0] == '/' || ippPort() == kDefaultIppPort)
        return server;
    return server + ":" + std::to_string(ippPort());
}

DefaultPrinter askDefaultPrinter(Deadline deadline, const std::atomic<bool>& abandoned)
{
    DefaultPrinter found;
    found.place.server = printServerName();
    Connection connection(deadline, abandoned);
    found.failure = connection.open();
    if (found.failure != PrintFailure::None)
        return found;

    cups_dest_t* dest = cupsGetNamedDest(connection.http(), nullptr, nullptr);
    if (!dest) {
        found.failure = noDefaultWhy(connection);
        return found;
    }
    found.place.printer = dest->name;
    cupsFreeDests(1, dest);

    static const char* const kAttributes[] = {"printer-state", "printer-is-accepting-jobs", "media-col-default",
                                              "printer-resolution-default"};
    Ipp request = printerRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, found.place.printer);
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(kAttributes)), nullptr, kAttributes);
    Ipp response(cupsDoRequest(connection.http(), request.release(), "/"));
    if (!response || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        // A default that names no printer of the server is no printer.
        found.failure = cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND ? PrintFailure::NoPrinter
                                                                      : connection.failureOf(PrintFailure::NoPrinter);
        return found;
    }
    ipp_attribute_t* state = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM);
    ipp_attribute_t* accepting = ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (state && ippGetInteger(state, 0) == kPrinterStopped)
        found.failure = PrintFailure::Paused;
    else if (accepting && !ippGetBoolean(accepting, 0))
        found.failure = PrintFailure::Rejecting;
    found.page = pageOf(response.get());
    return found;
}

PrintFailure submitHeldJob(const PrintPlace& place, const std::string& title, const std::string& pdf,
                           Deadline deadline, const std::atomic<bool>& abandoned)
{
    Connection connection(deadline, abandoned);
    if (const PrintFailure failure = connection.open(); failure != PrintFailure::None)
        return failure;
    http_t* http = connection.http();

    cups_option_t hold{const_cast<char*>("job-hold-until"), const_cast<char*>("indefinite")};
    const int job = cupsCreateJob(http, place.printer.c_str(), title.c_str(), 1, &hold);
    if (job == 0 || connection.expired())
        return connection.failureOf(PrintFailure::JobRefused);

    const char* printer = place.printer.c_str();
    const bool sent =
        cupsStartDocument(http, printer, job, title.c_str(), kPrintFormat, 1) == HTTP_STATUS_CONTINUE &&
        cupsWriteRequestData(http, pdf.data(), pdf.size()) == HTTP_STATUS_CONTINUE &&
        answered(connection, 0, Ipp(cupsGetResponse(http, ("/printers/" + place.printer).c_str())).get());
    if (!sent) {
        const PrintFailure failure = connection.failureOf(PrintFailure::JobRefused);
        cancelJob(connection, place.printer, job);
        return failure;
    }

    Ipp release = printerRequest(IPP_OP_RELEASE_JOB, place.printer);
    ippAddInteger(release.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    const int releaseId = ippGetRequestId(release.get());
    if (answered(connection, releaseId, Ipp(cupsDoRequest(http, release.release(), "/jobs/")).get()))
        return PrintFailure::None;
    // The release may still reach the server: the job may print later, so
    // the user is told so rather than invited to print again.
    if (connection.expired())
        return PrintFailure::Unconfirmed;
    const PrintFailure failure = connection.failureOf(PrintFailure::JobRefused);
    cancelJob(connection, place.printer, job);
    return failure;
}

} // namespace dravelo::platform::qt
