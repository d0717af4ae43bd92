// Systems other than Windows have no Windows registry: every key is missing,
// so the About box tells the user that the system information is not
// available.

#include "about/Registry.h"

namespace dravelo::about {

namespace {

class NoRegistry : public Registry {
public:
    long openKey(RegKey, const std::string&, std::uint32_t, std::uint32_t, RegKey&) override
    {
        return kErrorFileNotFound;
    }
    long queryValue(RegKey, const std::string&, std::uint32_t&, unsigned char*, std::uint32_t&) override
    {
        return kErrorInvalidHandle;
    }
    long closeKey(RegKey) override { return kErrorInvalidHandle; }
};

} // namespace

std::unique_ptr<Registry> platformRegistry()
{
    return std::make_unique<NoRegistry>();
}

} // namespace dravelo::about
