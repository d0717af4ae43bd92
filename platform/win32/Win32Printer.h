#pragma once
// Printing on the system's default printer through GDI. The spooler's calls
// that can wait on a stopped spooler or on a network printer run on a
// thread of their own, each stage within the limit from the start of the
// job to its end, so that the program's windows stay alive meanwhile. A
// call may ask the user itself (a file name to print to, a driver's PIN or
// account code): its window is the calling thread's, and the time it is up
// does not count against the limit.

#include "platform/FormsRuntime.h"
#include "platform/win32/ServiceWait.h"

#include <windows.h>

#include <memory>
#include <string>

namespace dravelo::platform::win32 {

// A started document on the default printer, or null with the reason set;
// null with the empty reason when the user cancelled the printer's own
// question (the file name of a printer that prints to a file).
std::unique_ptr<PrintJob> startDefaultPrinterJob(std::string& whyNot, ServiceWait wait);

} // namespace dravelo::platform::win32
