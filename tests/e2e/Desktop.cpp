#include "Desktop.h"

#include <shlobj.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <map>
#include <sstream>

#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/WideText.h"
#include "controls/PictureLoader.h"
#include "settings/UserDataDir.h"
#include "system/HelperProtocol.h"

namespace tessaline::test {

namespace {

namespace fs = std::filesystem;

#ifdef _WIN64
constexpr wchar_t kHookDll[] = L"TarnwickHook64.dll";
constexpr wchar_t kHotCornerHelper[] = L"Velmora64.exe";
#else
constexpr wchar_t kHookDll[] = L"TarnwickHook32.dll";
constexpr wchar_t kHotCornerHelper[] = L"Velmora32.exe";
#endif

std::vector<std::wstring> ReadLines(const std::wstring& path) {
    std::vector<std::wstring> lines;
    std::string bytes;
    if (ReadFileBytes(path, bytes) != FileReadResult::Ok) {
        return lines;
    }
    std::wstringstream text(Utf8ToWide(bytes));
    for (std::wstring line; std::getline(text, line);) {
        if (!line.empty() && line.back() == L'\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

}  // namespace

void CopyInto(const std::wstring& from, const std::wstring& to) {
    std::error_code error;
    fs::copy(fs::path(from), fs::path(to), fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
}

std::wstring EnvironmentBlock(const std::vector<std::pair<std::wstring, std::wstring>>& overrides) {
    std::wstring block;
    if (wchar_t* strings = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
            const std::wstring text(entry);
            const std::wstring name = text.substr(0, text.find(L'=', 1));
            bool replaced = false;
            for (const auto& [key, value] : overrides) {
                replaced = replaced || CompareStringOrdinal(name.c_str(), -1, key.c_str(), -1, TRUE) == CSTR_EQUAL;
            }
            if (!replaced) {
                block += text;
                block += L'\0';
            }
        }
        FreeEnvironmentStringsW(strings);
    }
    for (const auto& [key, value] : overrides) {
        block += key + L"=" + value;
        block += L'\0';
    }
    block += L'\0';
    return block;
}

namespace {

// A folder of this machine as a Windows path (the build tree is a Unix path; Wine's drive Z: is the Unix root).
std::wstring WindowsPathOf(const char* folder) {
    std::wstring root = Utf8ToWide(folder);
    if (!root.empty() && root.front() == L'/') {
        root = L"Z:" + root;
    }
    for (auto& c : root) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return root;
}

}  // namespace

std::wstring BuildPath(const std::wstring& relative) {
    return WindowsPathOf(TESSALINE_BINARY_DIR) + L"\\" + relative;
}

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

HWND OpenWorkWindow() {
    HWND work = CreateWindowExW(0, L"EDIT", L"the user's work", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, 400, 300,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (work == nullptr) {
        return nullptr;
    }
    SetForegroundWindow(work);
    if (!WaitUntil([&] { return GetForegroundWindow() == work; }, 3000)) {
        DestroyWindow(work);
        return nullptr;
    }
    return work;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) {
            return done();
        }
        PumpFor(50);
    }
    return true;
}

TDesktop::TDesktop(TDesktopOptions options) : options_(std::move(options)) {
    const std::wstring bin = BuildPath(L"bin");
    if (options_.ProgramFolder.empty()) {
        // The test build: the program with the seams that record power actions and shell starts.
        CopyFileW(BuildPath(L"testbuild\\Tessaline.exe").c_str(), stage_.File(L"Tessaline.exe").c_str(), FALSE);
        for (const wchar_t* folder : {L"Language", L"StartButtonSkin", L"Resources"}) {
            CopyInto(bin + L"\\" + folder, stage_.File(folder));
        }
        if (options_.RealHelpers) {
            for (const wchar_t* file : {kTaskbarHelperExe, kHookDll, kHotCornerHelper}) {
                CopyFileW((bin + L"\\" + file).c_str(), stage_.File(file).c_str(), FALSE);
            }
#ifdef TESSALINE_BUILD64_DIR
            const std::wstring helper64 = WindowsPathOf(TESSALINE_BUILD64_DIR) + L"\\bin\\Velmora64.exe";
            CopyFileW(helper64.c_str(), stage_.File(L"Velmora64.exe").c_str(), FALSE);
#endif
        } else {
            const std::wstring standIns = BuildPath(L"standins");
            for (const wchar_t* file : {L"Tarnwick.exe", L"Velmora32.exe", L"Velmora64.exe"}) {
                CopyFileW((standIns + L"\\" + file).c_str(), stage_.File(file).c_str(), FALSE);
            }
        }
    }
    helperLog_ = profile_.File(L"helpers.log");
    bandLog_ = profile_.File(L"band.log");
    CreateDirectoryTree(UserDataDirFromProfile(profile_.Path()));
    // The power menu's actions are only ever recorded here: no test may log off, lock or shut down.
    sessionLog_ = profile_.File(L"session.log");
    launchLog_ = profile_.File(L"launch.log");
    environment_ = EnvironmentBlock(
        {{L"USERPROFILE", profile_.Path()},
         {L"TESSALINE_SESSION_LOG", sessionLog_},
         {L"TESSALINE_LAUNCH_LOG", launchLog_},
         {L"TESSALINE_HELPER_LOG", helperLog_},
         {L"TESSALINE_STANDIN_SILENT", options_.SilentTaskbarSide ? L"1" : L"0"},
         {L"TESSALINE_NO_BAND_MS", options_.NoBandMs != 0 ? std::to_wstring(options_.NoBandMs) : std::wstring()}});
}

TDesktop::~TDesktop() {
    EndAll();
}

void TDesktop::EndAll() {
    if (tessaline_.hProcess != nullptr) {
        if (HWND startMenu = StartMenu(); startMenu != nullptr && ProcessOf(startMenu) == tessaline_.dwProcessId) {
            PostMessageW(startMenu, WMQuitStartMenu, 0, 0);
        }
        End(tessaline_, 5000);
    }
    if (host_.hProcess != nullptr) {
        if (taskbar_ != nullptr) {
            PostMessageW(taskbar_, WM_CLOSE, 0, 0);
        }
        End(host_, 3000);
    }
    taskbar_ = nullptr;
    if (savedWorkArea_.right > savedWorkArea_.left) {
        PublishWorkArea(savedWorkArea_);
        savedWorkArea_ = {};
    }
    PumpFor(100);
}

bool TDesktop::HotCornerHelperStaged() const {
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    return FileExists(ProgramFile(wow64 ? L"Velmora64.exe" : kHotCornerHelper));
}

std::wstring TDesktop::ProgramFile(const wchar_t* name) const {
    return options_.ProgramFolder.empty() ? stage_.File(name) : options_.ProgramFolder + L"\\" + name;
}

std::wstring TDesktop::MainIni() const {
    return UserDataDirFromProfile(profile_.Path()) + kMainIniName;
}

bool TDesktop::Launch(const std::wstring& exe, const std::wstring& arguments, PROCESS_INFORMATION& process) {
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring environment = environment_;
    return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                          environment.data(), stage_.Path().c_str(), &startup, &process) != FALSE;
}

void TDesktop::End(PROCESS_INFORMATION& process, DWORD timeoutMs) {
    if (process.hProcess == nullptr) {
        return;
    }
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        WaitUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    process = {};
}

namespace {

// Runs a program to its end; its standard output goes to `output` when given.
DWORD RunAndWait(std::wstring commandLine, std::string* output = nullptr) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (output != nullptr && !CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return static_cast<DWORD>(-1);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = writeEnd;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    if (writeEnd != nullptr) {
        CloseHandle(writeEnd);
    }
    if (!started) {
        if (readEnd != nullptr) {
            CloseHandle(readEnd);
        }
        return static_cast<DWORD>(-1);
    }
    if (output != nullptr) {
        char buffer[256];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) {
            output->append(buffer, read);
        }
        CloseHandle(readEnd);
    }
    WaitForSingleObject(process.hProcess, 10000);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

}  // namespace

RECT SessionWorkArea() {
    std::string output;
    RunAndWait(L"\"" + BuildPath(L"tools\\demo\\work_area.exe") + L"\"", &output);
    RECT area{};
    std::sscanf(output.c_str(), "%ld %ld %ld %ld", &area.left, &area.top, &area.right, &area.bottom);
    return area;
}

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0
               ? static_cast<LRESULT>(result)
               : 0;
}

void SendKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void TypeText(const std::wstring& text, bool thenEnter) {
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
    if (thenEnter) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_RETURN;
        inputs.push_back(input);
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Click(bool right) {
    INPUT click[2] = {};
    click[0].type = INPUT_MOUSE;
    click[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    click[1] = click[0];
    click[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
}

void ClickAt(POINT at, bool right) {
    SetCursorPos(at.x, at.y);
    PumpFor(150);
    Click(right);
}

void MoveMouseTo(POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>(screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

int RunningProcesses(const wchar_t* exeName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return -1;
    }
    int count = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        count += CompareStringOrdinal(entry.szExeFile, -1, exeName, -1, TRUE) == CSTR_EQUAL ? 1 : 0;
    }
    CloseHandle(snapshot);
    return count;
}

namespace {

std::set<DWORD> ProcessIds() {
    std::set<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return ids;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        ids.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

}  // namespace

TStartedProcesses::TStartedProcesses(DWORD launcher) : launcher_(launcher), before_(ProcessIds()) {}

void TStartedProcesses::EndThem() {
    // What the menu's launches start under Wine; the desktop's own explorer was there before.
    static const wchar_t* const kStarted[] = {
        L"cmd.exe",      L"ping.exe",    L"notepad.exe",  L"winefile.exe", L"conhost.exe", L"wineconsole.exe",
        L"explorer.exe", L"control.exe", L"rundll32.exe", L"winhlp32.exe", L"clock.exe",   L"winver.exe",
    };
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return;
    }
    std::map<DWORD, DWORD> parents;  // of the new processes
    std::set<DWORD> ended;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (before_.count(entry.th32ProcessID) != 0) {
            continue;
        }
        parents[entry.th32ProcessID] = entry.th32ParentProcessID;
        for (const wchar_t* name : kStarted) {
            if (EqualsNoCase(entry.szExeFile, name)) {
                ended.insert(entry.th32ProcessID);
            }
        }
    }
    CloseHandle(snapshot);
    // The launcher's children, and theirs.
    const auto startedByLauncher = [&](DWORD id) {
        for (int depth = 0; depth < 16 && launcher_ != 0; ++depth) {
            const auto parent = parents.find(id);
            if (parent == parents.end()) {
                return false;
            }
            if (parent->second == launcher_) {
                return true;
            }
            id = parent->second;
        }
        return false;
    };
    for (const auto& [id, parent] : parents) {
        if (startedByLauncher(id)) {
            ended.insert(id);
        }
    }
    std::vector<HANDLE> ending;
    for (DWORD id : ended) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(process, 0);
            ending.push_back(process);
        }
    }
    // Gone before the next step: their windows would otherwise still take the foreground or the pointer.
    for (HANDLE process : ending) {
        WaitForSingleObject(process, 3000);
        CloseHandle(process);
    }
}

POINT ButtonPoint(const TDesktop& desktop) {
    RECT button{};
    GetWindowRect(desktop.Button(), &button);
    return {(button.left + button.right) / 2, (button.top + button.bottom) / 2 + 6};
}

HWND OpenSettingsDialog(HWND button, POINT buttonPoint, DWORD process) {
    ClickAt(buttonPoint, true);
    const DWORD thread = GetWindowThreadProcessId(button, nullptr);
    if (!WaitUntil([&] { return OpenStandardMenu(thread) != nullptr; }, 5000)) {
        return nullptr;
    }
    for (int i = 0; i < 3; ++i) {  // Run at Startup, Skip Metro Screen, (a line,) Customize User Interface
        SendKey(VK_DOWN);
    }
    SendKey(VK_RETURN);
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : VisibleWindowsOf(process, L"TessalineForm")) {
                dialog = window;
            }
            return dialog != nullptr;
        },
        5000);
    return dialog;
}

std::vector<std::wstring> TreeTexts(HWND tree) {
    std::vector<std::wstring> texts;
    DWORD processId = 0;
    GetWindowThreadProcessId(tree, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) {
        return texts;
    }
    constexpr int kChars = 260;
    auto* remote = static_cast<BYTE*>(
        VirtualAllocEx(process, nullptr, sizeof(TVITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
    auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(TVITEMW));
    for (auto item = reinterpret_cast<HTREEITEM>(SendBounded(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); item != nullptr;
         item = reinterpret_cast<HTREEITEM>(
             SendBounded(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        TVITEMW request{};
        request.mask = TVIF_TEXT;
        request.hItem = item;
        request.pszText = remoteText;
        request.cchTextMax = kChars;
        wchar_t text[kChars] = {};
        if (WriteProcessMemory(process, remote, &request, sizeof request, nullptr) &&
            SendBounded(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remoteText, text, sizeof text - sizeof(wchar_t), nullptr)) {
            texts.emplace_back(text);
        }
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return texts;
}

HWND OpenStandardMenu(DWORD thread) {
    for (HWND menu = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); menu != nullptr;
         menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) {
        if (IsWindowVisible(menu) && GetWindowThreadProcessId(menu, nullptr) == thread) {
            return menu;
        }
    }
    return nullptr;
}

std::vector<HWND> VisibleWindowsOf(DWORD processId, const wchar_t* windowClass) {
    std::vector<HWND> found;
    for (HWND window = FindWindowExW(nullptr, nullptr, windowClass, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, windowClass, nullptr)) {
        if (IsWindowVisible(window) && ProcessOf(window) == processId) {
            found.push_back(window);
        }
    }
    return found;
}

std::wstring ShownUserPicture(DWORD processId) {
    for (HWND window : VisibleWindowsOf(processId, L"TLogoHintWindow")) {
        wchar_t text[MAX_PATH] = {};
        GetWindowTextW(window, text, MAX_PATH);
        return text;
    }
    return {};
}

std::wstring ProgramsFolder() {
    wchar_t path[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, path, CSIDL_PROGRAMS, TRUE);
    return path;
}

std::wstring SystemProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetSystemDirectoryW(path, MAX_PATH);
    return std::wstring(path) + L"\\" + name;
}

bool PublishWorkArea(const RECT& area) {
    wchar_t numbers[96];
    swprintf(numbers, 96, L"%ld, %ld, %ld, %ld", area.left, area.top, area.right - area.left, area.bottom - area.top);
    RunAndWait(L"Z:\\usr\\bin\\xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA \"" + std::wstring(numbers) + L"\"");
    // A process takes in the new value the first time it reads the display settings again: a fresh one each try
    // (the Unix program may still be at work when its Windows handle says it ended).
    swprintf(numbers, 96, L" %ld %ld %ld %ld", area.left, area.top, area.right, area.bottom);
    const std::wstring check = L"\"" + BuildPath(L"tools\\demo\\work_area.exe") + L"\"" + numbers;
    return WaitUntil([&] { return RunAndWait(check) == 0; }, 8000);
}

bool TDesktop::StartHost() {
    if (options_.WorkArea.right > options_.WorkArea.left && savedWorkArea_.right == savedWorkArea_.left) {
        // This long-lived process may hold an old value: a fresh one tells the session's.
        savedWorkArea_ = SessionWorkArea();
        if (!PublishWorkArea(options_.WorkArea)) {
            return false;
        }
    }
    return LaunchHost() && WaitHostUp();
}

bool TDesktop::LaunchHost() {
    const std::wstring ready = profile_.File(L"host.ready");
    const std::wstring arguments = L"--edge " + options_.Edge + L" --length " + std::to_wstring(options_.Length) +
                                   L" --offset " + std::to_wstring(options_.Offset) + L" --ready-file \"" + ready +
                                   L"\" --message-log \"" + bandLog_ + L"\" " + options_.HostArguments;
    // A host started again in the same test would otherwise find the first one's file and be taken for up.
    DeleteFileW(ready.c_str());
    return Launch(BuildPath(L"tools\\demo\\taskbar_host.exe"), arguments, host_);
}

bool TDesktop::WaitHostUp() {
    const std::wstring ready = profile_.File(L"host.ready");
    const bool up =
        WaitUntil([&] { return FileExists(ready) || WaitForSingleObject(host_.hProcess, 0) == WAIT_OBJECT_0; }, 10000);
    if (!up || !FileExists(ready)) {
        fprintf(stderr, "taskbar host: %s\n", up ? "ended before it was ready" : "not ready in time");
        return false;
    }
    // The program finds the taskbar with FindWindowW: the host's must be the one it gets. An earlier scenario's
    // host may still be on its way out.
    const bool ours = WaitUntil(
        [&] {
            taskbar_ = FindWindowW(kTaskbarClass, nullptr);
            return taskbar_ != nullptr && ProcessOf(taskbar_) == host_.dwProcessId;
        },
        5000);
    if (!ours) {
        fprintf(stderr, "taskbar host: the first taskbar window belongs to process %lu, not the host's %lu\n",
                static_cast<unsigned long>(taskbar_ != nullptr ? ProcessOf(taskbar_) : 0),
                static_cast<unsigned long>(host_.dwProcessId));
    }
    return ours;
}

namespace {

constexpr wchar_t kShellFoldersKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr wchar_t kUserShellFoldersKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::wstring ReadFolderValue(const wchar_t* key) {
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, key, L"Programs", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                        nullptr, value, &size) == ERROR_SUCCESS
               ? std::wstring(value)
               : std::wstring();
}

void WriteFolderValue(const wchar_t* key, DWORD type, const std::wstring& value) {
    if (value.empty()) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"Programs");
        return;
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Programs", type, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

TScopedProgramsFolder::TScopedProgramsFolder()
    : path_(folder_.File(L"Programs")),
      savedUser_(ReadFolderValue(kUserShellFoldersKey)),
      savedShell_(ReadFolderValue(kShellFoldersKey)) {
    CreateDirectoryTree(path_);
    WriteFolderValue(kUserShellFoldersKey, REG_EXPAND_SZ, path_);
    WriteFolderValue(kShellFoldersKey, REG_SZ, path_);
}

TScopedProgramsFolder::~TScopedProgramsFolder() {
    WriteFolderValue(kUserShellFoldersKey, REG_EXPAND_SZ, savedUser_);
    WriteFolderValue(kShellFoldersKey, REG_SZ, savedShell_);
}

bool TDesktop::RestartHost(bool crash, bool startAgain) {
    if (host_.hProcess != nullptr) {
        if (crash) {
            TerminateProcess(host_.hProcess, 1);
        } else if (taskbar_ != nullptr) {
            PostMessageW(taskbar_, WM_CLOSE, 0, 0);
        }
        End(host_, 3000);
    }
    taskbar_ = nullptr;
    return !startAgain || StartHost();
}

void TDesktop::EndTessaline() {
    if (tessaline_.hProcess == nullptr) {
        return;
    }
    if (HWND startMenu = StartMenu(); startMenu != nullptr && ProcessOf(startMenu) == tessaline_.dwProcessId) {
        PostMessageW(startMenu, WMQuitStartMenu, 0, 0);
    }
    End(tessaline_, 5000);
}

void TDesktop::KillTessaline() {
    if (tessaline_.hProcess != nullptr) {
        TerminateProcess(tessaline_.hProcess, 1);
        WaitForSingleObject(tessaline_.hProcess, 5000);
    }
}

HWND TDesktop::OwnStartButton() const {
    return taskbar_ != nullptr ? FindWindowExW(taskbar_, nullptr, kOwnStartButtonClass, nullptr) : nullptr;
}

double TDesktop::TessalineCpuMs() const {
    // The sum over its threads: Wine tells another process's thread times (from the host system), not its
    // process times.
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (tessaline_.hProcess == nullptr || snapshot == INVALID_HANDLE_VALUE) {
        return -1.0;
    }
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    uint64_t total = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != tessaline_.dwProcessId) {
            continue;
        }
        if (HANDLE thread = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ThreadID)) {
            FILETIME created{};
            FILETIME ended{};
            FILETIME kernel{};
            FILETIME user{};
            if (GetThreadTimes(thread, &created, &ended, &kernel, &user)) {
                total += ticks(kernel) + ticks(user);
            }
            CloseHandle(thread);
        }
    }
    CloseHandle(snapshot);
    return static_cast<double>(total) / 10000.0;  // 100 ns units
}

namespace {

// Wine's per-program settings of its X11 driver for the staged program, read once when the program starts.
constexpr wchar_t kTessalineX11Settings[] = L"Software\\Wine\\AppDefaults\\Tessaline.exe\\X11 Driver";

}  // namespace

bool TDesktop::StartTessaline(bool waitDocked, DWORD timeoutMs) {
    HKEY x11 = nullptr;
    if (options_.UnmanagedWindows && RunningUnderWine()) {
        RegCreateKeyExW(HKEY_CURRENT_USER, kTessalineX11Settings, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &x11, nullptr);
        RegSetValueExW(x11, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"N"), 2 * sizeof(wchar_t));
    }
    const bool launched = Launch(ProgramFile(L"Tessaline.exe"), L"", tessaline_);
    const bool up =
        launched &&
        (!waitDocked || WaitUntil([&] { return Button() != nullptr && IsWindowVisible(Button()); }, timeoutMs));
    if (x11 != nullptr) {
        // Its windows exist by now: the driver has read the setting, and no other program may find it.
        if (!waitDocked) {
            WaitUntil([&] { return StartMenu() != nullptr; }, timeoutMs);
        }
        RegDeleteValueW(x11, L"Managed");
        RegCloseKey(x11);
    }
    return up;
}

DWORD TDesktop::RunSecondTessaline(DWORD timeoutMs) {
    PROCESS_INFORMATION second{};
    if (!Launch(ProgramFile(L"Tessaline.exe"), L"", second)) {
        return 0xFFFFFFFF;
    }
    WaitUntil([&] { return WaitForSingleObject(second.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(second.hProcess, &code);
    End(second, 0);
    return code;
}

DWORD TDesktop::WaitTessalineExit(DWORD timeoutMs) {
    if (tessaline_.hProcess == nullptr) {
        return 0xFFFFFFFF;
    }
    WaitUntil([&] { return WaitForSingleObject(tessaline_.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(tessaline_.hProcess, &code);
    return code;
}

HWND TDesktop::Band() const {
    return taskbar_ != nullptr ? FindWindowExW(taskbar_, nullptr, kTaskbarBandClass, nullptr) : nullptr;
}

HWND TDesktop::Button() const {
    return taskbar_ != nullptr ? FindWindowExW(taskbar_, nullptr, kStartButtonFormClass, nullptr) : nullptr;
}

HWND TDesktop::StartMenu() const {
    return FindWindowW(kStartMenuFormClass, kStartMenuFormCaption);
}

TRect TDesktop::InTaskbar(HWND window) const {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, taskbar_, reinterpret_cast<POINT*>(&rect), 2);
    return TRect{rect.left, rect.top, rect.right, rect.bottom};
}

std::vector<std::wstring> TDesktop::HelperLog() const {
    return ReadLines(helperLog_);
}

int TDesktop::HelperLogCount(const std::wstring& line) const {
    int count = 0;
    for (const std::wstring& entry : HelperLog()) {
        count += CompareStringOrdinal(entry.c_str(), -1, line.c_str(), -1, TRUE) == CSTR_EQUAL ? 1 : 0;
    }
    return count;
}

std::vector<std::wstring> TDesktop::SessionLog() const {
    return ReadLines(sessionLog_);
}

std::vector<std::wstring> TDesktop::LaunchLog() const {
    return ReadLines(launchLog_);
}

std::vector<TBandMessage> TDesktop::BandMessages() const {
    std::vector<TBandMessage> messages;
    for (const std::wstring& line : ReadLines(bandLog_)) {
        std::wistringstream fields(line);
        unsigned long long message = 0;
        unsigned long long wParam = 0;
        long long lParam = 0;
        if (fields >> message >> wParam >> lParam) {
            messages.push_back({static_cast<UINT>(message), static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)});
        }
    }
    return messages;
}

uint32_t PrintedButtonCenter(const std::wstring& png) {
    const std::wstring tool = BuildPath(L"tools\\demo\\print_window.exe");
    std::wstring commandLine = L"\"" + tool + L"\" TfrmStartMenu \"" + png + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    DeleteFileW(png.c_str());
    if (!CreateProcessW(tool.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return 0xFFFFFFFF;
    }
    WaitUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, 15000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    const TPicture printed = LoadPictureFile(png);
    return printed.Width == 54 && printed.Height == 54 ? CenterOverBlack(printed) : 0xFFFFFFFF;
}

uint32_t CenterOverBlack(const TPicture& picture) {
    if (picture.Empty()) {
        return 0xFFFFFFFF;
    }
    return picture.Pixel(picture.Width / 2, picture.Height / 2) & 0xFFFFFF;
}

bool NearColour(uint32_t a, uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > 3 || d < -3) {
            return false;
        }
    }
    return true;
}

std::string Narrow(const std::vector<std::wstring>& texts) {
    std::string out;
    for (const std::wstring& text : texts) {
        out += WideToUtf8(text) + " | ";
    }
    return out;
}

}  // namespace tessaline::test
