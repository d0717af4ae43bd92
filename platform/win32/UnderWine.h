#pragma once
// Whether the program runs under Wine rather than on Windows: the few
// places where Wine behaves otherwise than Windows take a path of their own,
// which Windows never runs.

namespace dravelo::platform::win32 {

bool underWine();

} // namespace dravelo::platform::win32
