#pragma once
// The three registry calls the About box needs, with the result codes, type
// codes and size rules of advapi32's RegOpenKeyExA, RegQueryValueExA and
// RegCloseKey.

#include <cstdint>
#include <memory>
#include <string>

namespace dravelo::about {

// A key handle as advapi32 hands it out; 0 is no key.
using RegKey = std::uintptr_t;

// HKEY_LOCAL_MACHINE: the sign-extended 32-bit constant, as in winreg.h.
inline constexpr RegKey kHKeyLocalMachine =
    static_cast<RegKey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000002u)));

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY
inline constexpr std::uint32_t kKeyRead = 0x20019;

class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyExA: on success key receives the open key; otherwise it is
    // left as it was.
    virtual long openKey(RegKey root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                         RegKey& key) = 0;
    // RegQueryValueExA: size holds the buffer's capacity on the way in and
    // the value's length in bytes on the way out (also with ERROR_MORE_DATA,
    // when the buffer is left untouched). A zero-length value reports 0 and
    // writes nothing.
    virtual long queryValue(RegKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                            std::uint32_t& size) = 0;
    // RegCloseKey: ERROR_INVALID_HANDLE for a key that is not open.
    virtual long closeKey(RegKey key) = 0;
};

// The registry of the system the program runs on.
std::unique_ptr<Registry> platformRegistry();

} // namespace dravelo::about
