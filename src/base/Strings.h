#pragma once
// Small string helpers shared by every subsystem. Pure; no platform headers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaline {

// White space as the settings and language parsers see it: every character up to and including the blank.
inline bool IsTrimmed(wchar_t c) {
    return static_cast<uint32_t>(c) <= 0x20;
}
std::wstring_view TrimView(std::wstring_view s);
std::wstring Trim(std::wstring_view s);

// Case rules that touch only A-Z / a-z, for the places where other letters must keep their case.
std::wstring UpperAZ(std::wstring_view s);
void AppendUpperAZ(std::wstring& out, std::wstring_view s);
std::wstring LowerAZ(std::wstring_view s);

// Case folding for names (INI sections and keys, language names, file names): ASCII, Latin-1, Latin Extended-A,
// Greek and Cyrillic. The same table in both builds, so a lookup never depends on the C library's locale.
wchar_t FoldCase(wchar_t c);
std::wstring FoldCase(std::wstring_view s);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

// A decimal integer (optional sign; "$" or "0x" introduces hexadecimal), nothing else around it.
// Out of the 32-bit range or malformed: nullopt.
std::optional<int32_t> ParseInt32(std::wstring_view s);
std::wstring IntToText(int64_t value);

// Path pieces. Both "\" and "/" separate folders (Win32 accepts either).
inline bool IsPathDelimiter(wchar_t c) {
    return c == L'\\' || c == L'/';
}
// The folder part without its trailing delimiter ("C:\a\b.ini" -> "C:\a"); empty when there is none.
std::wstring ExtractFileDir(std::wstring_view path);
// The name part after the last delimiter.
std::wstring ExtractFileName(std::wstring_view path);
std::wstring ExcludeTrailingDelimiter(std::wstring_view path);
// A path that names one place whatever the current folder: "X:\..." or "\\server\share...". An empty one, a
// relative one and one of the current drive ("\Windows", "X:Windows") are not.
bool IsFullyQualifiedPath(std::wstring_view path);

// Shell-style match of a file name against a mask with "*" and "?", case ignored.
bool MatchesMask(std::wstring_view name, std::wstring_view mask);

}  // namespace tessaline
