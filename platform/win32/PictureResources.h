#pragma once
// Resource identifiers of the pictures the designs name, shared by the
// resource script and the code.

#define DRAVELO_IDB_COVER 201
#define DRAVELO_IDI_ABOUT 202

#ifdef __cplusplus
#include <string>

namespace dravelo::platform::win32 {

// The resource of a design's picture path, or 0 when there is none.
inline int pictureResource(const std::string& path)
{
    if (path == ":/assets/copertina.bmp")
        return DRAVELO_IDB_COVER;
    if (path == ":/assets/icona.ico")
        return DRAVELO_IDI_ABOUT;
    return 0;
}

} // namespace dravelo::platform::win32
#endif
