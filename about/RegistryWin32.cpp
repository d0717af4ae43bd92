// The registry through advapi32's ANSI calls. Texts go to and come from the
// calls as bytes of the ANSI code page, the same bytes the Windows file test
// and launcher hand to their own ANSI calls.

#include "about/Registry.h"

#include <windows.h>

namespace dravelo::about {

namespace {

HKEY toHkey(RegKey key)
{
    return reinterpret_cast<HKEY>(key);
}

class Win32Registry : public Registry {
public:
    long openKey(RegKey root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                 RegKey& key) override
    {
        HKEY opened = nullptr;
        const LONG result = RegOpenKeyExA(toHkey(root), subKey.c_str(), options, access, &opened);
        if (result == ERROR_SUCCESS)
            key = reinterpret_cast<RegKey>(opened);
        return result;
    }

    long queryValue(RegKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                    std::uint32_t& size) override
    {
        DWORD valueType = 0;
        DWORD valueSize = size;
        const LONG result = RegQueryValueExA(toHkey(key), valueName.c_str(), nullptr, &valueType, data, &valueSize);
        type = valueType;
        size = valueSize;
        return result;
    }

    long closeKey(RegKey key) override { return RegCloseKey(toHkey(key)); }
};

} // namespace

std::unique_ptr<Registry> platformRegistry()
{
    return std::make_unique<Win32Registry>();
}

} // namespace dravelo::about
