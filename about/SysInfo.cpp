#include "about/SysInfo.h"

#include <array>
#include <stdexcept>

namespace dravelo::about {

namespace {

constexpr const char* kInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kInfoValue = "PATH";
constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kLocationValue = "MSINFO";
constexpr const char* kToolFile = "\\MSINFO32.EXE";

constexpr std::uint32_t kBufferSize = 1024;

// The stored bytes as text: without the terminating NUL when the last stored
// byte is one.
std::string trimmed(const std::array<unsigned char, kBufferSize>& buffer, std::uint32_t size)
{
    if (size == 0 || size > kBufferSize)
        throw std::runtime_error("registry value of no usable length");
    const std::uint32_t length = buffer[size - 1] == 0 ? size - 1 : size;
    return std::string(reinterpret_cast<const char*>(buffer.data()), length);
}

// Closes the key on every way out, also when nothing was opened.
class OpenKey {
public:
    explicit OpenKey(Registry& registry) : registry_(registry) {}
    ~OpenKey() { registry_.closeKey(key); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    RegKey key = 0;

private:
    Registry& registry_;
};

} // namespace

std::string dwordText(const std::string& bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "&h";
    for (auto byte = bytes.rbegin(); byte != bytes.rend(); ++byte) {
        const auto code = static_cast<unsigned char>(*byte);
        if (code >= 0x10)
            text += kDigits[code >> 4];
        text += kDigits[code & 0x0F];
    }
    return text;
}

bool GetKeyValue(Registry& registry, RegKey KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal)
{
    OpenKey hKey(registry);
    // Read rights only: asking for write rights as well would refuse the
    // lookup to accounts that may only read the key.
    if (registry.openKey(KeyRoot, KeyName, 0, kKeyRead, hKey.key) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }

    std::array<unsigned char, kBufferSize> buffer{};
    std::uint32_t size = kBufferSize;
    std::uint32_t type = 0;
    if (registry.queryValue(hKey.key, SubKeyRef, type, buffer.data(), size) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }

    const std::string value = trimmed(buffer, size);
    if (type == kRegSz)
        KeyVal = value;
    else if (type == kRegDword)
        KeyVal = dwordText(value);
    return true;
}

namespace {

// False when neither location leads to a tool that starts.
bool launchTool(platform::FileSystem& files, platform::Launcher& launcher, Registry& registry)
{
    std::string path;
    if (!GetKeyValue(registry, kHKeyLocalMachine, kInfoKey, kInfoValue, path)) {
        if (!GetKeyValue(registry, kHKeyLocalMachine, kLocationKey, kLocationValue, path))
            return false;
        if (files.firstMatch(path + kToolFile).empty())
            return false;
        path += kToolFile;
    }
    return launcher.launch(path);
}

} // namespace

void StartSysInfo(platform::Dialogs& dialogs, platform::FileSystem& files, platform::Launcher& launcher,
                  Registry& registry)
{
    bool started = false;
    try {
        started = launchTool(files, launcher, registry);
    } catch (const std::exception&) {
        // Every failure gets the one message below.
    }
    if (!started)
        dialogs.msgBox(kSysInfoUnavailable, platform::MsgButtons::Ok, platform::MsgIcon::None);
}

} // namespace dravelo::about
