#include "startmenu/SessionActions.h"

#include <atomic>

#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/Trace.h"
#include "base/WideText.h"

namespace tessaline {
namespace {

std::atomic<ISessionSystem*> g_testSystem{nullptr};

constexpr TSessionCall kLock{TSessionCallKind::LockWorkStation};
constexpr TSessionCall kPrivilege{TSessionCallKind::EnableShutdownPrivilege};

TSessionCall ExitCall(uint32_t flags, uint32_t reason) {
    return {TSessionCallKind::ExitWindowsEx, flags, reason};
}

}  // namespace

std::vector<TSessionCall> SessionActionCalls(TSessionAction action) {
    switch (action) {
        case TSessionAction::SwitchUser:
        case TSessionAction::Lock:
            return {kLock};
        case TSessionAction::LogOff:
            return {kPrivilege, ExitCall(kExitLogOff, 0)};
        case TSessionAction::Restart:
            return {kPrivilege, ExitCall(kExitReboot, kExitReasonUnplanned)};
        case TSessionAction::ShutDown:
            return {kPrivilege, ExitCall(kExitShutDown, kExitReasonUnplanned)};
        case TSessionAction::Sleep:
            // fSuspend TRUE: "Sleep" suspends (FALSE would hibernate).
            return {kPrivilege, {TSessionCallKind::SetSystemPowerState, 1, 1}};
    }
    return {};
}

std::wstring SessionCallText(const TSessionCall& call) {
    switch (call.kind) {
        case TSessionCallKind::LockWorkStation:
            return L"LockWorkStation";
        case TSessionCallKind::EnableShutdownPrivilege:
            return L"EnableShutdownPrivilege";
        case TSessionCallKind::ExitWindowsEx:
            return L"ExitWindowsEx " + IntToText(call.first) + L" " + IntToText(call.second);
        case TSessionCallKind::SetSystemPowerState:
            return L"SetSystemPowerState " + IntToText(call.first) + L" " + IntToText(call.second);
    }
    return {};
}

void PerformSessionCall(const TSessionCall& call, ISessionSystem& system) {
    switch (call.kind) {
        case TSessionCallKind::LockWorkStation:
            system.LockWorkStation();
            break;
        case TSessionCallKind::EnableShutdownPrivilege:
            system.EnableShutdownPrivilege();
            break;
        case TSessionCallKind::ExitWindowsEx:
            system.ExitWindowsEx(call.first, call.second);
            break;
        case TSessionCallKind::SetSystemPowerState:
            system.SetSystemPowerState(call.first != 0, call.second != 0);
            break;
    }
}

void PerformSessionAction(TSessionAction action, ISessionSystem& system) {
    for (const TSessionCall& call : SessionActionCalls(action)) {
        PerformSessionCall(call, system);
    }
}

TSessionCallRecorder::TSessionCallRecorder(std::wstring logFile) : logFile_(std::move(logFile)) {}

void TSessionCallRecorder::LockWorkStation() {
    Record(kLock);
}

void TSessionCallRecorder::EnableShutdownPrivilege() {
    Record(kPrivilege);
}

void TSessionCallRecorder::ExitWindowsEx(uint32_t flags, uint32_t reason) {
    Record(ExitCall(flags, reason));
}

void TSessionCallRecorder::SetSystemPowerState(bool suspend, bool force) {
    Record({TSessionCallKind::SetSystemPowerState, suspend ? 1u : 0u, force ? 1u : 0u});
}

std::vector<std::wstring> TSessionCallRecorder::Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

void TSessionCallRecorder::Record(const TSessionCall& call) {
    const std::wstring line = SessionCallText(call);
    std::lock_guard lock(mutex_);
    lines_.push_back(line);
    if (logFile_.empty()) {
        return;
    }
    std::string bytes;
    if (ReadFileBytes(logFile_, bytes) == FileReadResult::Failed) {
        // Rewriting would lose the lines the reader has not seen yet.
        Trace(L"SessionActions: cannot read the log ", logFile_);
        return;
    }
    bytes += WideToUtf8(line) + "\r\n";
    if (!ReplaceFileAtomically(logFile_, bytes)) {
        Trace(L"SessionActions: cannot write the log ", logFile_);
    }
}

ISessionSystem* SetSessionSystemForTest(ISessionSystem* system) {
    return g_testSystem.exchange(system);
}

ISessionSystem* SessionSystemForTest() {
    return g_testSystem.load();
}

}  // namespace tessaline
