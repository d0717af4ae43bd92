#pragma once
// The single way the program ends: "Chiudere il programma ?" asked whenever
// the cover or calculation window is about to close, for whatever reason.

#include "platform/FormsRuntime.h"

#include <cstdint>

namespace dravelo::app {

inline constexpr const char* kExitQuestion = "Chiudere il programma ?";

// Yes ends the program at once; No sets Cancel so the window stays.
void confirmExit(platform::FormsRuntime& runtime, std::int16_t& Cancel);

} // namespace dravelo::app
