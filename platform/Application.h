#pragma once
// Program start: the entry point hands control to the forms runtime, which
// creates the startup window. Implemented by the toolkit (platform/qt).

#include "platform/FormDesign.h"
#include "platform/FormsRuntime.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dravelo::platform {

using ProgramFactory = std::function<std::unique_ptr<FormEvents>(FormsRuntime&)>;

// Builds the runtime over the designs, creates the program's handlers, loads
// and shows the startup window and runs until the program ends. Returns the
// process exit status.
int runApplication(int argc, char** argv, const std::vector<FormDesign>& designs,
                   const ProgramFactory& makeProgram, const std::string& startupForm);

} // namespace dravelo::platform
