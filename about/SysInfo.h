#pragma once
// The system-information launcher of the About box: finds the operating
// system's system-information tool through the registry and starts it.

#include "about/Registry.h"
#include "platform/FormsRuntime.h"

#include <string>

namespace dravelo::about {

inline constexpr const char* kSysInfoUnavailable = "Le informazioni sul sistema non sono disponibili in questa fase";

// Reads one value of a key. True when the value was read: a REG_SZ value's
// text, or a REG_DWORD value as "&h" and hexadecimal digits, goes to KeyVal;
// a value of any other type leaves KeyVal as it was. A missing key or value,
// refused access or a value over 1024 bytes gives false with KeyVal empty.
// Throws std::runtime_error for a value of zero length.
bool GetKeyValue(Registry& registry, RegKey KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal);

// Starts the tool named by the first registry location, else by the folder
// of the second one; answers every failure with one message box.
void StartSysInfo(platform::Dialogs& dialogs, platform::FileSystem& files, platform::Launcher& launcher,
                  Registry& registry);

// The text of a REG_DWORD value read into bytes: "&h", then each byte from
// the last to the first in hexadecimal without a leading zero.
std::string dwordText(const std::string& bytes);

} // namespace dravelo::about
