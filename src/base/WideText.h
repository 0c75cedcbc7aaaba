#pragma once
// Text in this code base is std::wstring holding UTF-16 code units, in both builds: on Windows that is what
// wchar_t is; natively wchar_t is wider but still holds one UTF-16 unit per element, so sorting, lengths and
// file round trips give the same answers as on Windows.

#include <string>
#include <string_view>

namespace tessaline {

// Invalid sequences become U+FFFD, as MultiByteToWideChar(CP_UTF8) does.
std::wstring Utf8ToWide(std::string_view utf8);
// Well-formed UTF-8 throughout: no stray continuation byte, no overlong form, no surrogate, nothing past
// U+10FFFF, no sequence cut off at the end.
bool IsValidUtf8(std::string_view bytes);
// Unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view text);

// Raw UTF-16 bytes (no byte-order mark) to text; an odd last byte is dropped.
std::wstring Utf16LeToWide(std::string_view bytes);
std::wstring Utf16BeToWide(std::string_view bytes);
std::string WideToUtf16Le(std::wstring_view text);

}  // namespace tessaline
