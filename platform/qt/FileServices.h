#pragma once
// Files and programs: atomic file output, the directory listing used as a
// file-existence test, and starting another program.

#include "platform/ServiceWait.h"

#include <string>

namespace dravelo::platform::qt {

// Replaces the file with exactly these bytes through a temporary file
// beside it; on failure an earlier file is left as it was. The file system
// is touched only on a thread of its own, while wait keeps the windows
// painting and held; the program gives up on it when the folder does not
// answer within the limit, or when the program ends meanwhile. The empty
// text on success, otherwise the reason.
std::string writeFileAtomically(const std::string& path, const std::string& bytes, const ServiceWait& wait);

// The name of the first ordinary file matching the pattern (wildcards in the
// last path part only), or the empty text.
std::string firstFileMatching(const std::string& pattern);

// Starts the program without a shell and without waiting; false when it
// cannot be started.
bool startProgram(const std::string& program);

} // namespace dravelo::platform::qt
