#pragma once
// The single-instance rule: one running copy per executable name. The name (file name and extension, no
// folder) names both the mutex and the registered message a second copy broadcasts. Any thread.

#include <string>
#include <string_view>

namespace tessaline {

// "C:\Apps\Tessaline.exe" -> "Tessaline.exe"; either delimiter counts.
std::wstring InstanceName(std::wstring_view exePath);

}  // namespace tessaline
