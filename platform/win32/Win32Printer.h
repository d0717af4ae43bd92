#pragma once
// Printing on the system's default printer through GDI.

#include "platform/FormsRuntime.h"

#include <memory>
#include <string>

namespace dravelo::platform::win32 {

// A started document on the default printer, or null with the reason set.
std::unique_ptr<PrintJob> startDefaultPrinterJob(std::string& whyNot);

} // namespace dravelo::platform::win32
