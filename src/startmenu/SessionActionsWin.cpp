#include <windows.h>

#include "base/FileSystem.h"
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

// Chosen once: an end-to-end test sets the variable before it starts the program.
ISessionSystem& ProcessSessionSystem() {
    static ISessionSystem* const chosen = []() -> ISessionSystem* {
        const std::wstring logFile = GetEnvironmentText(kSessionLogVariable);
        if (!logFile.empty()) {
            Trace(L"SessionActions: recording to ", logFile);
            return new TSessionCallRecorder(logFile);  // lives as long as the process
        }
        return new TRealSessionSystem();
    }();
    return *chosen;
}

}  // namespace

void RunSessionAction(TSessionAction action) {
    ISessionSystem* system = SessionSystemForTest();
    PerformSessionAction(action, system != nullptr ? *system : ProcessSessionSystem());
}

}  // namespace tessaline
