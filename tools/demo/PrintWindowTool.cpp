// Prints a window into a PNG: the way to see a window that Wine does not draw on the screen (a child window of
// another process, such as the docked Start button). The printing happens in the window's own process, through
// print_window_hook.dll beside this program.
//   print_window.exe <class> <out.png> [--caption TEXT] [--over-screen]
// --over-screen: the window paints over what the screen shows at its place instead of over black.
// Prints "x y width height" of the window's screen rectangle; exit code 1 when it is not found.

#include <windows.h>

#include <objidl.h>  // PROPID, which gdiplus.h needs and WIN32_LEAN_AND_MEAN leaves out

#include <gdiplus.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "PrintWindowProtocol.h"

namespace tessaline::demo {
namespace {

constexpr UINT kPrintTimeoutMs = 10000;

struct TWanted {
    std::wstring ClassName;
    std::optional<std::wstring> Caption;
    HWND Found = nullptr;
};

bool HasRoom(HWND window) {
    RECT r{};
    return GetWindowRect(window, &r) && r.right > r.left && r.bottom > r.top;
}

bool Matches(HWND window, const TWanted& wanted) {
    wchar_t className[256] = {};
    // Class names and captions compare without case, as FindWindowW compares them.
    if (GetClassNameW(window, className, 256) == 0 || _wcsicmp(wanted.ClassName.c_str(), className) != 0) {
        return false;
    }
    if (wanted.Caption) {
        const int length = GetWindowTextLengthW(window);
        std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
        caption.resize(static_cast<size_t>(GetWindowTextW(window, caption.data(), length + 1)));
        if (_wcsicmp(caption.c_str(), wanted.Caption->c_str()) != 0) {
            return false;
        }
    }
    // A hidden or empty window prints nothing; Wine's own hidden 0x0 Shell_TrayWnd is one.
    return IsWindowVisible(window) && HasRoom(window);
}

BOOL CALLBACK VisitChild(HWND window, LPARAM lParam) {
    auto* wanted = reinterpret_cast<TWanted*>(lParam);
    if (Matches(window, *wanted)) {
        wanted->Found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM lParam) {
    auto* wanted = reinterpret_cast<TWanted*>(lParam);
    if (Matches(window, *wanted)) {
        wanted->Found = window;
        return FALSE;
    }
    // EnumChildWindows walks all descendants, not only direct children.
    EnumChildWindows(window, VisitChild, lParam);
    return wanted->Found == nullptr;
}

HWND FindByClass(TWanted& wanted) {
    const wchar_t* caption = wanted.Caption ? wanted.Caption->c_str() : nullptr;
    if (HWND window = FindWindowW(wanted.ClassName.c_str(), caption); window != nullptr && Matches(window, wanted)) {
        return window;
    }
    EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&wanted));
    return wanted.Found;
}

std::optional<CLSID> PngEncoder() {
    UINT count = 0;
    UINT size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) {
        return std::nullopt;
    }
    std::vector<char> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok) {
        return std::nullopt;
    }
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring_view(encoders[i].MimeType) == L"image/png") {
            return encoders[i].Clsid;
        }
    }
    return std::nullopt;
}

class TGdiplusSession {
  public:
    TGdiplusSession() {
        const Gdiplus::GdiplusStartupInput input;
        ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    TGdiplusSession(const TGdiplusSession&) = delete;
    TGdiplusSession& operator=(const TGdiplusSession&) = delete;
    ~TGdiplusSession() {
        if (ok_) {
            Gdiplus::GdiplusShutdown(token_);
        }
    }
    bool Ok() const { return ok_; }

  private:
    ULONG_PTR token_ = 0;
    bool ok_ = false;
};

class TScopedHandle {
  public:
    explicit TScopedHandle(HANDLE handle) : handle_(handle) {}
    TScopedHandle(const TScopedHandle&) = delete;
    TScopedHandle& operator=(const TScopedHandle&) = delete;
    ~TScopedHandle() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

class TScopedLibrary {
  public:
    explicit TScopedLibrary(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}
    TScopedLibrary(const TScopedLibrary&) = delete;
    TScopedLibrary& operator=(const TScopedLibrary&) = delete;
    ~TScopedLibrary() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    HMODULE Get() const { return module_; }

  private:
    HMODULE module_;
};

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// A hook only runs in a process of its own bitness: a 32-bit window needs the 32-bit build of this tool.
bool SameBitness(DWORD processId) {
    const TScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    BOOL theirs = FALSE;
    BOOL ours = FALSE;
    if (process.Get() == nullptr || !IsWow64Process(process.Get(), &theirs) ||
        !IsWow64Process(GetCurrentProcess(), &ours)) {
        return true;  // cannot tell: let the hook try
    }
    return theirs == ours;
}

// The window's picture as it paints itself (WM_PRINT / WM_PRINTCLIENT), made in its own process by the hook:
// top-down 32-bit pixels, or empty when it could not be had.
// `background` (top-down, width x height, or empty for black) is what the window paints over: a window with no
// background of its own shows it through.
std::vector<uint32_t> PrintInItsProcess(HWND window,
                                        uint32_t width,
                                        uint32_t height,
                                        const std::vector<uint32_t>& background) {
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(window, &processId);
    if (!SameBitness(processId)) {
        std::fwprintf(stderr, L"print_window: the window's process is of the other bitness; use the %ls build\n",
                      sizeof(void*) == 8 ? L"32-bit (i686)" : L"64-bit (x86_64)");
        return {};
    }
    const size_t size = PrintSectionSize(width, height);
    if (size == 0) {
        std::fwprintf(stderr, L"print_window: cannot print a %ux%u window\n", width, height);
        return {};
    }
    const std::wstring hookPath = ProgramFolder() + L"print_window_hook.dll";
    const TScopedLibrary hookModule(hookPath);
    // Through void*: GetProcAddress's FARPROC has no parameters, and a direct cast trips -Wcast-function-type.
    const auto hookProc =
        hookModule.Get() != nullptr
            ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hookModule.Get(), kPrintHookProcName)))
            : nullptr;
    if (hookProc == nullptr) {
        std::fwprintf(stderr, L"print_window: cannot load %ls: %lu\n", hookPath.c_str(), GetLastError());
        return {};
    }
    const TScopedHandle section(CreateFileMappingW(
        INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(static_cast<uint64_t>(size) >> 32),
        static_cast<DWORD>(size), PrintSectionName(GetCurrentProcessId()).c_str()));
    void* view = section.Get() != nullptr ? MapViewOfFile(section.Get(), FILE_MAP_WRITE, 0, 0, size) : nullptr;
    if (view == nullptr) {
        std::fwprintf(stderr, L"print_window: cannot make a shared section of %zu bytes: %lu\n", size, GetLastError());
        return {};
    }
    auto* header = static_cast<TPrintHeader*>(view);
    *header = {width, height, TPrintState::Waiting, 0};
    if (background.size() == static_cast<size_t>(width) * height) {
        std::memcpy(header + 1, background.data(), background.size() * sizeof(uint32_t));
    }

    std::vector<uint32_t> pixels;
    if (HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, hookProc, hookModule.Get(), threadId); hook != nullptr) {
        DWORD_PTR ignored = 0;
        const UINT request = RegisterWindowMessageW(kPrintRequestMessage);
        const LRESULT delivered =
            SendMessageTimeoutW(window, request, GetCurrentProcessId(), 0, SMTO_ABORTIFHUNG, kPrintTimeoutMs, &ignored);
        UnhookWindowsHookEx(hook);
        if (delivered == 0) {
            std::fwprintf(stderr, L"print_window: the window did not answer: %lu\n", GetLastError());
        } else if (header->State != TPrintState::Printed) {
            std::fwprintf(stderr, L"print_window: the hook did not print the window (state %u)\n",
                          static_cast<unsigned>(header->State));
        } else {
            const auto* bits = reinterpret_cast<const uint32_t*>(header + 1);
            pixels.assign(bits, bits + static_cast<size_t>(width) * height);
        }
    } else {
        std::fwprintf(stderr, L"print_window: SetWindowsHookExW failed: %lu\n", GetLastError());
    }
    UnmapViewOfFile(view);
    return pixels;
}

bool SavePng(std::vector<uint32_t>& pixels, int width, int height, const std::wstring& path) {
    const TGdiplusSession gdiplus;
    const std::optional<CLSID> png = gdiplus.Ok() ? PngEncoder() : std::nullopt;
    if (!png) {
        std::fwprintf(stderr, L"print_window: GDI+ has no PNG encoder\n");
        return false;
    }
    // GDI leaves the fourth byte of what it draws undefined: the picture is opaque.
    Gdiplus::Bitmap bitmap(width, height, width * 4, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(pixels.data()));
    if (const Gdiplus::Status status = bitmap.Save(path.c_str(), &*png, nullptr); status != Gdiplus::Ok) {
        std::fwprintf(stderr, L"print_window: cannot save %ls: GDI+ status %d\n", path.c_str(),
                      static_cast<int>(status));
        return false;
    }
    return true;
}

// What the screen shows where the window is (under Wine, a child window of another process is not on it).
std::vector<uint32_t> ScreenUnder(const RECT& r) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

int Run(int argc, wchar_t** argv) {
    std::optional<std::wstring> caption;
    bool overScreen = false;
    bool understood = argc >= 3;
    for (int i = 3; understood && i < argc; ++i) {
        const std::wstring_view option(argv[i]);
        if (option == L"--caption" && i + 1 < argc) {
            caption = argv[++i];
        } else if (option == L"--over-screen") {
            overScreen = true;
        } else {
            understood = false;
        }
    }
    if (!understood) {
        std::fwprintf(stderr, L"usage: print_window <class> <out.png> [--caption TEXT] [--over-screen]\n");
        return 2;
    }
    TWanted wanted{argv[1], caption};
    const HWND window = FindByClass(wanted);
    if (window == nullptr) {
        std::fwprintf(stderr, L"print_window: no visible window of class %ls%ls%ls\n", argv[1],
                      wanted.Caption ? L" with caption " : L"", wanted.Caption ? wanted.Caption->c_str() : L"");
        return 1;
    }
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    std::vector<uint32_t> pixels =
        PrintInItsProcess(window, static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                          overScreen ? ScreenUnder(r) : std::vector<uint32_t>{});
    if (pixels.empty() || !SavePng(pixels, width, height, argv[2])) {
        return 1;
    }
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

}  // namespace
}  // namespace tessaline::demo

int wmain(int argc, wchar_t** argv) {
    return tessaline::demo::Run(argc, argv);
}
