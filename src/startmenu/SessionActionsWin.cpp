#include <windows.h>

#include "base/Trace.h"
#include "startmenu/SessionActions.h"

namespace tessaline {
namespace {

class TokenHandle {
  public:
    TokenHandle() = default;
    TokenHandle(const TokenHandle&) = delete;
    TokenHandle& operator=(const TokenHandle&) = delete;
    ~TokenHandle() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    HANDLE* Receive() { return &handle_; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_ = nullptr;
};

class TRealSessionSystem : public ISessionSystem {
  public:
    void LockWorkStation() override {
        if (!::LockWorkStation()) {
            Trace(L"SessionActions: LockWorkStation failed: ", GetLastError());
        }
    }

    void EnableShutdownPrivilege() override {
        TokenHandle token;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive())) {
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
        if (!AdjustTokenPrivileges(token.Get(), FALSE, &privileges, sizeof(previous), &previous, &previousSize)) {
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
