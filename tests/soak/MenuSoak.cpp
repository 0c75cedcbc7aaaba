// A day of use in a few minutes, as a test of leaks (no timing in it): the start-menu window made in this process
// as the menu benchmark makes it, over a profile of shortcuts and UserAssist values built in the running prefix,
// opened and closed again and again. In some openings real input types a search and closes it, switches to All
// Programs and back, opens and closes the power menu, and opens and closes a program's context menu. What the
// process holds after the last cycle (windows, GDI objects, bytes on the heaps) must equal what it held after the
// first 50, the heap within kHeapToleranceKb; exit code 1 when it does not. Needs a display. Run under Wine:
//   scripts/wine-run.sh "$PWD/build/wineprefix" build/windows64/tests/soak/tessaline_menu_soak.exe [cycles]
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BenchMenu.h"
#include "BenchProfile.h"
#include "ProcessCensusWin.h"
#include "WinTestSupport.h"
#include "controls/CursorTableWin.h"
#include "controls/Label.h"
#include "controls/PImageNote.h"
#include "controls/PictureLoader.h"
#include "controls/StandardClasses.h"
#include "controls/TreeViewWin.h"
#include "startmenu/StartMenuFormWin.h"

using namespace tessaline;
using namespace tessaline::test;

namespace {

constexpr int kWarmUpCycles = 50;
// Caches that settle (display names, icons, the search index) may still move a little: the heap may differ by
// this much, the windows and GDI objects not at all.
constexpr size_t kHeapToleranceKb = 64;

INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT Mouse(POINT at, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return input;
}

// The events go in one batch: a menu that opens on one of them runs its own loop and reads the rest.
void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(60);
}

void TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = c;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        inputs.push_back(input);
        input.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    Send(inputs);
}

POINT OnScreen(TZelStartMenuFrm& form, const TRect& inForm) {
    POINT point{(inForm.Left + inForm.Right) / 2, (inForm.Top + inForm.Bottom) / 2};
    ClientToScreen(form.Handle(), &point);
    return point;
}

// How often the input did what it was meant to, so that a soak that clicked beside everything cannot pass.
struct TSeen {
    int Searches = 0;
    int AllPrograms = 0;
    int Backs = 0;
    int LinkMenus = 0;
};

bool StandardMenuOpen() {
    for (HWND menu = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); menu != nullptr;
         menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) {
        if (IsWindowVisible(menu) && GetWindowThreadProcessId(menu, nullptr) == GetCurrentThreadId()) {
            return true;
        }
    }
    return false;
}

UINT_PTR v_EscapeTimer = 0;
bool v_MenuShowed = false;

VOID CALLBACK EscapeWhenAMenuShows(HWND, UINT, UINT_PTR, DWORD) {
    if (StandardMenuOpen()) {
        v_MenuShowed = true;
        KillTimer(nullptr, v_EscapeTimer);
        INPUT keys[2] = {Key(VK_ESCAPE, false), Key(VK_ESCAPE, true)};
        SendInput(2, keys, sizeof(INPUT));
    }
}

// A timer of this thread, which a menu's own loop dispatches too: Esc once the menu is open.
void PressEscapeOnceAMenuShows() {
    v_MenuShowed = false;
    v_EscapeTimer = SetTimer(nullptr, 0, 30, EscapeWhenAMenuShows);
}

// True when the menu showed and was closed; a timer still waiting then is stopped.
bool WaitUntilNoMenu() {
    for (int waited = 0; waited < 40 && (!v_MenuShowed || StandardMenuOpen()); ++waited) {
        PumpFor(50);
    }
    KillTimer(nullptr, v_EscapeTimer);
    return v_MenuShowed && !StandardMenuOpen();
}

// One opening and closing; `kind` picks what the user does in between.
void Cycle(TZelStartMenuFrm& form, int kind, const POINT& away, TSeen& seen) {
    form.ShowStartMenuForm();
    PumpFor(50);
    switch (kind) {
        case 1:  // a search typed, its results shown, closed with Esc
            TypeText(L"no");
            PumpFor(150);
            seen.Searches += form.Search().Searching() ? 1 : 0;
            Send({Key(VK_ESCAPE, false), Key(VK_ESCAPE, true)});
            break;
        case 2: {  // All Programs, and Back
            const POINT row = OnScreen(form, form.lbl_Program->RectInForm());
            Send({Mouse(row, MOUSEEVENTF_LEFTDOWN), Mouse(row, MOUSEEVENTF_LEFTUP)});
            seen.AllPrograms += form.Panes().ViewFlag() == 1 ? 1 : 0;
            const POINT back = OnScreen(form, form.lbl_Program->RectInForm());  // the row moved with the view
            Send({Mouse(back, MOUSEEVENTF_LEFTDOWN), Mouse(back, MOUSEEVENTF_LEFTUP)});
            seen.Backs += form.Panes().ViewFlag() == 0 ? 1 : 0;
            break;
        }
        case 3: {  // the power menu opened by pointing at its arrow and closed with Esc, then a program's menu
            const POINT arrow = OnScreen(form, form.ImageNote_PopMenu->RectInForm());
            Send({Mouse(arrow, 0), Key(VK_ESCAPE, false), Key(VK_ESCAPE, true)});
            Send({Mouse(away, 0)});
            // A link's context menu ("Open"), opened with the right button and closed with Esc once it shows.
            const POINT link = OnScreen(form, form.LinkLabels[0]->RectInForm());
            PressEscapeOnceAMenuShows();
            Send({Mouse(link, MOUSEEVENTF_RIGHTDOWN), Mouse(link, MOUSEEVENTF_RIGHTUP)});
            seen.LinkMenus += WaitUntilNoMenu() ? 1 : 0;
            break;
        }
        default:
            break;
    }
    Send({Mouse(away, 0)});
    form.HideStartMenu();
    PumpFor(50);
}

constexpr DWORD kNotRunAgain = 0xFFFFFFFF;
constexpr wchar_t kX11Settings[] = L"Software\\Wine\\AppDefaults\\tessaline_menu_soak.exe\\X11 Driver";

// The windows of this program unmanaged by Wine's X11 driver: with no window manager on the display, Wine waits
// two seconds for one to withdraw each managed window it hides, and an activated menu becomes managed. The driver
// reads the setting when the process starts: where it was not set yet, this sets it and runs the program again
// (its exit code is returned); kNotRunAgain where it was set, or on Windows.
DWORD RunUnmanaged() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) {
        return kNotRunAgain;
    }
    wchar_t value[4] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kX11Settings, L"Managed", RRF_RT_REG_SZ, nullptr, value, &size) ==
            ERROR_SUCCESS &&
        std::wstring(value) == L"N") {
        return kNotRunAgain;
    }
    HKEY x11 = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kX11Settings, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &x11, nullptr) !=
        ERROR_SUCCESS) {
        return kNotRunAgain;
    }
    RegSetValueExW(x11, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"N"), 2 * sizeof(wchar_t));
    RegCloseKey(x11);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = GetCommandLineW();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return kNotRunAgain;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// Ends the program when a cycle takes far too long (a menu whose closing key went elsewhere waits for ever):
// a soak that hangs must fail, not stop the test run. Its own thread, since the hang is the GUI thread's.
class TWatchdog {
  public:
    TWatchdog()
        : thread_([this] {
              int last = -1;
              for (;;) {
                  for (int waited = 0; waited < 30; ++waited) {
                      std::this_thread::sleep_for(std::chrono::seconds(1));
                      if (done_) {
                          return;
                      }
                  }
                  const int now = cycle_;
                  if (now == last) {
                      std::printf("HANG: cycle %d (kind %d) did not end within 30 s\n", now, now % 4);
                      std::fflush(stdout);
                      ExitProcess(3);
                  }
                  last = now;
              }
          }) {}
    ~TWatchdog() {
        done_ = true;
        thread_.join();
    }
    void Cycle(int cycle) { cycle_ = cycle; }

  private:
    std::atomic<int> cycle_{0};
    std::atomic<bool> done_{false};
    std::thread thread_;
};

bool Same(const TProcessCensus& warm, const TProcessCensus& now) {
    return now.Windows == warm.Windows && now.GdiObjects == warm.GdiObjects &&
           now.HeapBytes <= warm.HeapBytes + kHeapToleranceKb * 1024;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int cycles = argc > 1 ? static_cast<int>(std::wcstol(argv[1], nullptr, 10)) : 1000;
    if (cycles <= kWarmUpCycles) {
        std::printf("more than %d cycles, please\n", kWarmUpCycles);
        return 2;
    }
    if (const DWORD child = RunUnmanaged(); child != kNotRunAgain) {
        return static_cast<int>(child);
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EnsureGdiplus();
    RegisterStandardClasses();
    InitCursorTable();
    auto writer = std::make_unique<bench::TShortcutWriter>();
    const bench::Profile profile = bench::Build(100, 50, writer->Link, writer->File);
    bench::TBenchMenu menu = bench::MakeBenchMenu();
    if (menu.Form == nullptr) {
        std::printf("no window\n");
        return 1;
    }
    TZelStartMenuFrm* form = menu.Form;
    const POINT away{GetSystemMetrics(SM_CXSCREEN) - 5, 5};

    TProcessCensus warm;
    TSeen seen;
    TWatchdog watchdog;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        watchdog.Cycle(cycle);
        Cycle(*form, cycle % 4, away, seen);
        if (cycle == kWarmUpCycles) {
            warm = TakeCensus();
            std::printf("after %4d cycles: %s\n", cycle, Describe(warm).c_str());
        } else if (cycle % 250 == 0 || cycle == cycles) {
            std::printf("after %4d cycles: %s\n", cycle, Describe(TakeCensus()).c_str());
        }
        std::fflush(stdout);
    }
    const TProcessCensus last = TakeCensus();
    const bool same = Same(warm, last);
    // Each kind of opening came cycles / 4 times; the input must have done its work in nearly all of them.
    const int expected = cycles / 4;
    const bool used = seen.Searches >= expected * 9 / 10 && seen.AllPrograms >= expected * 9 / 10 &&
                      seen.Backs >= expected * 9 / 10 && seen.LinkMenus >= expected * 9 / 10;
    std::printf("of %d each: %d searches shown, %d switches to All Programs, %d back, %d link menus\n", expected,
                seen.Searches, seen.AllPrograms, seen.Backs, seen.LinkMenus);
    std::printf("%s (windows and GDI objects equal, the heap within %zu KiB)\n",
                same ? "holds what it held after the warm-up" : "LEAK: holds more than after the warm-up",
                kHeapToleranceKb);

    menu.Owner.reset();
    PumpFor(50);
    bench::Remove(profile);
    writer.reset();
    CoUninitialize();
    return same && used ? 0 : 1;
}
