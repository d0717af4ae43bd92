#pragma once
// Files and programs: atomic file output, the directory listing used as a
// file-existence test, and starting another program.

#include <string>

namespace dravelo::platform::qt {

// Replaces the file with exactly these bytes through a temporary file; on
// failure an earlier file is left as it was. The empty text on success,
// otherwise the reason.
std::string writeFileAtomically(const std::string& path, const std::string& bytes);

// The name of the first ordinary file matching the pattern (wildcards in the
// last path part only), or the empty text.
std::string firstFileMatching(const std::string& pattern);

// Starts the program without a shell and without waiting; false when it
// cannot be started.
bool startProgram(const std::string& program);

} // namespace dravelo::platform::qt
