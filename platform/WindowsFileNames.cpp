#include "platform/WindowsFileNames.h"

#include <algorithm>
#include <string_view>

namespace dravelo::platform {

namespace {

// Besides the separators and the colon, which have rules of their own.
constexpr std::string_view kForbidden = "<>\"|?*";
constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
constexpr std::string_view kNumberedDevices[] = {"COM", "LPT"};
// A numbered device takes a digit or one of the superscripts 1, 2 and 3
// (UTF-8), as Windows reads them in the code page.
constexpr std::string_view kSuperscripts[] = {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
// The device namespace: "\\.\COM1", "//./pipe/x".
constexpr std::size_t kDevicePrefixLength = 4;

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool isDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string upper(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; });
    return out;
}

// What Windows compares with the device names: the name up to its first
// point, without the blanks before it.
std::string_view deviceStem(std::string_view name)
{
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    return stem;
}

bool isDevice(std::string_view stem)
{
    const std::string name = upper(stem);
    if (std::find(std::begin(kDevices), std::end(kDevices), name) != std::end(kDevices))
        return true;
    const std::string_view prefix = std::string_view(name).substr(0, 3);
    if (std::find(std::begin(kNumberedDevices), std::end(kNumberedDevices), prefix) == std::end(kNumberedDevices))
        return false;
    const std::string_view number = std::string_view(name).substr(prefix.size());
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') ||
           std::find(std::begin(kSuperscripts), std::end(kSuperscripts), number) != std::end(kSuperscripts);
}

std::string characterRefusal(char c)
{
    if (static_cast<unsigned char>(c) < 0x20)
        return "I nomi dei file di Windows non possono contenere caratteri di controllo.";
    return std::string("I nomi dei file di Windows non possono contenere il carattere \"") + c + "\".";
}

} // namespace

std::string windowsNameRefusal(const std::string& path)
{
    if (path.size() >= kDevicePrefixLength && isSeparator(path[0]) && isSeparator(path[1]) && path[2] == '.' &&
        isSeparator(path[3]))
        return "I nomi che cominciano con \"" + path.substr(0, kDevicePrefixLength) +
               "\" indicano dispositivi di Windows, non file.";
    const bool drive = path.size() >= 2 && isDriveLetter(path[0]) && path[1] == ':';
    for (std::size_t i = drive ? 2 : 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c == ':' || static_cast<unsigned char>(c) < 0x20 || kForbidden.find(c) != std::string_view::npos)
            return characterRefusal(c);
    }
    std::string_view rest = std::string_view(path).substr(drive ? 2 : 0);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\\'), rest.find('/'));
        const std::string_view stem = deviceStem(rest.substr(0, end));
        if (isDevice(stem))
            return "\"" + std::string(stem) + "\" è un nome che Windows riserva a un dispositivo: scegliere un altro nome.";
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return {};
}

} // namespace dravelo::platform
