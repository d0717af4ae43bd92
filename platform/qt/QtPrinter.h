#pragma once
// Printing on the system's default printer through QPrinter.

#include "platform/FormsRuntime.h"

#include <memory>
#include <string>

namespace dravelo::platform::qt {

// A document on the default printer, or null with the reason set.
std::unique_ptr<PrintJob> startDefaultPrinterJob(std::string& whyNot);

} // namespace dravelo::platform::qt
