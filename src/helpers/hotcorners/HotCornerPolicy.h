#pragma once
// What Velmora makes of the four settings the main program keeps for it: the per-user registry values Windows
// reads for the hot corners, the charms hint, booting to the desktop and starting at log-on, and whether a
// value as found must be written at all. Values only, no registry calls. Velmora's thread only (the settings
// reader goes to the disk).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaline {

// Main.ini [Main]; each true when the key is absent.
struct THelperSettings {
    bool HotCorners = true;       // true: the hot corners are off
    bool HotSidebar = true;       // true: the charms hint is off
    bool Startup = true;          // run the program at log-on
    bool SkipStartScreen = true;  // boot to the desktop
    friend bool operator==(const THelperSettings&, const THelperSettings&) = default;
};

// Reads Main.ini and nothing else: the main program owns the file, and any write here would wake our own
// change notification and start the reading again.
THelperSettings ReadHelperSettings(const std::wstring& mainIniFileName);

inline constexpr wchar_t kEdgeUiKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\ImmersiveShell\\EdgeUI";
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kStartPageKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartPage";
inline constexpr wchar_t kRunValueName[] = L"Tessaline";

// A registry value as found or as wanted. Other: a type we never write (REG_BINARY, a DWORD of odd size, ...).
struct TRegistryValue {
    enum class TKind { Absent, Dword, String, Other };
    TKind Kind = TKind::Absent;
    uint32_t Dword = 0;
    std::wstring Text;

    static TRegistryValue Absent() { return {}; }
    static TRegistryValue OfDword(uint32_t value) { return {TKind::Dword, value, {}}; }
    static TRegistryValue OfString(std::wstring text) { return {TKind::String, 0, std::move(text)}; }
    friend bool operator==(const TRegistryValue&, const TRegistryValue&) = default;
};

// One value below HKEY_CURRENT_USER as it should be; an Absent value is to be deleted.
struct TDesiredValue {
    std::wstring Key;
    std::wstring Name;
    TRegistryValue Value;
    // How Windows reads the DWORD when it is missing; writing that number over a missing value changes nothing.
    std::optional<uint32_t> AbsentMeans;
    friend bool operator==(const TDesiredValue&, const TDesiredValue&) = default;
};

// The values for all four settings, in a fixed order. programDirectory is where Tessaline.exe lies.
std::vector<TDesiredValue> DesiredRegistryValues(const THelperSettings& settings, std::wstring_view programDirectory);

// True when `current` does not already say what `desired` wants.
bool NeedsChange(const TDesiredValue& desired, const TRegistryValue& current);

}  // namespace tessaline
