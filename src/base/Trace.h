#pragma once
// Diagnostics: short English labels followed by values, to the debugger output stream on Windows
// (OutputDebugStringW). A sink installed by tests sees every line in both builds. Any thread may trace.

#include <concepts>
#include <functional>
#include <string>
#include <string_view>

#include "base/Strings.h"

namespace tessaline {

void TraceLine(const std::wstring& line);

using TraceSink = std::function<void(const std::wstring&)>;
// Replaces the sink (empty to remove it); returns the previous one.
TraceSink SetTraceSink(TraceSink sink);

namespace detail {
inline void AppendTrace(std::wstring& out, std::wstring_view s) {
    out += s;
}
inline void AppendTrace(std::wstring& out, const wchar_t* s) {
    out += s != nullptr ? s : L"";
}
inline void AppendTrace(std::wstring& out, const std::wstring& s) {
    out += s;
}
template <std::integral T>
void AppendTrace(std::wstring& out, T value) {
    out += IntToText(static_cast<int64_t>(value));
}
}  // namespace detail

// Trace(L"Setting SkinName: ", name) -> "Setting SkinName: Classic".
template <typename... Parts>
void Trace(const Parts&... parts) {
    std::wstring line;
    (detail::AppendTrace(line, parts), ...);
    TraceLine(line);
}

}  // namespace tessaline
