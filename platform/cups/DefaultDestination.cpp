#include "platform/cups/DefaultDestination.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace dravelo::platform::cups {

namespace {

constexpr int kDefaultIppPort = 631;
constexpr int kPrinterStopped = 5; // printer-state "stopped": paused
constexpr double kCentimetresPerInch = 2.54;
constexpr int kConnectMilliseconds =
    static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(kPrintServiceLimit).count());

// Why no address of the server takes a connection. The library's own
// connect reports every failure alike, so it is tried once more here, each
// address in turn.
int connectError(const char* host, int port)
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
            if (poll(&wait, 1, kConnectMilliseconds) == 1) {
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

// The default named in an lpoptions file ("Default queue[/instance] ..."),
// or empty.
std::string defaultIn(const std::string& path)
{
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string keyword, name;
        if (words >> keyword >> name && strcasecmp(keyword.c_str(), "Default") == 0)
            return name;
    }
    return {};
}

// The default the user's settings name, where lp looks for it first: the
// environment, then the user's and the system's lpoptions. The library
// finds it as well, but does not say which name it could not find.
std::string configuredDefault()
{
    if (const char* lpdest = std::getenv("LPDEST"))
        return lpdest;
    if (const char* printer = std::getenv("PRINTER"); printer && std::strcmp(printer, "lp") != 0)
        return printer;
    std::string name;
    if (const char* home = std::getenv("HOME"))
        name = defaultIn(std::string(home) + "/.cups/lpoptions");
    if (name.empty()) {
        const char* root = std::getenv("CUPS_SERVERROOT");
        name = defaultIn(std::string(root ? root : "/etc/cups") + "/lpoptions");
    }
    return name;
}

// The library says "no default" also when the server's answer was no IPP
// at all (a connection closed, some other service on the port): the
// server's own question tells the two apart.
PrintFailure serverWithoutDefault(http_t* http)
{
    ipp_t* response = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    if (!response)
        return requestFailure(PrintFailure::BadAnswer);
    ippDelete(response);
    return PrintFailure::NoPrinter;
}

int integerIn(ipp_t* collection, const char* name)
{
    ipp_attribute_t* attribute = ippFindAttribute(collection, name, IPP_TAG_INTEGER);
    return attribute ? ippGetInteger(attribute, 0) : 0;
}

// The size of a media name, in any of the spellings lp takes ("iso_a5_148x210mm",
// "a5", "A5"), with the margins of the destination's nearest media; without
// margins where it has none of that size.
bool pageByName(http_t* http, cups_dest_t* dest, cups_dinfo_t* info, const std::string& media, PrinterPage& page)
{
    const pwg_media_t* known = pwgMediaForPWG(media.c_str());
    if (!known)
        known = pwgMediaForLegacy(media.c_str());
    if (!known)
        known = pwgMediaForPPD(media.c_str());
    if (!known)
        return false;
    cups_size_t size{};
    if (cupsGetDestMediaBySize(http, dest, info, known->width, known->length, CUPS_MEDIA_FLAGS_DEFAULT, &size))
        page = {size.width, size.length, size.left, size.top, size.right, size.bottom, 0};
    else
        page = {known->width, known->length, 0, 0, 0, 0, 0};
    return true;
}

} // namespace

std::string printServerName()
{
    const std::string server = cupsServer();
    if (server.empty() || server[0] == '/' || ippPort() == kDefaultIppPort)
        return server;
    return server + ":" + std::to_string(ippPort());
}

http_t* connectToServer(PrintFailure& failure)
{
    // Unconnected first, so that a name that does not resolve is told apart
    // from a server that does not take the connection.
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr);
    if (!http) {
        failure = PrintFailure::ServerUnknown;
        return nullptr;
    }
    if (httpReconnect2(http, kConnectMilliseconds, nullptr) != 0) {
        httpClose(http);
        const int error = connectError(cupsServer(), ippPort());
        failure = error == ECONNREFUSED || error == ENOENT ? PrintFailure::ServerRefused
                  : error == ETIMEDOUT                     ? PrintFailure::NoAnswer
                                                           : PrintFailure::ServerUnreachable;
        return nullptr;
    }
    failure = PrintFailure::None;
    return http;
}

PrintFailure requestFailure(PrintFailure otherwise)
{
    switch (cupsLastError()) {
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
        return PrintFailure::LoginRequired;
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_INTERNAL:
        return PrintFailure::BadAnswer;
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return PrintFailure::Rejecting;
    default:
        return otherwise;
    }
}

DefaultDestination::DefaultDestination(http_t* http) : http_(http)
{
    dest_ = cupsGetNamedDest(http, nullptr, nullptr);
    if (!dest_) {
        if (cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
            failure_ = requestFailure(PrintFailure::BadAnswer);
            return;
        }
        name_ = configuredDefault();
        failure_ = name_.empty() ? serverWithoutDefault(http) : PrintFailure::DefaultGone;
        return;
    }
    name_ = dest_->name;
    const char* state = cupsGetOption("printer-state", dest_->num_options, dest_->options);
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest_->num_options, dest_->options);
    if (state && std::atoi(state) == kPrinterStopped) {
        failure_ = PrintFailure::Paused;
        return;
    }
    if (accepting && std::strcmp(accepting, "false") == 0) {
        failure_ = PrintFailure::Rejecting;
        return;
    }
    info_ = cupsCopyDestInfo(http, dest_);
    if (!info_)
        failure_ = requestFailure(PrintFailure::BadAnswer);
}

DefaultDestination::~DefaultDestination()
{
    cupsFreeDestInfo(info_);
    if (dest_)
        cupsFreeDests(1, dest_);
}

PrinterPage DefaultDestination::page() const
{
    PrinterPage page;
    if (!info_)
        return page;
    // The user's own media, from the instance or lpoptions: its size names
    // come first in a list of size, source and type ("A5,tray-2").
    const char* media = cupsGetOption("media", dest_->num_options, dest_->options);
    if (!media)
        media = cupsGetOption("PageSize", dest_->num_options, dest_->options);
    bool found = false;
    if (media) {
        std::istringstream items(media);
        std::string item;
        while (!found && std::getline(items, item, ','))
            found = pageByName(http_, dest_, info_, item, page);
    }
    if (!found) {
        if (ipp_attribute_t* col = cupsFindDestDefault(http_, dest_, info_, "media-col")) {
            ipp_t* defaults = ippGetCollection(col, 0);
            if (ipp_attribute_t* size = ippFindAttribute(defaults, "media-size", IPP_TAG_BEGIN_COLLECTION)) {
                page.width = integerIn(ippGetCollection(size, 0), "x-dimension");
                page.length = integerIn(ippGetCollection(size, 0), "y-dimension");
            }
            page.left = integerIn(defaults, "media-left-margin");
            page.top = integerIn(defaults, "media-top-margin");
            page.right = integerIn(defaults, "media-right-margin");
            page.bottom = integerIn(defaults, "media-bottom-margin");
        }
    }
    if (ipp_attribute_t* resolution = cupsFindDestDefault(http_, dest_, info_, "printer-resolution")) {
        int y = 0;
        ipp_res_t units = IPP_RES_PER_INCH;
        const int x = ippGetResolution(resolution, 0, &y, &units);
        page.dpi = units == IPP_RES_PER_INCH ? x : static_cast<int>(x * kCentimetresPerInch + 0.5);
    }
    return page;
}

} // namespace dravelo::platform::cups
