#include "app/HelperProcessesWin.h"

#include <windows.h>

#include <shellapi.h>
#include <tlhelp32.h>

#include "base/FileSystem.h"
#include "base/Trace.h"
#include "system/LaunchWin.h"

namespace tessaline {

void StartHelper(const THelperLaunch& launch) {
    const std::wstring path = HelperPath(GetProgramDirectory(), launch);
    StartOwnProgram(path, launch.Parameters, SW_HIDE);
}

void HookHotCorners(bool bit64windows) {
    HWND helper = FindWindowW(kHotCornerHelperClass, kHotCornerHelperCaption);
    Trace(L"HookHotCorners: ", reinterpret_cast<uintptr_t>(helper));
    if (helper != nullptr) {
        const TWindowMessage message = HookHotCornersMessage();
        PostMessageW(helper, message.Message, message.WParam, message.LParam);
        return;
    }
    StartHelper(HotCornersLaunch(bit64windows));
}

namespace {

void EndProcessesNamed(const std::wstring& name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        Trace(L"EndHelperProcesses: CreateToolhelp32Snapshot failed: ", GetLastError());
        return;
    }
    std::vector<TProcessEntry> entries;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        entries.push_back({entry.th32ProcessID, entry.szExeFile});
    }
    CloseHandle(snapshot);
    for (uint32_t id : ProcessesToEnd(entries, name, GetCurrentProcessId())) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id); process != nullptr) {
            TerminateProcess(process, 0);
            CloseHandle(process);
        }
    }
}

}  // namespace

void EndHelperProcesses() {
    for (const std::wstring& name : HelperProcessNames()) {
        EndProcessesNamed(name);
    }
}

}  // namespace tessaline
