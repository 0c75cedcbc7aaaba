// TarnwickHook32/64.dll: placed into the taskbar's process with a message hook on the taskbar's thread. The
// placer (Tarnwick.exe, or rundll32 of the other bitness) sets the hook, posts the placement message and waits
// until the band shows the placement's generation; the hook, running on the taskbar's thread, pins the DLL so
// the unhooking leaves it loaded, and subclasses the band (TaskbarSubclassWin.cpp).

#include <windows.h>

#include <string>

#include "base/Trace.h"
#include "helpers/taskbar/TarnwickPlacement.h"
#include "helpers/taskbar/TaskbarSubclassWin.h"
#include "system/HelperProtocol.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK TarnwickHookProc(int code, WPARAM wParam, LPARAM lParam);

namespace tessaline {
namespace {

HMODULE g_module = nullptr;

constexpr DWORD kPlacementTimeoutMs = 5000;
constexpr DWORD kPlacementPollMs = 20;

UINT PlaceMessage() {
    static const UINT message = RegisterWindowMessageW(kPlaceMessageName);
    return message;
}

// The subclass procedures must outlive the hook: without a pin the system unloads us when the placer unhooks.
void PinModule() {
    static bool pinned = false;
    if (pinned) {
        return;
    }
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) {
        Trace(L"TarnwickHook: GetModuleFileNameW failed: ", GetLastError());
        return;
    }
    path.resize(length);
    HMODULE module = nullptr;
    pinned = GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, path.c_str(), &module) != FALSE ||
             LoadLibraryW(path.c_str()) != nullptr;  // a reference never given back holds as well
    if (!pinned) {
        Trace(L"TarnwickHook: pinning failed: ", GetLastError());
    }
}

bool PlaceFromOutside(HWND taskbar, DWORD generation) {
    HWND band = taskbar != nullptr ? FindWindowExW(taskbar, nullptr, kTaskbarBandClass, nullptr) : nullptr;
    if (band == nullptr || generation == 0 || PlaceMessage() == 0) {
        Trace(L"TarnwickHook: no taskbar band to place into");
        return false;
    }
    const DWORD thread = GetWindowThreadProcessId(taskbar, nullptr);
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, TarnwickHookProc, g_module, thread);
    if (hook == nullptr) {
        Trace(L"TarnwickHook: SetWindowsHookExW failed: ", GetLastError());
        return false;
    }
    bool placed = false;
    if (PostMessageW(taskbar, PlaceMessage(), generation, 0)) {
        const HANDLE wanted = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(generation));
        for (DWORD waited = 0; waited < kPlacementTimeoutMs && !placed; waited += kPlacementPollMs) {
            Sleep(kPlacementPollMs);
            placed = GetPropW(band, kPlacementProperty) == wanted;
        }
    }
    UnhookWindowsHookEx(hook);
    if (!placed) {
        Trace(L"TarnwickHook: the taskbar did not confirm the placement");
    }
    return placed;
}

}  // namespace
}  // namespace tessaline

extern "C" {

// Runs on the taskbar's thread for every message it takes from its queue while the hook is set.
__declspec(dllexport) LRESULT CALLBACK TarnwickHookProc(int code, WPARAM wParam, LPARAM lParam) {
    try {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && msg != nullptr && msg->message != 0 &&
            msg->message == tessaline::PlaceMessage()) {
            tessaline::PinModule();
            tessaline::PlaceInTaskbar(msg->hwnd, static_cast<uint32_t>(msg->wParam));
            msg->message = WM_NULL;  // ours alone: the taskbar need not see it
        }
    } catch (...) {
        tessaline::Trace(L"TarnwickHook: the placement in the taskbar failed");
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Called in a process of the taskbar's bitness; true once the taskbar confirmed the placement (bounded wait).
__declspec(dllexport) BOOL WINAPI TarnwickPlace(HWND taskbar, DWORD generation) {
    try {
        return tessaline::PlaceFromOutside(taskbar, generation) ? TRUE : FALSE;
    } catch (...) {
        tessaline::Trace(L"TarnwickHook: placing from outside failed");
        return FALSE;
    }
}

// rundll32 "<this dll>",TarnwickPlaceRundll <taskbar> <generation>: the caller checks the band afterwards.
__declspec(dllexport) void CALLBACK TarnwickPlaceRundll(HWND, HINSTANCE, LPSTR commandLine, int) {
    try {
        if (const auto arguments = tessaline::ParseRundllArguments(commandLine != nullptr ? commandLine : "")) {
            HWND taskbar = reinterpret_cast<HWND>(static_cast<intptr_t>(tessaline::HandleFromWire(arguments->Taskbar)));
            tessaline::PlaceFromOutside(taskbar, arguments->Generation);
        }
    } catch (...) {
        tessaline::Trace(L"TarnwickHook: placing through rundll32 failed");
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        tessaline::g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

}  // extern "C"
