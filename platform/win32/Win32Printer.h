#pragma once
// Printing on the system's default printer through GDI. The spooler's calls
// that can wait on a stopped spooler or on a network printer run on a
// thread of their own, each stage within the limit from the start of the
// job to its end, so that the program's windows stay alive meanwhile. A
// call may ask the user itself (a file name to print to, a driver's PIN or
// account code): its window is the calling thread's, and the time it is up
// does not count against the limit.

#include "platform/FormsRuntime.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace dravelo::platform::win32 {

enum class ServiceWaitEnd { Done, TimedOut, ProgramEnded };
using ServiceDeadline = std::chrono::steady_clock::time_point;

// Waits until the event is set or the deadline passes, and moves the
// deadline on by the time a window of the asking thread (the thread of the
// call, or 0) was up. The program's runtime keeps its windows painting
// meanwhile, with their input held, and brings that window to the front.
using ServiceWait = std::function<ServiceWaitEnd(HANDLE done, ServiceDeadline& deadline, DWORD askingThread)>;

// How often a wait looks for the call's question.
inline constexpr DWORD kQuestionPollMilliseconds = 100;

// A visible top-level window of the thread: a question the call asks the
// user. Null when there is none.
HWND questionOf(DWORD thread);

// The wait of a program without windows.
ServiceWaitEnd waitWithoutWindows(HANDLE done, ServiceDeadline& deadline, DWORD askingThread);

// A started document on the default printer, or null with the reason set;
// null with the empty reason when the user cancelled the printer's own
// question (the file name of a printer that prints to a file).
std::unique_ptr<PrintJob> startDefaultPrinterJob(std::string& whyNot, ServiceWait wait);

} // namespace dravelo::platform::win32
