#pragma once
// Printing on the system's default printer: the page drawn by Qt into a
// PDF, the print service asked and the job sent by the print program.

#include "platform/FormsRuntime.h"
#include "platform/ServiceWait.h"

#include <functional>
#include <memory>
#include <string>

namespace dravelo::platform::qt {

// A document on the default printer, or null with the reason set. Waits
// for the print service by wait, at most kPrintServiceLimit from this call
// to the document's end; programEnded tells that the program ended during
// a wait, so that nothing goes out.
std::unique_ptr<PrintJob> startDefaultPrinterJob(std::string& whyNot, ServiceWait wait,
                                                 std::function<bool()> programEnded);

} // namespace dravelo::platform::qt
