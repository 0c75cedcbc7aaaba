#include "ProcessCensusWin.h"

#include <windows.h>

#include <psapi.h>

#include <cstdint>
#include <vector>

namespace tessaline::test {
namespace {

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<size_t*>(count);
    return TRUE;
}

// The input method's windows, which the system makes for a thread at a time of its choosing, are not ours.
bool InputMethodWindow(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return CompareStringOrdinal(name, -1, L"IME", -1, TRUE) == CSTR_EQUAL ||
           CompareStringOrdinal(name, -1, L"MSCTFIME UI", -1, TRUE) == CSTR_EQUAL;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && !InputMethodWindow(window)) {
        ++*reinterpret_cast<size_t*>(count);
        EnumChildWindows(window, CountChild, count);
    }
    return TRUE;
}

size_t GdiObjects() {
    if (!UnderWine()) {
        return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    }
    size_t count = 0;
    for (uintptr_t value = 1; value <= 0xFFFF; ++value) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0) {
            ++count;
        }
    }
    return count;
}

size_t HeapBytes() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    size_t bytes = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) {
            continue;
        }
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry)) {
            if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0) {
                bytes += entry.cbData;
            }
        }
        HeapUnlock(heap);
    }
    return bytes;
}

}  // namespace

TProcessCensus TakeCensus() {
    TProcessCensus census;
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&census.Windows));
    // Message-only windows are not top-level windows of the desktop: count them too.
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        CountTopLevel(window, reinterpret_cast<LPARAM>(&census.Windows));
    }
    census.GdiObjects = GdiObjects();
    census.HeapBytes = HeapBytes();
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
        census.WorkingSetKb = memory.WorkingSetSize / 1024;
    }
    return census;
}

std::string Describe(const TProcessCensus& census) {
    return std::to_string(census.Windows) + " windows, " + std::to_string(census.GdiObjects) + " GDI objects, " +
           std::to_string(census.HeapBytes / 1024) + " KiB on the heaps, " + std::to_string(census.WorkingSetKb) +
           " KiB working set";
}

}  // namespace tessaline::test
