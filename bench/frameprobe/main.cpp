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
// Usage: frameprobe [--interact] [--complete-ms N] [--settle-ms N] -- program [args...]

#include "Probe.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

using namespace std::chrono;
using bench::Clock;

constexpr auto kFrameTimeout = seconds(20);
constexpr auto kQuiet = milliseconds(300);
constexpr std::uint32_t kReturn = 0xff0d;
constexpr std::uint32_t kSpace = 0x20;

double millisecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return duration<double, std::milli>(to - from).count();
}

// A button with the focus is pressed by the space bar and clicks when the key
// is released; returns the moment of the release.
Clock::time_point clickFocusedButton(bench::Probe& probe)
{
    probe.key(kSpace, true);
    probe.waitQuiet(kQuiet, Clock::now() + kFrameTimeout);
    const auto released = Clock::now();
    probe.key(kSpace, false);
    return released;
}

int run(bool interact, milliseconds complete, milliseconds settle, char** program)
{
    bench::Probe probe;
    const auto started = probe.start(program);
    const auto first = probe.nextFrame(started + kFrameTimeout, true);
    if (!first) {
        std::fprintf(stderr, "frameprobe: %s showed no window\n", program[0]);
        return 1;
    }
    std::printf("start_ms=%.1f", millisecondsBetween(started, first->when));
    if (complete.count() > 0) {
        const auto last = probe.waitQuiet(complete, Clock::now() + kFrameTimeout);
        std::printf(" complete_ms=%.1f", millisecondsBetween(started, last.value_or(first->when)));
    }

    if (interact) {
        probe.waitQuiet(kQuiet, Clock::now() + kFrameTimeout);
        const auto continua = clickFocusedButton(probe); // the cover window's focus is on "&Continua"
        const auto form2 = probe.nextFrame(continua + kFrameTimeout, true);
        if (!form2) {
            std::printf("\n");
            std::fprintf(stderr, "frameprobe: \"&Continua\" opened no window\n");
            return 1;
        }
        std::printf(" continua_ms=%.1f", millisecondsBetween(continua, form2->when));

        // Fuel name, then the five percentages; Enter after sulphur puts the
        // focus on "&Calcola".
        probe.waitQuiet(kQuiet, Clock::now() + kFrameTimeout);
        for (const char* entry : {"metano", "75", "25", "0", "0", "0"}) {
            probe.typeText(entry);
            probe.typeKey(kReturn);
        }
        probe.waitQuiet(kQuiet, Clock::now() + kFrameTimeout);
        const long redBefore = probe.countRedPixels(form2->window);
        const auto calcola = clickFocusedButton(probe);
        std::optional<bench::Frame> shown;
        do
            shown = probe.nextFrame(calcola + kFrameTimeout, false);
        while (shown && shown->window != form2->window);
        if (!shown) {
            std::printf("\n");
            std::fprintf(stderr, "frameprobe: \"&Calcola\" drew nothing\n");
            return 1;
        }
        std::printf(" calcola_ms=%.1f", millisecondsBetween(calcola, shown->when));
        probe.waitQuiet(kQuiet, Clock::now() + kFrameTimeout);
        std::printf(" result_px=%ld", probe.countRedPixels(form2->window) - redBefore);
    }

    probe.waitQuiet(settle, Clock::now() + kFrameTimeout);
    std::printf(" rss_kb=%ld\n", probe.stopChild());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    bool interact = false;
    milliseconds complete(0);
    milliseconds settle(500);
    int i = 1;
    for (; i < argc; ++i) {
        if (std::strcmp(argv[i], "--interact") == 0)
            interact = true;
        else if (std::strcmp(argv[i], "--complete-ms") == 0 && i + 1 < argc)
            complete = milliseconds(std::stoi(argv[++i]));
        else if (std::strcmp(argv[i], "--settle-ms") == 0 && i + 1 < argc)
            settle = milliseconds(std::stoi(argv[++i]));
        else if (std::strcmp(argv[i], "--") == 0) {
            ++i;
            break;
        } else
            break;
    }
    if (i >= argc) {
        std::fprintf(stderr, "usage: frameprobe [--interact] [--complete-ms N] [--settle-ms N] -- program [args...]\n");
        return 2;
    }
    try {
        return run(interact, complete, settle, argv + i);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "frameprobe: %s\n", error.what());
        return 1;
    }
}
