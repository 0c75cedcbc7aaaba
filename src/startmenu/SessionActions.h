#pragma once
// The power menu's session actions and the one seam through which they reach the system. Every system call
// goes through ISessionSystem, so tests record the calls instead of locking, logging off or shutting down.
// Any thread; the power menu calls it on the user-interface thread.
//
// Recorder format: one ASCII line per call, ended by CR LF, numbers in decimal as the API takes them:
//   LockWorkStation
//   EnableShutdownPrivilege
//   ExitWindowsEx <flags> <reason>          EWX_LOGOFF 0, EWX_SHUTDOWN 1, EWX_REBOOT 2: "ExitWindowsEx 1 65535"
//   SetSystemPowerState <suspend> <force>   0 or 1: "SetSystemPowerState 1 1"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace tessaline {

enum class TSessionAction { SwitchUser, LogOff, Lock, Restart, Sleep, ShutDown };

// ExitWindowsEx flags and the reason code of the session operations.
inline constexpr uint32_t kExitLogOff = 0;    // EWX_LOGOFF
inline constexpr uint32_t kExitShutDown = 1;  // EWX_SHUTDOWN
inline constexpr uint32_t kExitReboot = 2;    // EWX_REBOOT
inline constexpr uint32_t kExitReasonUnplanned = 0xFFFF;

enum class TSessionCallKind { LockWorkStation, EnableShutdownPrivilege, ExitWindowsEx, SetSystemPowerState };

struct TSessionCall {
    TSessionCallKind kind = TSessionCallKind::LockWorkStation;
    uint32_t first = 0;   // ExitWindowsEx flags; SetSystemPowerState suspend
    uint32_t second = 0;  // ExitWindowsEx reason; SetSystemPowerState force

    bool operator==(const TSessionCall&) const = default;
};

// The calls an action makes, in order.
std::vector<TSessionCall> SessionActionCalls(TSessionAction action);
// The recorder's line for a call, without the line break.
std::wstring SessionCallText(const TSessionCall& call);

class ISessionSystem {
  public:
    virtual ~ISessionSystem() = default;
    virtual void LockWorkStation() = 0;
    // Enables SeShutdownPrivilege in the process token.
    virtual void EnableShutdownPrivilege() = 0;
    virtual void ExitWindowsEx(uint32_t flags, uint32_t reason) = 0;
    virtual void SetSystemPowerState(bool suspend, bool force) = 0;
};

void PerformSessionCall(const TSessionCall& call, ISessionSystem& system);
void PerformSessionAction(TSessionAction action, ISessionSystem& system);

// Records instead of acting: keeps the lines and, when given a file, appends each one to it at once.
class TSessionCallRecorder : public ISessionSystem {
  public:
    explicit TSessionCallRecorder(std::wstring logFile = {});

    void LockWorkStation() override;
    void EnableShutdownPrivilege() override;
    void ExitWindowsEx(uint32_t flags, uint32_t reason) override;
    void SetSystemPowerState(bool suspend, bool force) override;

    std::vector<std::wstring> Lines() const;

  private:
    void Record(const TSessionCall& call);

    std::wstring logFile_;
    mutable std::mutex mutex_;
    std::vector<std::wstring> lines_;
};

// The system RunSessionAction uses from now on; nullptr returns to the process's own choice. Returns the
// previous one. For in-process tests; the caller keeps `system` alive while it is installed.
ISessionSystem* SetSessionSystemForTest(ISessionSystem* system);
ISessionSystem* SessionSystemForTest();

// Runs the action through the installed test system, else the real system. Failures are traced and otherwise silent.
// Defined in SessionActionsWin.cpp.
void RunSessionAction(TSessionAction action);

}  // namespace tessaline
