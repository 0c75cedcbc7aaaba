#pragma once
// Tarnwick's decisions apart from the calls that carry them out: which command it was given, and how the hook
// DLL gets into the taskbar's process (directly, or through the other bitness's rundll32 when the taskbar's
// process does not match ours). Also the names the executable and the DLL agree on. Any thread.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaline {

enum class TTarnwickCommand { LoadDll, Restart, Quit, Unknown };

// "/Quit": what the installer runs before it replaces or removes the programs (the program never passes it).
inline constexpr wchar_t kQuitParameter[] = L"/Quit";

// The whole parameter text: exactly one of the switches (any case of A-Z), blanks around it allowed.
TTarnwickCommand ParseTarnwickCommand(std::wstring_view parameters);

// What the executable and the DLL agree on.
inline constexpr char kPlaceExport[] = "TarnwickPlace";              // BOOL WINAPI (HWND taskbar, DWORD generation)
inline constexpr char kPlaceRundllExport[] = "TarnwickPlaceRundll";  // rundll32 entry: "<taskbar> <generation>"
// Posted to the taskbar while the hook is set: wParam is the placement's generation.
inline constexpr wchar_t kPlaceMessageName[] = L"Quorvan.Tarnwick.Place";
// Window properties on the band (and the taskbar) inside the taskbar's process.
inline constexpr wchar_t kPlacementProperty[] = L"Quorvan.Tarnwick.Placement";  // last confirmed generation
inline constexpr wchar_t kBandProcProperty[] = L"Quorvan.Tarnwick.BandProc";    // the band's procedure before us
inline constexpr wchar_t kTaskbarProcProperty[] = L"Quorvan.Tarnwick.TaskbarProc";
inline constexpr wchar_t kAttachedProperty[] = L"Quorvan.Tarnwick.Attached";
inline constexpr wchar_t kRefreshPendingProperty[] = L"Quorvan.Tarnwick.RefreshPending";
// Named mutex that keeps one "/Restart" at work while the program starts it every second.
inline constexpr wchar_t kRestartMutexName[] = L"Quorvan_Tessaline_Tarnwick_Restart";

// The DLL that fits a process of the given bitness.
std::wstring HookDllName(bool bit64);

struct TPlacementPlan {
    bool InProcess = true;  // load DllPath here and call kPlaceExport
    std::wstring DllPath;
    std::wstring Rundll32;  // otherwise: run this with Rundll32Parameters and wait for it
    std::wstring Rundll32Parameters;
    friend bool operator==(const TPlacementPlan&, const TPlacementPlan&) = default;
};

// programDirectory: where Tarnwick and the DLLs are; windowsDirectory: the system's Windows folder. A 32-bit
// Tarnwick reaches the 64-bit rundll32 through "Sysnative" (the file-system redirection would hand it the
// 32-bit one from "System32"); a 64-bit one finds the 32-bit rundll32 in "SysWOW64".
TPlacementPlan PlanPlacement(bool self64,
                             bool taskbar64,
                             std::wstring_view programDirectory,
                             std::wstring_view windowsDirectory,
                             uint32_t taskbarHandle,
                             uint32_t generation);

struct TRundllArguments {
    uint32_t Taskbar = 0;
    uint32_t Generation = 0;
    friend bool operator==(const TRundllArguments&, const TRundllArguments&) = default;
};

// Two decimal numbers separated by blanks; a zero or malformed one yields nothing.
std::optional<TRundllArguments> ParseRundllArguments(std::string_view commandLine);

// Window handles cross a bitness boundary as their low 32 bits; the system sign-extends them back.
inline int64_t HandleFromWire(uint32_t value) {
    return static_cast<int32_t>(value);
}
inline uint32_t HandleToWire(uint64_t handle) {
    return static_cast<uint32_t>(handle);
}

// Positive and never 0, so a window property holding it is told from one never set, in either bitness.
uint32_t PlacementGeneration(uint32_t tickCount, uint32_t processId);

}  // namespace tessaline
