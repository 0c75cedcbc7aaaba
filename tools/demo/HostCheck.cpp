// Checks the demo tools from the outside, as the Start button and the taskbar side see them (run by check.sh).
//   host_check.exe host <readyFile> <x,y,w,h of the taskbar> <x,y,w,h of the band>
//   host_check.exe close <readyFile>
//   host_check.exe sample <startMenuProgramsFolder>
//   host_check.exe forget <startMenuProgramsFolder>    (removes the launch records a sample check wrote)
// One line per check; exit code 1 when any failed.

#include <windows.h>

#include <shobjidl.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ComPtrWin.h"
#include "SampleStartMenu.h"
#include "base/Strings.h"
#include "catalogue/UserAssist.h"

namespace tessaline::demo {
namespace {

constexpr wchar_t kTrayClass[] = L"Shell_TrayWnd";
constexpr wchar_t kBandClass[] = L"ReBarWindow32";
constexpr UINT kRelayoutMessage = WM_APP + 1;
constexpr UINT kReplyTimeoutMs = 5000;
constexpr int kButtonRoom = 54;  // how far the Start button pushes the band

int failures = 0;

void Check(bool ok, const std::wstring& what) {
    std::wprintf(L"%ls: %ls\n", ok ? L"ok" : L"FAIL", what.c_str());
    failures += ok ? 0 : 1;
}

std::wstring Text(const RECT& r) {
    return IntToText(r.left) + L"," + IntToText(r.top) + L"," + IntToText(r.right - r.left) + L"," +
           IntToText(r.bottom - r.top);
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// "x,y,w,h" -> a rectangle.
std::optional<RECT> ParseRect(const std::wstring& text) {
    std::vector<int> numbers;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(L',', start), text.size());
        const auto value = ParseInt32(std::wstring_view(text).substr(start, comma - start));
        if (!value) {
            return std::nullopt;
        }
        numbers.push_back(*value);
        start = comma + 1;
    }
    if (numbers.size() != 4) {
        return std::nullopt;
    }
    return RECT{numbers[0], numbers[1], numbers[0] + numbers[2], numbers[1] + numbers[3]};
}

std::optional<DWORD> ReadProcessId(const wchar_t* readyFile) {
    FILE* file = _wfopen(readyFile, L"rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    unsigned long id = 0;
    const bool read = std::fscanf(file, "%lu", &id) == 1;
    std::fclose(file);
    return read ? std::optional<DWORD>(id) : std::nullopt;
}

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

RECT ScreenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// Wine's own desktop process keeps a hidden Shell_TrayWnd too: the host's is the one its process owns.
HWND TrayOf(DWORD processId) {
    HWND tray = nullptr;
    while ((tray = FindWindowExW(nullptr, tray, kTrayClass, nullptr)) != nullptr) {
        if (ProcessOf(tray) == processId) {
            return tray;
        }
    }
    return nullptr;
}

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &result) == 0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

// The band pushed aside as the Start button pushes it, from this process: in the taskbar's client coordinates.
RECT MoveBandAside(HWND tray, HWND band, bool vertical) {
    RECT r = ScreenRect(band);
    MapWindowPoints(HWND_DESKTOP, tray, reinterpret_cast<POINT*>(&r), 2);
    if (vertical) {
        r.top += kButtonRoom;
    } else {
        r.left += kButtonRoom;
    }
    SetWindowPos(band, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    MapWindowPoints(tray, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int CheckHost(const wchar_t* readyFile, const RECT& expectedTray, const RECT& expectedBand) {
    const std::optional<DWORD> host = ReadProcessId(readyFile);
    if (!host) {
        Check(false, std::wstring(L"the ready file names the host's process: ") + readyFile);
        return 1;
    }
    const HWND tray = FindWindowW(kTrayClass, nullptr);
    Check(tray != nullptr && ProcessOf(tray) == *host,
          L"FindWindowW(Shell_TrayWnd) returns the host's window (process " + IntToText(ProcessOf(tray)) + L", host " +
              IntToText(*host) + L")");
    const HWND hostTray = TrayOf(*host);
    if (hostTray == nullptr) {
        Check(false, L"the host has a Shell_TrayWnd");
        return 1;
    }
    Check(SameRect(ScreenRect(hostTray), expectedTray),
          L"taskbar at " + Text(ScreenRect(hostTray)) + L", expected " + Text(expectedTray));
    Check(IsWindowVisible(hostTray) != FALSE, L"taskbar visible");
    Check((GetWindowLongPtrW(hostTray, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, L"taskbar topmost");
    Check((GetWindowLongPtrW(hostTray, GWL_STYLE) & WS_CAPTION) == 0, L"taskbar has no caption");

    const HWND band = FindWindowExW(hostTray, nullptr, kBandClass, nullptr);
    if (band == nullptr) {
        Check(false, L"the taskbar has a ReBarWindow32 child");
        return 1;
    }
    Check(SameRect(ScreenRect(band), expectedBand),
          L"band at " + Text(ScreenRect(band)) + L", expected " + Text(expectedBand));

    // The hook answers these in the real product; the band itself must stay silent (DefWindowProc: 0).
    struct PrivateMessage {
        UINT Message;
        const wchar_t* Name;
    };
    for (const auto& [message, name] :
         {PrivateMessage{WM_USER, L"WM_USER"}, PrivateMessage{2025, L"2025"}, PrivateMessage{3224, L"3224"},
          PrivateMessage{3527, L"3527"}, PrivateMessage{WM_APP + 1, L"WM_APP+1"}}) {
        const std::optional<LRESULT> reply = Send(band, message, 1, 1);
        Check(reply && *reply == 0, std::wstring(L"band leaves private message ") + name + L" unanswered");
    }

    const bool vertical = expectedTray.bottom - expectedTray.top > expectedTray.right - expectedTray.left;
    struct Relayout {
        UINT Message;
        WPARAM WParam;
        LPARAM LParam;
        const wchar_t* Name;
    };
    const LPARAM screen = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    for (const auto& [message, wParam, lParam, name] :
         {Relayout{kRelayoutMessage, 0, 0, L"WM_APP+1"}, Relayout{WM_DISPLAYCHANGE, 32, screen, L"WM_DISPLAYCHANGE"}}) {
        const RECT aside = MoveBandAside(hostTray, band, vertical);
        Check(SameRect(ScreenRect(band), aside),
              L"band moved by another process to " + Text(ScreenRect(band)) + L", expected " + Text(aside));
        Check(Send(hostTray, message, wParam, lParam).has_value(), std::wstring(L"taskbar answers ") + name);
        Check(SameRect(ScreenRect(band), expectedBand),
              std::wstring(L"band back at its offset after ") + name + L": " + Text(ScreenRect(band)));
    }
    return failures == 0 ? 0 : 1;
}

int CloseHost(const wchar_t* readyFile) {
    const std::optional<DWORD> host = ReadProcessId(readyFile);
    const HWND tray = host ? TrayOf(*host) : nullptr;
    if (tray == nullptr) {
        Check(false, L"the host's taskbar to close");
        return 1;
    }
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, *host);
    PostMessageW(tray, WM_CLOSE, 0, 0);
    Check(process != nullptr && WaitForSingleObject(process, kReplyTimeoutMs * 2) == WAIT_OBJECT_0,
          L"host ends on WM_CLOSE");
    if (process != nullptr) {
        CloseHandle(process);
    }
    Check(GetFileAttributesW(readyFile) == INVALID_FILE_ATTRIBUTES, L"host removed its ready file");
    return failures == 0 ? 0 : 1;
}

std::wstring LinkTarget(const std::wstring& link) {
    TComPtr<IShellLinkW> shellLink;
    TComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shellLink.Out())) ||
        FAILED(shellLink->QueryInterface(IID_IPersistFile, file.Out())) ||
        FAILED(file->Load(link.c_str(), STGM_READ))) {
        return {};
    }
    wchar_t target[MAX_PATH] = {};
    return SUCCEEDED(shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) ? target : L"";
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

uint32_t DwordAt(const std::string& data, size_t offset) {
    uint32_t value = 0;
    std::memcpy(&value, data.data() + offset, sizeof value);
    return value;
}

struct TAssistValue {
    std::wstring Name;  // as stored
    std::wstring Link;
    std::string Data;
};

// The values whose decoded shortcut lies in the folder, decoded as the menu decodes them.
std::vector<TAssistValue> AssistValuesUnder(const std::wstring& folder) {
    std::vector<TAssistValue> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return values;
    }
    const std::wstring prefix = LowerAZ(folder + L"\\");
    for (DWORD i = 0;; ++i) {
        wchar_t name[1024] = {};
        DWORD nameLength = 1024;
        BYTE data[512] = {};
        DWORD dataSize = sizeof data;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, nullptr, data, &dataSize) != ERROR_SUCCESS) {
            break;
        }
        const std::wstring link = DecodeUserAssistName(std::wstring_view(name, nameLength), nullptr);
        if (LowerAZ(link).starts_with(prefix)) {
            values.push_back(
                {std::wstring(name, nameLength), link, std::string(reinterpret_cast<const char*>(data), dataSize)});
        }
    }
    RegCloseKey(key);
    return values;
}

int CheckSample(const wchar_t* folderArgument) {
    const TComApartment apartment;
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(folderArgument, MAX_PATH, full, nullptr);
    const std::wstring folder = ExcludeTrailingDelimiter(full);

    std::set<std::wstring> subFolders;
    std::set<uint32_t> expectedCounts;
    for (const TSampleProgram& program : SamplePrograms()) {
        const std::wstring link = SampleLinkPath(folder, program);
        if (!Exists(link)) {
            std::wprintf(L"note: no %ls (its program may be missing from this Wine)\n", link.c_str());
            continue;
        }
        const std::wstring target = LinkTarget(link);
        Check(Exists(target) && EqualsNoCase(ExtractFileName(target), program.ExeName),
              L"shortcut " + link + L" leads to " + target);
        subFolders.insert(std::wstring(program.SubFolder));
        if (program.RunCount > 0) {
            expectedCounts.insert(program.RunCount);
        }
    }
    for (const wchar_t* sub : {L"Accessories", L"System Tools", L"Games"}) {
        Check(subFolders.contains(sub), std::wstring(L"folder ") + sub + L" holds a shortcut");
    }
    Check(expectedCounts.size() >= 3, L"at least three shortcuts carry launch history");

    FILETIME nowTime{};
    GetSystemTimeAsFileTime(&nowTime);
    const uint64_t now = (static_cast<uint64_t>(nowTime.dwHighDateTime) << 32) | nowTime.dwLowDateTime;
    const uint64_t hour = 3600ull * 10'000'000;

    std::multiset<uint32_t> counts;
    std::vector<std::pair<uint32_t, uint64_t>> countAndTime;
    for (const TAssistValue& value : AssistValuesUnder(folder)) {
        const std::string& data = value.Data;
        if (data.size() != kUserAssistRecordSize) {
            Check(false, L"UserAssist record of " + value.Link + L" is 72 bytes, not " + IntToText(data.size()));
            continue;
        }
        bool scores = true;
        for (size_t offset = 16; offset < 56; offset += 4) {
            scores = scores && DwordAt(data, offset) == 0xBF800000;
        }
        const uint32_t runs = DwordAt(data, 4);
        const uint64_t lastRun = ReadUserAssistFileTime(data).value_or(0);
        Check(Exists(value.Link) && DwordAt(data, 0) == 0 && DwordAt(data, 8) == runs && scores &&
                  DwordAt(data, 56) == 0xFFFFFFFF && DwordAt(data, 68) == 0 && lastRun + hour > now && lastRun <= now,
              L"UserAssist record of " + value.Link + L": " + IntToText(runs) + L" runs, last run " +
                  IntToText(static_cast<int64_t>((now - lastRun) / 10'000'000)) + L" s ago");
        counts.insert(runs);
        countAndTime.emplace_back(runs, lastRun);
    }
    Check(counts == std::multiset<uint32_t>(expectedCounts.begin(), expectedCounts.end()),
          L"one UserAssist value per shortcut with history, with its run count");
    bool ordered = true;
    for (const auto& [runsA, timeA] : countAndTime) {
        for (const auto& [runsB, timeB] : countAndTime) {
            ordered = ordered && (runsA <= runsB || timeA > timeB);
        }
    }
    Check(ordered, L"the more runs, the later the last run");
    return failures == 0 ? 0 : 1;
}

// The launch records a sample check left behind, so the prefix's frequent list does not keep pointing there.
int ForgetSample(const wchar_t* folderArgument) {
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(folderArgument, MAX_PATH, full, nullptr);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        return 0;
    }
    for (const TAssistValue& value : AssistValuesUnder(ExcludeTrailingDelimiter(full))) {
        Check(RegDeleteValueW(key, value.Name.c_str()) == ERROR_SUCCESS, L"forgot UserAssist record of " + value.Link);
    }
    RegCloseKey(key);
    return failures == 0 ? 0 : 1;
}

int Run(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"host" && argc == 5) {
        const std::optional<RECT> tray = ParseRect(argv[3]);
        const std::optional<RECT> band = ParseRect(argv[4]);
        if (tray && band) {
            return CheckHost(argv[2], *tray, *band);
        }
    } else if (mode == L"close" && argc == 3) {
        return CloseHost(argv[2]);
    } else if (mode == L"sample" && argc == 3) {
        return CheckSample(argv[2]);
    } else if (mode == L"forget" && argc == 3) {
        return ForgetSample(argv[2]);
    }
    std::fwprintf(stderr,
                  L"usage: host_check host <readyFile> <x,y,w,h> <x,y,w,h>\n"
                  L"       host_check close <readyFile>\n"
                  L"       host_check sample <startMenuProgramsFolder>\n"
                  L"       host_check forget <startMenuProgramsFolder>\n");
    return 2;
}

}  // namespace
}  // namespace tessaline::demo

int wmain(int argc, wchar_t** argv) {
    return tessaline::demo::Run(argc, argv);
}
