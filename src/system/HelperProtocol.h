#pragma once
// What the program says to the taskbar side (Tarnwick) and the hot-corner helper (Velmora): message numbers,
// command lines, window names, and which running processes count as the helper. Values, no platform calls; any
// thread.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaline {

// Private window messages. Plain numbers, not registered: the other side was built against the same values.
inline constexpr uint32_t WMStartMenuLoaded = 1324;
inline constexpr uint32_t WMQuitStartMenu = 1224;
inline constexpr uint32_t WMUpdateUserName = 1335;
inline constexpr uint32_t WMShowToggle = 2024;
inline constexpr uint32_t WMTaskbarAttach = 2025;
inline constexpr uint32_t WMStartMenuRef = 3126;
inline constexpr uint32_t WMExplorerAlive = 3224;
inline constexpr uint32_t WMHookHotCorners = 3524;
inline constexpr uint32_t WMHotCornerState = 3526;
inline constexpr uint32_t WMSetHotCorners = 3527;
inline constexpr uint32_t WMSetHotSidebar = 3528;

// The lParam the hot-corner helper expects with WMHookHotCorners.
inline constexpr int kHookHotCornersArm = 3;

// Windows the other side finds by class and caption, and the taskbar windows we find.
inline constexpr wchar_t kTaskbarClass[] = L"Shell_TrayWnd";
inline constexpr wchar_t kTaskbarBandClass[] = L"ReBarWindow32";
inline constexpr wchar_t kStartMenuFormClass[] = L"TZelStartMenuFrm";
inline constexpr wchar_t kStartMenuFormCaption[] = L"Quorvan_Tessaline";
inline constexpr wchar_t kStartButtonFormClass[] = L"TfrmStartMenu";
// The taskbar's own Start button (Windows 8.1 and 10): a child of the taskbar window. Hidden while ours is docked.
inline constexpr wchar_t kOwnStartButtonClass[] = L"Start";
inline constexpr wchar_t kHotCornerHelperClass[] = L"TfrmQuorvan_Velmora";
inline constexpr wchar_t kHotCornerHelperCaption[] = L"Quorvan_Tessaline_Velmora";

// Executables beside the program, started with the verb "open", hidden, no working folder.
inline constexpr wchar_t kTaskbarHelperExe[] = L"Tarnwick.exe";
inline constexpr wchar_t kHotCornerHelper32Exe[] = L"Velmora32.exe";
inline constexpr wchar_t kHotCornerHelper64Exe[] = L"Velmora64.exe";
inline constexpr wchar_t kHelperVerb[] = L"open";
inline constexpr wchar_t kLoadDllParameter[] = L"/loaddll";
inline constexpr wchar_t kRestartParameter[] = L"/Restart";
inline constexpr wchar_t kHotCornersParameter[] = L"/HotCorners";

// One message with its parameters, for the glue to post or send as it is.
struct TWindowMessage {
    uint32_t Message = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    friend bool operator==(const TWindowMessage&, const TWindowMessage&) = default;
};

// Sent (synchronously) to the band: 1 after the button docked, 0 before it undocks.
TWindowMessage TaskbarAttachMessage(bool attached);
// Posted to the band every watchdog tick; lParam is the count before this tick's increment.
TWindowMessage ExplorerAliveMessage(int explorerCount);
// Posted to the band by the two menu items: lParam 1 switches the corners (or the sidebar) off.
TWindowMessage SetHotCornersMessage(bool deactivate);
TWindowMessage SetHotSidebarMessage(bool deactivate);
// Posted to the hot-corner helper's window to (re)arm it.
TWindowMessage HookHotCornersMessage();

// A helper to start: file name (looked up in the program's folder) and its parameters.
struct THelperLaunch {
    std::wstring File;
    std::wstring Parameters;
    friend bool operator==(const THelperLaunch&, const THelperLaunch&) = default;
};

// What a helper makes of the parameter text it was started with: true when it is exactly `parameter`, in any
// case of A-Z, blanks around it allowed.
bool IsHelperParameter(std::wstring_view commandLine, std::wstring_view parameter);

THelperLaunch LoadDllLaunch();
THelperLaunch RestartLaunch();
// The hot-corner helper matches the Windows, not the program: a 32-bit program on 64-bit Windows starts the
// 64-bit helper.
THelperLaunch HotCornersLaunch(bool bit64windows);
// programDirectory ends in a delimiter (GetProgramDirectory).
std::wstring HelperPath(std::wstring_view programDirectory, const THelperLaunch& launch);

// Every helper process is ended at undocking, whichever Windows started it: 32-bit names first.
std::vector<std::wstring> HelperProcessNames();

// A process-snapshot entry matches when its executable's file name, or the whole name, equals `name` without
// regard to the case of A-Z.
bool ProcessNameMatches(std::wstring_view exeFile, std::wstring_view name);

struct TProcessEntry {
    uint32_t ProcessId = 0;
    std::wstring ExeFile;
};

// The processes to end, in snapshot order, for one helper name. Our own process is never among them, even if
// someone renamed the program after a helper.
std::vector<uint32_t> ProcessesToEnd(const std::vector<TProcessEntry>& snapshot,
                                     std::wstring_view name,
                                     uint32_t ownProcessId);

}  // namespace tessaline
