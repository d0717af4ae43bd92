// frameprobe: starts a program under X and times its first frames from the
// outside. Prints one line of key=value figures:
//   start_ms  exec to the first frame of the program's first window
//   complete_ms  with --complete-ms N: exec to the last drawing of the
//                first frame, complete once the program has drawn nothing
//                for N ms (Wine shows a window's drawing piece by piece, so
//                its first drawing may be the bare background)
//   rss_kb    the program's peak resident memory when it is stopped
// With --interact (Dravelo only) it also drives the program by keyboard:
//   continua_ms  "&Continua" released to the calculation window's first frame
//   calcola_ms   "&Calcola" released to the frame that shows the result
//   result_px    red pixels added by the result (its text is red; 0: none seen)
// The whole run, from exec until the program is stopped, has a limit
// (--limit-ms, default 10 s): a program that has not drawn its first frame,
// or not finished what is asked of it, by then is stopped and the run fails
// (status 1, the reason on standard error).
// Usage: frameprobe [--interact] [--complete-ms N] [--settle-ms N] [--limit-ms N] -- program [args...]

#include "Probe.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <sys/time.h>
#include <unistd.h>

namespace {

using namespace std::chrono;
using bench::Clock;

constexpr auto kDefaultLimit = seconds(10);
// Beyond the limit, only a call that blocks where no deadline reaches (a reply
// the X server never sends) keeps the probe going: the watchdog ends it then.
constexpr auto kWatchdogGrace = seconds(2);
constexpr auto kQuiet = milliseconds(300);
constexpr std::uint32_t kReturn = 0xff0d;
constexpr std::uint32_t kSpace = 0x20;

volatile std::sig_atomic_t watchedChild = 0;

extern "C" void onWatchdog(int)
{
    if (watchedChild > 0)
        kill(watchedChild, SIGKILL);
    constexpr char kMessage[] = "frameprobe: stuck past the run's limit; program and probe stopped\n";
    [[maybe_unused]] const auto written = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    _exit(1);
}

void armWatchdog(milliseconds after)
{
    std::signal(SIGALRM, onWatchdog);
    itimerval timer{};
    timer.it_value.tv_sec = after.count() / 1000;
    timer.it_value.tv_usec = after.count() % 1000 * 1000;
    setitimer(ITIMER_REAL, &timer, nullptr);
}

double millisecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return duration<double, std::milli>(to - from).count();
}

// A button with the focus is pressed by the space bar and clicks when the key
// is released; returns the moment of the release.
Clock::time_point clickFocusedButton(bench::Probe& probe, Clock::time_point deadline)
{
    probe.key(kSpace, true);
    probe.waitQuiet(kQuiet, deadline);
    const auto released = Clock::now();
    probe.key(kSpace, false);
    return released;
}

// A figure for the line printed at the end: a failed run prints none.
void add(std::string& figures, const char* key, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%s%s=%.1f", figures.empty() ? "" : " ", key, value);
    figures += text;
}

// Ends a run that has gone past its limit; the program is stopped with the probe.
int late(const char* what, milliseconds limit)
{
    std::fprintf(stderr, "frameprobe: %s within the limit of %lld ms\n", what, static_cast<long long>(limit.count()));
    return 1;
}

int run(bool interact, milliseconds complete, milliseconds settle, milliseconds limit, char** program)
{
    armWatchdog(limit + kWatchdogGrace);
    bench::Probe probe;
    const auto started = probe.start(program);
    watchedChild = probe.child();
    const auto deadline = started + limit;
    const auto overdue = [&] { return Clock::now() >= deadline; };

    const auto first = probe.nextFrame(deadline, true);
    if (!first) {
        std::fprintf(stderr, "frameprobe: %s drew no frame within the limit of %lld ms\n", program[0],
                     static_cast<long long>(limit.count()));
        return 1;
    }
    std::string figures;
    add(figures, "start_ms", millisecondsBetween(started, first->when));
    if (complete.count() > 0) {
        const auto last = probe.waitQuiet(complete, deadline);
        if (overdue())
            return late("the first frame was not complete", limit);
        add(figures, "complete_ms", millisecondsBetween(started, last.value_or(first->when)));
    }

    if (interact) {
        probe.waitQuiet(kQuiet, deadline);
        const auto continua = clickFocusedButton(probe, deadline); // the cover window's focus is on "&Continua"
        const auto form2 = probe.nextFrame(deadline, true);
        if (!form2)
            return late("\"&Continua\" opened no window", limit);
        add(figures, "continua_ms", millisecondsBetween(continua, form2->when));

        // Fuel name, then the five percentages; Enter after sulphur puts the
        // focus on "&Calcola".
        probe.waitQuiet(kQuiet, deadline);
        for (const char* entry : {"metano", "75", "25", "0", "0", "0"}) {
            probe.typeText(entry);
            probe.typeKey(kReturn);
        }
        probe.waitQuiet(kQuiet, deadline);
        const long redBefore = probe.countRedPixels(form2->window);
        const auto calcola = clickFocusedButton(probe, deadline);
        std::optional<bench::Frame> shown;
        do
            shown = probe.nextFrame(deadline, false);
        while (shown && shown->window != form2->window);
        if (!shown)
            return late("\"&Calcola\" drew nothing", limit);
        add(figures, "calcola_ms", millisecondsBetween(calcola, shown->when));
        probe.waitQuiet(kQuiet, deadline);
        if (overdue())
            return late("the result was not drawn in full", limit);
        figures += " result_px=" + std::to_string(probe.countRedPixels(form2->window) - redBefore);
    }

    probe.waitQuiet(settle, deadline);
    if (overdue())
        return late("the program did not settle", limit);
    figures += " rss_kb=" + std::to_string(probe.stopChild());
    std::printf("%s\n", figures.c_str());
    return 0;
}

// A count of milliseconds, or -1 for anything else.
milliseconds parseMilliseconds(const char* text)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return milliseconds(end != text && *end == '\0' && value >= 0 ? value : -1);
}

} // namespace

int main(int argc, char** argv)
{
    bool interact = false;
    milliseconds complete(0);
    milliseconds settle(500);
    milliseconds limit(kDefaultLimit);
    int i = 1;
    for (; i < argc; ++i) {
        if (std::strcmp(argv[i], "--interact") == 0)
            interact = true;
        else if (std::strcmp(argv[i], "--complete-ms") == 0 && i + 1 < argc)
            complete = parseMilliseconds(argv[++i]);
        else if (std::strcmp(argv[i], "--settle-ms") == 0 && i + 1 < argc)
            settle = parseMilliseconds(argv[++i]);
        else if (std::strcmp(argv[i], "--limit-ms") == 0 && i + 1 < argc)
            limit = parseMilliseconds(argv[++i]);
        else if (std::strcmp(argv[i], "--") == 0) {
            ++i;
            break;
        } else
            break;
    }
    if (i >= argc || complete.count() < 0 || settle.count() < 0 || limit.count() <= 0) {
        std::fprintf(stderr, "usage: frameprobe [--interact] [--complete-ms N] [--settle-ms N] [--limit-ms N] -- "
                             "program [args...]\n");
        return 2;
    }
    try {
        return run(interact, complete, settle, limit, argv + i);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "frameprobe: %s\n", error.what());
        return 1;
    }
}
