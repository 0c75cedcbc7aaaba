#include <windows.h>

#include <oleauto.h>
#include <shellapi.h>
#include <shlobj.h>

#include "base/Strings.h"
#include "base/Trace.h"
#include "system/LaunchWin.h"
#include "system/ShellServices.h"
#include "system/WmiQuery.h"

namespace tessaline {

std::wstring v_UserLogoFileName;

namespace {

HMODULE Kernel32() {
    static HMODULE module = LoadLibraryW(L"kernel32.dll");  // cached, never freed
    return module;
}

template <typename Function>
Function Kernel32Function(const char* name) {
    HMODULE module = Kernel32();
    return module != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                             : nullptr;
}

}  // namespace

bool RunAsAdmin(HWND owner, const std::wstring& file, const std::wstring& parameters) {
    SHELLEXECUTEINFOW info{};
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = owner;
    info.lpVerb = L"runas";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellLaunchEx(info).Started();
}

void ShowFileProperties(const std::wstring& file) {
    SHELLEXECUTEINFOW info{};
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.lpVerb = L"properties";
    info.lpFile = file.c_str();
    info.nShow = 0;
    ShellLaunchEx(info);  // what became of it is traced; the menu says nothing
}

bool DisableWow64Redirection(void** oldValue) {
    using Disable = BOOL(WINAPI*)(PVOID*);
    const auto disable = Kernel32Function<Disable>("Wow64DisableWow64FsRedirection");
    return disable != nullptr && disable(oldValue) != FALSE;
}

bool RevertWow64Redirection(void* oldValue) {
    using Revert = BOOL(WINAPI*)(PVOID);
    const auto revert = Kernel32Function<Revert>("Wow64RevertWow64FsRedirection");
    return revert != nullptr && revert(oldValue) != FALSE;
}

int GetSysIconIndex(const std::wstring& path, bool small, bool open) {
    // The index alone: asking for the icon handle as well (SHGFI_ICON) gives the same index on Windows, but Wine 8
    // then answers a shortcut's large icon with the index of the bare shortcut arrow (WINE.md).
    SHFILEINFOW info{};
    UINT flags = SHGFI_SYSICONINDEX;
    if (open) {
        flags |= SHGFI_OPENICON;
    }
    if (small) {
        flags |= SHGFI_SMALLICON;
    }
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, flags) == 0) {
        return -1;  // not 0: that is a real icon, some other file's
    }
    return info.iIcon;
}

std::wstring GetLoginName() {
    wchar_t name[260] = {};
    DWORD size = 260;
    return GetUserNameW(name, &size) ? std::wstring(name) : std::wstring();
}

std::wstring GetUserFullName() {
    const std::wstring login = GetLoginName();
    std::wstring result;
    // The login name goes into a WQL string literal: escape it, so that a name with a quote or a backslash
    // still finds its account instead of breaking the query.
    std::wstring escaped;
    for (wchar_t c : login) {
        if (c == L'\\' || c == L'\'') {
            escaped += L'\\';
        }
        escaped += c;
    }
    for (const std::wstring& fullName :
         WmiQueryStrings(L"Select * from Win32_Account where Name='" + escaped + L"'", L"FullName")) {
        if (!Trim(fullName).empty()) {
            result = Trim(fullName);
            break;
        }
    }
    if (result.empty()) {
        result = Trim(login);
    }
    Trace(L"UserName: ", result);
    return result;
}

void GetUserLogoFileName() {
    wchar_t local[MAX_PATH + 1] = {};
    SHGetSpecialFolderPathW(nullptr, local, CSIDL_LOCAL_APPDATA, FALSE);
    v_UserLogoFileName = std::wstring(local) + L"\\Temp\\" + GetLoginName() + L".bmp";
    Trace(L"v_UserLogoFileName: ", v_UserLogoFileName);
}

bool ForceForegroundWindow(HWND window) {
    if (IsIconic(window)) {
        ShowWindow(window, SW_RESTORE);
    }
    if (GetForegroundWindow() == window) {
        return true;
    }
    HWND foreground = GetForegroundWindow();
    const DWORD foregroundThread = GetWindowThreadProcessId(foreground, nullptr);
    const DWORD thisThread = GetCurrentThreadId();
    // Sharing input with a hung thread would make activating our window wait for it.
    const bool attach = foregroundThread != 0 && foregroundThread != thisThread && !IsHungAppWindow(foreground);
    if (attach) {
        AttachThreadInput(thisThread, foregroundThread, TRUE);
    }
    BringWindowToTop(window);
    SetForegroundWindow(window);
    if (attach) {
        AttachThreadInput(thisThread, foregroundThread, FALSE);
    }
    if (GetForegroundWindow() != window) {
        DWORD timeout = 0;
        SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
        SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
        BringWindowToTop(window);
        SetForegroundWindow(window);
        SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout)),
                              SPIF_SENDCHANGE);
    }
    return GetForegroundWindow() == window;
}

}  // namespace tessaline
