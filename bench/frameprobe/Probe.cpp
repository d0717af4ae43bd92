#include "Probe.h"

#include <xcb/xtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {
namespace {

constexpr int kStrongRed = 0xc0;
constexpr int kWeak = 0x60;

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> own(T* reply)
{
    return Reply<T>(reply, &std::free);
}

} // namespace

Probe::Probe()
{
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_))
        throw std::runtime_error("cannot connect to the X server (is DISPLAY set?)");
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    root_ = screens.data->root;

    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
    if (!damage || !damage->present)
        throw std::runtime_error("the X server has no DAMAGE extension");
    damageEventBase_ = damage->first_event;
    own(xcb_damage_query_version_reply(
        connection_, xcb_damage_query_version(connection_, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));

    const char pidName[] = "_NET_WM_PID";
    auto atom = own(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, sizeof pidName - 1, pidName), nullptr));
    if (atom)
        pidAtom_ = atom->atom;

    keySymbols_ = xcb_key_symbols_alloc(connection_);

    // Top-level windows are children of the root: hear of each as it is made.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
}

Probe::~Probe()
{
    if (child_ > 0)
        stopChild();
    xcb_key_symbols_free(keySymbols_);
    xcb_disconnect(connection_);
}

Clock::time_point Probe::start(char** argv)
{
    const auto before = Clock::now();
    child_ = fork();
    if (child_ < 0)
        throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (child_ == 0) {
        // The probe's figures go to standard output; the program's must not.
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0)
            dup2(null, STDOUT_FILENO);
        execvp(argv[0], argv);
        _exit(127);
    }
    return before;
}

long Probe::stopChild()
{
    if (child_ <= 0)
        return 0;
    kill(child_, SIGKILL);
    int status = 0;
    rusage usage{};
    while (wait4(child_, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    child_ = -1;
    return usage.ru_maxrss;
}

void Probe::track(xcb_window_t window)
{
    Tracked tracked;
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
    tracked.damage = xcb_generate_id(connection_);
    xcb_damage_create(connection_, tracked.damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    windows_[window] = tracked;
    // The window may have been mapped before the mask above took effect.
    auto attributes = own(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window), nullptr));
    if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE)
        mapped(window);
}

bool Probe::ownedByChild(xcb_window_t window)
{
    if (pidAtom_ == XCB_NONE)
        return false;
    auto property = own(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!property || xcb_get_property_value_length(property.get()) != 4)
        return false;
    std::uint32_t pid = 0;
    std::memcpy(&pid, xcb_get_property_value(property.get()), sizeof pid);
    return static_cast<pid_t>(pid) == child_;
}

void Probe::mapped(xcb_window_t window)
{
    auto found = windows_.find(window);
    if (found == windows_.end())
        return;
    found->second.mapped = true;
    // Frames of the window manager (openbox draws decorations) do not count.
    if (!found->second.ours)
        found->second.ours = ownedByChild(window);
}

xcb_generic_event_t* Probe::waitEvent(Clock::time_point deadline)
{
    for (;;) {
        // The deadline first: a steady stream of events must not outlast it.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return nullptr;
        if (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            return event;
        if (xcb_connection_has_error(connection_))
            throw std::runtime_error("lost the X connection");
        pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()) + 1);
    }
}

std::optional<Frame> Probe::handle(xcb_generic_event_t* event, bool newWindowOnly)
{
    const auto now = Clock::now();
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_CREATE_NOTIFY) {
        auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
        if (created->parent == root_)
            track(created->window);
    } else if (type == XCB_MAP_NOTIFY) {
        mapped(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
    } else if (type == XCB_UNMAP_NOTIFY) {
        auto found = windows_.find(reinterpret_cast<xcb_unmap_notify_event_t*>(event)->window);
        if (found != windows_.end())
            found->second.mapped = false;
    } else if (type == XCB_DESTROY_NOTIFY) {
        windows_.erase(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window);
    } else if (type == damageEventBase_ + XCB_DAMAGE_NOTIFY) {
        auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
        auto found = windows_.find(damage->drawable);
        if (found == windows_.end())
            return std::nullopt;
        // Re-arm: a non-empty report level tells only the first drawing.
        xcb_damage_subtract(connection_, found->second.damage, XCB_NONE, XCB_NONE);
        xcb_flush(connection_);
        Tracked& tracked = found->second;
        if (!tracked.ours || !tracked.mapped)
            return std::nullopt;
        const bool first = !tracked.shown;
        tracked.shown = true;
        if (first || !newWindowOnly)
            return Frame{damage->drawable, now};
    }
    return std::nullopt;
}

std::optional<Frame> Probe::nextFrame(Clock::time_point deadline, bool newWindowOnly)
{
    while (xcb_generic_event_t* event = waitEvent(deadline)) {
        auto frame = handle(event, newWindowOnly);
        std::free(event);
        if (frame)
            return frame;
    }
    return std::nullopt;
}

std::optional<Clock::time_point> Probe::waitQuiet(std::chrono::milliseconds quiet, Clock::time_point deadline)
{
    std::optional<Clock::time_point> lastDrawing;
    auto quietFrom = Clock::now();
    while (Clock::now() < deadline) {
        const auto until = std::min(deadline, quietFrom + quiet);
        xcb_generic_event_t* event = waitEvent(until);
        if (!event) {
            if (Clock::now() >= quietFrom + quiet)
                break;
            continue;
        }
        if (auto frame = handle(event, false)) {
            lastDrawing = frame->when;
            quietFrom = frame->when;
        }
        std::free(event);
    }
    return lastDrawing;
}

void Probe::key(xcb_keysym_t keysym, bool press)
{
    std::unique_ptr<xcb_keycode_t, decltype(&std::free)> codes(
        xcb_key_symbols_get_keycode(keySymbols_, keysym), &std::free);
    if (!codes || *codes == XCB_NO_SYMBOL)
        throw std::runtime_error("no key types keysym " + std::to_string(keysym));
    xcb_test_fake_input(connection_, press ? XCB_KEY_PRESS : XCB_KEY_RELEASE, *codes, XCB_CURRENT_TIME,
                        XCB_NONE, 0, 0, 0);
    xcb_flush(connection_);
}

void Probe::typeKey(xcb_keysym_t keysym)
{
    key(keysym, true);
    key(keysym, false);
}

void Probe::typeText(const std::string& text)
{
    // Latin-1 characters have keysyms equal to their codes.
    for (unsigned char c : text)
        typeKey(c);
}

long Probe::countRedPixels(xcb_window_t window)
{
    auto geometry = own(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    if (!geometry)
        return -1;
    auto image = own(xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, geometry->width, geometry->height,
                      ~0u),
        nullptr));
    if (!image || image->depth < 24)
        return -1;
    const int bytes = xcb_get_image_data_length(image.get());
    const std::uint8_t* data = xcb_get_image_data(image.get());
    long count = 0;
    for (int i = 0; i + 3 < bytes; i += 4) {
        const int blue = data[i], green = data[i + 1], red = data[i + 2];
        if (red >= kStrongRed && green <= kWeak && blue <= kWeak)
            ++count;
    }
    return count;
}

} // namespace bench
