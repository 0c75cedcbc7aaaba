#pragma once
// The shell's own launch records (UserAssist): value names are ROT13-encoded paths, value data carries the
// time of the last run. Pure; the registry is read by the caller.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tessaline {

// Below HKEY_CURRENT_USER; opened for reading, and for deleting one value on "Remove from this list".
inline constexpr wchar_t kUserAssistCountKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
    L"{F4E57C4B-2036-45F0-A9AB-443BCFE33D9F}\\Count";

// Letters A-Z / a-z rotated by 13; every other code unit unchanged. Its own inverse.
std::wstring Rot13(std::wstring_view text);

// guidText ("{...}") -> absolute path of a known folder inside a Start Menu, with trailing backslash, or empty.
using StartMenuKnownFolderFn = std::function<std::wstring(const std::wstring& guidText)>;

// The shortcut path a value names, or empty: either the text from the drive letter on, or a Start-Menu known
// folder + the rest. The shell's own "Windows Explorer.lnk" is never listed.
std::wstring DecodeUserAssistName(std::wstring_view valueName, const StartMenuKnownFolderFn& startMenuKnownFolder);

// The extension, lower-cased (A-Z only), is ".exe".
bool IsExeFile(std::wstring_view path);

// What the key looked like when its values were read: its last write time and value count, and when the read
// was (FILETIME units, UTC).
struct TUserAssistKeyState {
    uint64_t WriteTime = 0;  // 0: never read
    uint32_t ValueCount = 0;
    uint64_t ReadAt = 0;
};

// Whether values read at `kept` still hold for the key as it looks `now`: nothing was written since (same write
// time and count), and the write before that read was a second or more earlier. A write in the same clock tick
// as the read, just after it, would carry the same time; a second's distance rules that out.
bool UserAssistValuesStillHold(const TUserAssistKeyState& kept, const TUserAssistKeyState& now);

// The FILETIME of the last run (UTC, bytes 60-67 little-endian); nullopt when the data is too short to hold one.
std::optional<uint64_t> ReadUserAssistFileTime(std::string_view valueData);

}  // namespace tessaline
