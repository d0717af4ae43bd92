#pragma once
// Watches the X server for the windows of one child process and tells when
// each of them first shows content, without any help from the program: the
// DAMAGE extension reports the first drawing into a mapped window, which is
// the moment its first frame reaches the screen.

#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>

namespace bench {

using Clock = std::chrono::steady_clock;

struct Frame {
    xcb_window_t window = XCB_NONE;
    Clock::time_point when;
};

class Probe {
public:
    Probe();
    ~Probe();
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    // Forks and execs the program; returns the moment just before the fork.
    Clock::time_point start(char** argv);
    pid_t child() const { return child_; }

    // The next frame drawn into a mapped window of the child, or nothing by
    // the deadline. With newWindowOnly, frames of windows that have already
    // shown one are skipped.
    std::optional<Frame> nextFrame(Clock::time_point deadline, bool newWindowOnly);
    // Handles events until no window of the child has drawn for the quiet
    // period (or the deadline passes); returns the moment of the last
    // drawing it saw, if any.
    std::optional<Clock::time_point> waitQuiet(std::chrono::milliseconds quiet, Clock::time_point deadline);

    // Synthesises one key press or release of the key that types keysym.
    void key(xcb_keysym_t keysym, bool press);
    void typeKey(xcb_keysym_t keysym);
    void typeText(const std::string& text);

    // Strongly red pixels in the window, read from the server (red text is
    // antialiased, so few of its pixels are pure red).
    long countRedPixels(xcb_window_t window);

    // Ends the child and returns its peak resident memory in KiB.
    long stopChild();

private:
    struct Tracked {
        xcb_damage_damage_t damage = XCB_NONE;
        bool ours = false;
        bool mapped = false;
        bool shown = false; // has drawn a frame
    };

    std::optional<Frame> handle(xcb_generic_event_t* event, bool newWindowOnly);
    void track(xcb_window_t window);
    void mapped(xcb_window_t window);
    bool ownedByChild(xcb_window_t window);
    xcb_generic_event_t* waitEvent(Clock::time_point deadline);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    std::uint8_t damageEventBase_ = 0;
    xcb_atom_t pidAtom_ = XCB_NONE;
    xcb_key_symbols_t* keySymbols_ = nullptr;
    std::map<xcb_window_t, Tracked> windows_;
    pid_t child_ = -1;
};

} // namespace bench
