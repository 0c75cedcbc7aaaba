// The demo taskbar: a top-level window of class Shell_TrayWnd with a ReBarWindow32 band, laid out as Explorer's
// is, so the Start button can dock on a desktop that has no Explorer taskbar (Wine on Linux).
//   taskbar_host.exe [--edge bottom|left|top] [--thickness N] [--length N] [--offset N] [--ready-file PATH]
//                    [--message-log PATH] [--work-area HEIGHT|none] [--band shown|hidden|none] [--start-button]
//                    [--broadcast]
// The band answers no private message: the taskbar-side hook subclasses it and answers them itself.
// Tests post WM_APP + 1 to the taskbar to have it lay itself out again, and WM_APP + 2 with a number of
// milliseconds in wParam to have it stop answering for that long, as a hung Explorer does. With --broadcast, once
// made, the taskbar broadcasts "TaskbarCreated" to every top-level window, as Explorer's does when it (re)starts.
// --start-button gives it a Start button of its own before the band, as on Windows 8.1 and 10; its layout shows
// that button again every time.

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <iterator>
#include <string>
#include <vector>

#include "HostLayout.h"
#include "base/HandlesWin.h"

namespace tessaline::demo {
namespace {

constexpr wchar_t kTrayClass[] = L"Shell_TrayWnd";
constexpr wchar_t kBandClass[] = L"ReBarWindow32";
constexpr wchar_t kOwnStartClass[] = L"Start";
constexpr COLORREF kOwnStartColor = RGB(96, 160, 230);
// Tests post this to imitate Explorer laying its taskbar out again.
constexpr UINT kRelayoutMessage = WM_APP + 1;
// And this to imitate a hung Explorer: the thread sleeps for wParam milliseconds (at most a minute).
constexpr UINT kHangMessage = WM_APP + 2;
constexpr DWORD kLongestHangMs = 60000;

constexpr COLORREF kTrayColor = RGB(22, 26, 34);
constexpr COLORREF kTrayEdgeColor = RGB(64, 72, 90);
constexpr COLORREF kButtonColor = RGB(44, 50, 64);
constexpr COLORREF kActiveButtonColor = RGB(62, 70, 90);
constexpr COLORREF kButtonBorderColor = RGB(78, 88, 110);
constexpr COLORREF kActiveMarkColor = RGB(110, 170, 240);
constexpr COLORREF kLabelColor = RGB(228, 232, 240);
constexpr int kIconSize = 16;
constexpr int kCornerRadius = 6;

struct TTaskButton {
    const wchar_t* Label;
    COLORREF IconColor;
};
constexpr TTaskButton kTaskButtons[] = {
    {L"Files", RGB(236, 184, 64)},  {L"Notes", RGB(100, 184, 236)}, {L"Web", RGB(112, 204, 124)},
    {L"Music", RGB(224, 108, 132)}, {L"Mail", RGB(168, 132, 230)},
};

RECT ToRect(const TRect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

TSize ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    const TUniqueGdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &r, brush.get());
}

void RoundedBox(HDC dc, const RECT& r, COLORREF fill, COLORREF border, int radius) {
    const TUniqueGdiObject<HBRUSH> brush(CreateSolidBrush(fill));
    const TUniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, border));
    const TScopedSelection selectBrush(dc, brush.get());
    const TScopedSelection selectPen(dc, pen.get());
    RoundRect(dc, r.left, r.top, r.right, r.bottom, radius, radius);
}

// Tahoma: present on Windows and shipped with Wine, so the labels look alike on both.
HFONT LabelFont() {
    LOGFONTW font{};
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    wcscpy_s(font.lfFaceName, L"Tahoma");
    return CreateFontIndirectW(&font);
}

class TTaskbarHost {
  public:
    explicit TTaskbarHost(THostOptions options) : options_(std::move(options)), font_(LabelFont()) {}

    bool Create(HINSTANCE instance) {
        if (!Register(instance, kTrayClass, TrayProc) || !Register(instance, kBandClass, BandProc) ||
            !Register(instance, kOwnStartClass, OwnStartProc)) {
            return false;
        }
        // Explorer's taskbar is a topmost tool window: always above, never a button of its own.
        tray_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTrayClass, L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 1,
                                1, nullptr, nullptr, instance, this);
        if (tray_ == nullptr) {
            std::fwprintf(stderr, L"taskbar_host: CreateWindowExW(%ls) failed: %lu\n", kTrayClass, GetLastError());
            return false;
        }
        if (options_.StartButton) {
            ownStart_ = CreateWindowExW(0, kOwnStartClass, L"Start", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 1,
                                        1, tray_, nullptr, instance, this);
            if (ownStart_ == nullptr) {
                std::fwprintf(stderr, L"taskbar_host: CreateWindowExW(%ls) failed: %lu\n", kOwnStartClass,
                              GetLastError());
                return false;
            }
        }
        if (options_.Band != THostOptions::TBand::None) {
            const DWORD shown = options_.Band == THostOptions::TBand::Shown ? WS_VISIBLE : 0;
            band_ = CreateWindowExW(0, kBandClass, L"", WS_CHILD | shown | WS_CLIPSIBLINGS, 0, 0, 1, 1, tray_, nullptr,
                                    instance, this);
            if (band_ == nullptr) {
                std::fwprintf(stderr, L"taskbar_host: CreateWindowExW(%ls) failed: %lu\n", kBandClass, GetLastError());
                return false;
            }
        }
        Relayout();
        // Explorer keeps the desktop's work area clear of the taskbar; the menu places itself from it.
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &previousWorkArea_, 0);
        const TRect work = HostWorkArea(options_, {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
        RECT area{work.Left, work.Top, work.Right, work.Bottom};
        SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0);
        ShowWindow(tray_, SW_SHOWNOACTIVATE);
        UpdateWindow(tray_);
        if (options_.Broadcast) {
            // Explorer tells every top-level window that a taskbar is there (again); it waits for none of them.
            SendNotifyMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        }
        return true;
    }

    // The taskbar and its band where the options put them on the current screen; the band back at its offset
    // whatever moved it.
    void Relayout() {
        const TSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        const TRect bar = TaskbarRect(options_, screen);
        SetWindowPos(tray_, HWND_TOPMOST, bar.Left, bar.Top, bar.Width(), bar.Height(), SWP_NOACTIVATE);
        const TRect band = BandRect(options_.Edge, {bar.Width(), bar.Height()}, options_.Offset);
        if (band_ != nullptr) {
            SetWindowPos(band_, nullptr, band.Left, band.Top, band.Width(), band.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (ownStart_ != nullptr) {
            // Explorer's layout puts its Start button back and shows it, whoever hid it.
            const TRect start = OwnStartButtonRect(options_.Edge, {bar.Width(), bar.Height()}, options_.Offset);
            SetWindowPos(ownStart_, nullptr, start.Left, start.Top, start.Width(), start.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        }
    }

  private:
    static bool Register(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        // Repaint the whole band on every resize: its buttons are laid out from its size.
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = proc;
        // The owner pointer lives in the window's extra bytes, not GWLP_USERDATA, which a subclassing hook
        // may claim for itself.
        wc.cbWndExtra = sizeof(TTaskbarHost*);
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        if (RegisterClassExW(&wc) == 0) {
            std::fwprintf(stderr, L"taskbar_host: RegisterClassExW(%ls) failed: %lu\n", name, GetLastError());
            return false;
        }
        return true;
    }

    static TTaskbarHost* Bind(HWND window, UINT message, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* self = static_cast<TTaskbarHost*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(self));
            return self;
        }
        return reinterpret_cast<TTaskbarHost*>(GetWindowLongPtrW(window, 0));
    }

    static LRESULT CALLBACK TrayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        TTaskbarHost* self = Bind(window, message, lParam);
        if (self == nullptr) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        switch (message) {
            case WM_PAINT: {
                PAINTSTRUCT ps{};
                HDC dc = BeginPaint(window, &ps);
                self->PaintTray(dc);
                EndPaint(window, &ps);
                return 0;
            }
            case WM_PRINTCLIENT:
                // Wine's WM_PRINT leaves the children out; the band is ours, so its picture goes in too.
                self->PaintTray(reinterpret_cast<HDC>(wParam));
                self->PaintBandAtItsPlace(reinterpret_cast<HDC>(wParam));
                return 0;
            case WM_ERASEBKGND:
                return 1;
            case WM_DISPLAYCHANGE:
            case kRelayoutMessage:
                self->Relayout();
                return 0;
            case kHangMessage:
                Sleep(static_cast<DWORD>(wParam < kLongestHangMs ? wParam : kLongestHangMs));
                return 0;
            case WM_CLOSE:
                DestroyWindow(window);
                return 0;
            case WM_DESTROY:
                PostQuitMessage(0);
                return 0;
            default:
                break;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    // The taskbar's own Start button: a blue four-pane mark. A click on it is logged, as the band's messages are.
    static LRESULT CALLBACK OwnStartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        TTaskbarHost* self = Bind(window, message, lParam);
        if (self == nullptr) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        switch (message) {
            case WM_PAINT: {
                PAINTSTRUCT ps{};
                HDC dc = BeginPaint(window, &ps);
                self->PaintOwnStart(dc, ClientSize(window));
                EndPaint(window, &ps);
                return 0;
            }
            case WM_PRINTCLIENT:
                self->PaintOwnStart(reinterpret_cast<HDC>(wParam), ClientSize(window));
                return 0;
            case WM_ERASEBKGND:
                return 1;
            case WM_LBUTTONDOWN:
                self->LogMessage(message, wParam, lParam);
                return 0;
            default:
                break;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    // Everything else, the private range included, goes to DefWindowProcW: whoever subclasses the band answers.
    static LRESULT CALLBACK BandProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        TTaskbarHost* self = Bind(window, message, lParam);
        if (self == nullptr) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        switch (message) {
            case WM_PAINT: {
                PAINTSTRUCT ps{};
                HDC dc = BeginPaint(window, &ps);
                self->PaintBand(dc, ClientSize(window));
                EndPaint(window, &ps);
                return 0;
            }
            case WM_PRINTCLIENT:
                self->PaintBand(reinterpret_cast<HDC>(wParam), ClientSize(window));
                return 0;
            case WM_ERASEBKGND:
                return 1;
            default:
                if (message >= WM_USER && message < 0xC000) {
                    self->LogMessage(message, wParam, lParam);
                }
                break;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    // Tests read what the band was told; the file is opened for each line so every line is on disk at once.
    void LogMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
        if (options_.MessageLog.empty()) {
            return;
        }
        if (FILE* file = _wfopen(options_.MessageLog.c_str(), L"ab")) {
            std::fprintf(file, "%u %llu %lld\n", message, static_cast<unsigned long long>(wParam),
                         static_cast<long long>(lParam));
            std::fclose(file);
        }
    }

    // A thin light line on the side that faces the desktop, in a window of the given size.
    RECT DesktopSideLine(TSize size) const {
        switch (options_.Edge) {
            case THostEdge::Left:
                return {size.Width - 1, 0, size.Width, size.Height};
            case THostEdge::Top:
                return {0, size.Height - 1, size.Width, size.Height};
            case THostEdge::Bottom:
                break;
        }
        return {0, 0, size.Width, 1};
    }

    void PaintTray(HDC dc) const {
        const TSize size = ClientSize(tray_);
        FillSolid(dc, {0, 0, size.Width, size.Height}, kTrayColor);
        FillSolid(dc, DesktopSideLine(size), kTrayEdgeColor);
    }

    void PaintOwnStart(HDC dc, TSize size) const {
        FillSolid(dc, {0, 0, size.Width, size.Height}, kTrayColor);
        const int mark = std::min(size.Width, size.Height) / 2;
        const int left = (size.Width - mark) / 2;
        const int top = (size.Height - mark) / 2;
        const int pane = (mark - 2) / 2;
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 2; ++column) {
                const int x = left + column * (pane + 2);
                const int y = top + row * (pane + 2);
                FillSolid(dc, {x, y, x + pane, y + pane}, kOwnStartColor);
            }
        }
    }

    void PaintBandAtItsPlace(HDC dc) const {
        if (band_ == nullptr) {
            return;
        }
        RECT band{};
        GetWindowRect(band_, &band);
        MapWindowPoints(HWND_DESKTOP, tray_, reinterpret_cast<POINT*>(&band), 2);
        POINT oldOrigin{};
        OffsetViewportOrgEx(dc, band.left, band.top, &oldOrigin);
        const HRGN clip = CreateRectRgn(0, 0, 0, 0);
        const bool hadClip = GetClipRgn(dc, clip) == 1;
        IntersectClipRect(dc, 0, 0, band.right - band.left, band.bottom - band.top);
        PaintBand(dc, {band.right - band.left, band.bottom - band.top});
        SelectClipRgn(dc, hadClip ? clip : nullptr);
        DeleteObject(clip);
        SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    }

    void PaintBand(HDC dc, TSize size) const {
        FillSolid(dc, {0, 0, size.Width, size.Height}, kTrayColor);
        FillSolid(dc, DesktopSideLine(size), kTrayEdgeColor);  // continues the taskbar's own line
        const bool vertical = IsVertical(options_.Edge);
        const int count = static_cast<int>(std::size(kTaskButtons));
        const std::vector<TRect> rects = TaskButtonRects(options_.Edge, size, count);
        const TScopedSelection selectFont(dc, font_.get());
        SetBkMode(dc, TRANSPARENT);
        for (size_t i = 0; i < rects.size(); ++i) {
            const TTaskButton& button = kTaskButtons[i];
            const RECT r = ToRect(rects[i]);
            const bool active = i == 0;
            RoundedBox(dc, r, active ? kActiveButtonColor : kButtonColor, kButtonBorderColor, kCornerRadius);
            if (active) {
                const int inset = (r.right - r.left) / 4;
                FillSolid(dc, {r.left + inset, r.bottom - 3, r.right - inset, r.bottom - 1}, kActiveMarkColor);
            }
            const int iconTop = r.top + (r.bottom - r.top - kIconSize) / 2;
            const int iconLeft = vertical ? r.left + (r.right - r.left - kIconSize) / 2 : r.left + 8;
            const RECT icon{iconLeft, iconTop, iconLeft + kIconSize, iconTop + kIconSize};
            RoundedBox(dc, icon, button.IconColor, button.IconColor, 4);
            if (vertical) {
                // Only the initial fits on a narrow bar, drawn on the icon as a letter tile.
                SetTextColor(dc, kTrayColor);
                RECT letter = icon;
                DrawTextW(dc, button.Label, 1, &letter, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
                continue;
            }
            SetTextColor(dc, kLabelColor);
            RECT label{icon.right + 8, r.top, r.right - 6, r.bottom};
            DrawTextW(dc, button.Label, -1, &label, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
    }

    THostOptions options_;
    TUniqueGdiObject<HFONT> font_;
    HWND tray_ = nullptr;
    HWND band_ = nullptr;
    HWND ownStart_ = nullptr;

  public:
    ~TTaskbarHost() {
        if (previousWorkArea_.right > previousWorkArea_.left) {
            SystemParametersInfoW(SPI_SETWORKAREA, 0, &previousWorkArea_, 0);
        }
    }

  private:
    RECT previousWorkArea_{};
};

// Written under another name and renamed, so a script that waits for the file never reads half of it.
bool WriteReadyFile(const std::wstring& path) {
    const std::wstring temporary = path + L".tmp";
    FILE* file = _wfopen(temporary.c_str(), L"wb");
    if (file == nullptr) {
        std::fwprintf(stderr, L"taskbar_host: cannot write %ls\n", temporary.c_str());
        return false;
    }
    std::fprintf(file, "%lu\n", GetCurrentProcessId());
    const bool written = std::fclose(file) == 0;
    if (!written || !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        std::fwprintf(stderr, L"taskbar_host: cannot write %ls: %lu\n", path.c_str(), GetLastError());
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; argv != nullptr && i < count; ++i) {
        args.emplace_back(argv[i]);
    }
    LocalFree(argv);
    return args;
}

int Run(HINSTANCE instance) {
    const THostOptionsResult parsed = ParseHostOptions(Arguments());
    if (!parsed.Error.empty()) {
        std::fwprintf(stderr,
                      L"taskbar_host: %ls\nusage: taskbar_host [--edge bottom|left|top] [--thickness N] "
                      L"[--length N] [--offset N] [--ready-file PATH] [--message-log PATH] [--work-area HEIGHT|none] "
                      L"[--band shown|hidden|none] [--start-button] [--broadcast]\n",
                      parsed.Error.c_str());
        return 2;
    }
    const TRect bar = TaskbarRect(parsed.Options, {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    const TRect band = BandRect(parsed.Options.Edge, {bar.Width(), bar.Height()}, parsed.Options.Offset);
    if (band.Width() <= 0 || band.Height() <= 0) {
        std::fwprintf(stderr, L"taskbar_host: --offset %d leaves the band no room on this taskbar\n",
                      parsed.Options.Offset);
        return 2;
    }
    TTaskbarHost host(parsed.Options);
    if (!host.Create(instance)) {
        return 1;
    }
    const std::wstring& readyFile = parsed.Options.ReadyFile;
    if (!readyFile.empty() && !WriteReadyFile(readyFile)) {
        return 1;
    }
    // A plain loop: hooks placed in this thread from other processes run inside GetMessageW.
    MSG message{};
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (!readyFile.empty()) {
        DeleteFileW(readyFile.c_str());  // the file says the host is up
    }
    return got < 0 ? 1 : static_cast<int>(message.wParam);
}

}  // namespace
}  // namespace tessaline::demo

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    return tessaline::demo::Run(instance);
}
