
#include <windows.h>

#include "base/AnsiCodePage.h"

namespace tessaline {

std::wstring AnsiToWide(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring out(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, out.data(), needed);
    return out;
}

}  // namespace tessaline
