#include <windows.h>

#include "base/HandlesWin.h"
#include "base/Trace.h"
#include "startmenu/SessionActions.h"

namespace tessaline {
namespace {

class TRealSessionSystem : public ISessionSystem {
  public:
    void LockWorkStation() override {
        if (!::LockWorkStation()) {
            Trace(L"SessionActions: LockWorkStation failed: ", GetLastError());
        }
    }

    void EnableShutdownPrivilege() override {
        HANDLE opened = nullptr;
        const BOOL ok = OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened);
        const TUniqueHandle token(opened);
        if (!ok) {
            Trace(L"SessionActions: OpenProcessToken failed: ", GetLastError());
            return;
        }
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
            Trace(L"SessionActions: LookupPrivilegeValueW failed: ", GetLastError());
            return;
        }
        TOKEN_PRIVILEGES previous{};
        DWORD previousSize = sizeof(previous);
        // Succeeds with ERROR_NOT_ALL_ASSIGNED when the account lacks the privilege; the exit call then fails.
        if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, sizeof(previous), &previous, &previousSize)) {
            Trace(L"SessionActions: AdjustTokenPrivileges failed: ", GetLastError());
        }
    }

    void ExitWindowsEx(uint32_t flags, uint32_t reason) override {
        if (!::ExitWindowsEx(flags, reason)) {
            Trace(L"SessionActions: ExitWindowsEx ", flags, L" failed: ", GetLastError());
        }
    }

    void SetSystemPowerState(bool suspend, bool force) override {
        if (!::SetSystemPowerState(suspend ? TRUE : FALSE, force ? TRUE : FALSE)) {
            Trace(L"SessionActions: SetSystemPowerState failed: ", GetLastError());
        }
    }
};

}  // namespace

void RunSessionAction(TSessionAction action) {
    static TRealSessionSystem realSystem;
    ISessionSystem* system = SessionSystemForTest();
    PerformSessionAction(action, system != nullptr ? *system : realSystem);
}

}  // namespace tessaline
