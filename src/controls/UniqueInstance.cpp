#include "controls/UniqueInstance.h"

namespace tessaline {

std::wstring InstanceName(std::wstring_view exePath) {
    const size_t slash = exePath.find_last_of(L"\\/");
    return std::wstring(slash == std::wstring_view::npos ? exePath : exePath.substr(slash + 1));
}

}  // namespace tessaline
