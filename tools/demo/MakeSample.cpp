// Writes the demo's sample Start Menu: shortcuts to programs that ship with Wine, in a few folders, and
// UserAssist launch records that make five of them frequently used.
//   make_sample.exe <startMenuProgramsFolder>
// Programs missing from this Wine are skipped. Running it again rewrites the same shortcuts and values.

#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ComPtrWin.h"
#include "SampleStartMenu.h"
#include "base/Strings.h"
#include "catalogue/UserAssist.h"

namespace tessaline::demo {
namespace {

constexpr uint64_t kFileTimeTicksPerMinute = 60ull * 10'000'000;
constexpr uint32_t kFocusMsPerRun = 90'000;

std::wstring WindowsFolder() {
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : L"C:\\windows";
}

std::wstring Expand(const wchar_t* text) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ExpandEnvironmentStringsW(text, path, MAX_PATH);
    return length > 0 && length <= MAX_PATH ? std::wstring(path) : std::wstring(text);
}

// Program Files of the machine's own architecture: a 32-bit tool's %ProgramFiles% is the "(x86)" one.
std::wstring ProgramFilesFolder() {
    std::wstring folder = Expand(L"%ProgramW6432%");
    if (folder.front() == L'%') {
        folder = Expand(L"%ProgramFiles%");
    }
    return folder;
}

std::wstring FolderPath(TSampleFolder folder) {
    switch (folder) {
        case TSampleFolder::System32:
            // "system32" in the shortcut whatever our bitness; WOW64 redirects only our own look-ups.
            return WindowsFolder() + L"\\system32";
        case TSampleFolder::Windows:
            return WindowsFolder();
        case TSampleFolder::Accessories:
            return ProgramFilesFolder() + L"\\Windows NT\\Accessories";
        case TSampleFolder::None:
            break;
    }
    return {};
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring FindTarget(const TSampleProgram& program) {
    for (const TSampleFolder folder : program.LookIn) {
        if (folder == TSampleFolder::None) {
            break;
        }
        const std::wstring candidate = FolderPath(folder) + L"\\" + std::wstring(program.ExeName);
        if (IsFile(candidate)) {
            return candidate;
        }
    }
    return {};
}

bool MakeFolder(const std::wstring& folder) {
    const int rc = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    if (rc != ERROR_SUCCESS && rc != ERROR_ALREADY_EXISTS && rc != ERROR_FILE_EXISTS) {
        std::fwprintf(stderr, L"make_sample: cannot create %ls: %d\n", folder.c_str(), rc);
        return false;
    }
    return true;
}

bool SaveShortcut(const std::wstring& link, const std::wstring& target, std::wstring_view description) {
    TComPtr<IShellLinkW> shellLink;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shellLink.Out());
    if (FAILED(hr)) {
        std::fwprintf(stderr, L"make_sample: CoCreateInstance(ShellLink) failed: 0x%08lx\n",
                      static_cast<unsigned long>(hr));
        return false;
    }
    shellLink->SetPath(target.c_str());
    shellLink->SetWorkingDirectory(ExtractFileDir(target).c_str());
    shellLink->SetDescription(std::wstring(description).c_str());
    shellLink->SetIconLocation(target.c_str(), 0);
    TComPtr<IPersistFile> file;
    hr = shellLink->QueryInterface(IID_IPersistFile, file.Out());
    if (SUCCEEDED(hr)) {
        hr = file->Save(link.c_str(), TRUE);
    }
    if (FAILED(hr)) {
        std::fwprintf(stderr, L"make_sample: cannot save %ls: 0x%08lx\n", link.c_str(), static_cast<unsigned long>(hr));
        return false;
    }
    return true;
}

uint64_t NowFileTime() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

struct TLaunchHistory {
    std::wstring Link;
    uint32_t RunCount;
};

// The most used program ran last: the menu orders its frequent list by the time of the last run, and equal
// times would leave the order to the registry.
bool WriteUserAssist(std::vector<TLaunchHistory> history) {
    std::stable_sort(history.begin(), history.end(),
                     [](const TLaunchHistory& a, const TLaunchHistory& b) { return a.RunCount > b.RunCount; });
    HKEY key = nullptr;
    if (LSTATUS rc = RegCreateKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                     &key, nullptr);
        rc != ERROR_SUCCESS) {
        std::fwprintf(stderr, L"make_sample: RegCreateKeyExW(HKCU\\%ls) failed: %ld\n", kUserAssistCountKey, rc);
        return false;
    }
    bool ok = true;
    const uint64_t now = NowFileTime();
    for (size_t rank = 0; rank < history.size(); ++rank) {
        const TLaunchHistory& entry = history[rank];
        const std::string record = UserAssistRecord(entry.RunCount, entry.RunCount, entry.RunCount * kFocusMsPerRun,
                                                    now - rank * kFileTimeTicksPerMinute);
        const std::wstring name = Rot13(entry.Link);
        const LSTATUS rc =
            RegSetValueExW(key, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(record.data()),
                           static_cast<DWORD>(record.size()));
        if (rc != ERROR_SUCCESS) {
            std::fwprintf(stderr, L"make_sample: RegSetValueExW(%ls) failed: %ld\n", name.c_str(), rc);
            ok = false;
            continue;
        }
        std::wprintf(L"UserAssist: %ls run %u times\n", entry.Link.c_str(), entry.RunCount);
    }
    RegCloseKey(key);
    return ok;
}

// The UserAssist names must hold the shortcut's full path, whatever form the folder was given in.
std::wstring FullPath(const wchar_t* path) {
    const DWORD length = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (length == 0) {
        return path;
    }
    std::wstring full(length, L'\0');
    full.resize(GetFullPathNameW(path, length, full.data(), nullptr));
    return ExcludeTrailingDelimiter(full);
}

int Run(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: make_sample <startMenuProgramsFolder>\n");
        return 2;
    }
    const TComApartment apartment;
    if (!apartment.Ok()) {
        std::fwprintf(stderr, L"make_sample: CoInitializeEx failed\n");
        return 1;
    }
    // Expanded here too: started from a Linux shell, "%APPDATA%\..." reaches us as it was typed.
    const std::wstring programs = FullPath(Expand(argv[1]).c_str());
    bool ok = true;
    std::vector<TLaunchHistory> history;
    for (const TSampleProgram& program : SamplePrograms()) {
        const std::wstring target = FindTarget(program);
        if (target.empty()) {
            std::wprintf(L"skipped: %ls (%ls is not in this Wine)\n", std::wstring(program.Name).c_str(),
                         std::wstring(program.ExeName).c_str());
            continue;
        }
        const std::wstring link = SampleLinkPath(programs, program);
        if (!MakeFolder(ExtractFileDir(link)) || !SaveShortcut(link, target, program.Name)) {
            ok = false;
            continue;
        }
        std::wprintf(L"shortcut: %ls -> %ls\n", link.c_str(), target.c_str());
        if (program.RunCount > 0) {
            history.push_back({link, program.RunCount});
        }
    }
    if (!WriteUserAssist(std::move(history))) {
        ok = false;
    }
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace tessaline::demo

int wmain(int argc, wchar_t** argv) {
    return tessaline::demo::Run(argc, argv);
}
