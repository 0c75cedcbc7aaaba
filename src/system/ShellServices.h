#pragma once
// Small services through which the program uses the Windows shell. User-interface thread only; COM must be
// initialised on it. Failures come back as results (false, empty text); nothing is shown to the user.

#include <windows.h>

#include <string>

namespace tessaline {

// Path of the user's account picture, set by GetUserLogoFileName.
extern std::wstring v_UserLogoFileName;

// "runas" through ShellExecuteExW; true when the call succeeded.
bool RunAsAdmin(HWND owner, const std::wstring& file, const std::wstring& parameters);
// The shell's properties sheet of the file; errors are swallowed.
void ShowFileProperties(const std::wstring& file);

// File-system redirection of a 32-bit process on 64-bit Windows. On 32-bit Windows (no such functions) both
// return false and change nothing.
bool DisableWow64Redirection(void** oldValue);
bool RevertWow64Redirection(void* oldValue);

// Redirection off for a scope (paths from the 64-bit system folders handed to the shell).
class ScopedWow64RedirectionOff {
  public:
    ScopedWow64RedirectionOff() : disabled_(DisableWow64Redirection(&oldValue_)) {}
    ScopedWow64RedirectionOff(const ScopedWow64RedirectionOff&) = delete;
    ScopedWow64RedirectionOff& operator=(const ScopedWow64RedirectionOff&) = delete;
    ~ScopedWow64RedirectionOff() {
        if (disabled_) {
            RevertWow64Redirection(oldValue_);
        }
    }

  private:
    void* oldValue_ = nullptr;
    bool disabled_;
};

// Index of the file's icon in the system image list of that size; -1 when the shell has none.
int GetSysIconIndex(const std::wstring& path, bool small, bool open);

// The account's full name from WMI, else the login name. Traces "UserName: " + result.
std::wstring GetUserFullName();
std::wstring GetLoginName();
// Sets v_UserLogoFileName: local application data + "\Temp\" + login name + ".bmp".
void GetUserLogoFileName();

// Brings the window to the foreground even when another process owns it; true when it is there afterwards.
bool ForceForegroundWindow(HWND window);

}  // namespace tessaline
