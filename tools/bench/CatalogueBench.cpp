// Times the catalogue's refreshes against a bare FindFirstFileW walk of the same folders, for profiles of
// several sizes built in the running prefix (real shortcuts, real UserAssist values). Run under Wine:
//   scripts/wine-run.sh "$PWD/build/wineprefix" build/windows64/tools/bench/catalogue_benchmark.exe [sizes...]
// Prints, per size, the median of the runs in milliseconds and the ratio to the walk.
#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "catalogue/ShellItems.h"
#include "catalogue/StartMenuManage.h"
#include "catalogue/UserAssist.h"
#include "catalogue/UserPinnedProgram.h"
#include "catalogue/uStartProgramLst.h"

namespace {

using namespace tessaline;

constexpr int kRuns = 5;

bool SaveShortcut(IShellLinkW* link, IPersistFile* file, const std::wstring& path, const std::wstring& target) {
    return SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(file->Save(path.c_str(), TRUE));
}

void DeleteTree(const std::wstring& path) {
    const std::wstring from = path + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

double Milliseconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        times.push_back(Milliseconds(work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

size_t Walk(const std::wstring& folder, bool recurse) {
    size_t count = 0;
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return 0;
    }
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        ++count;
        if (recurse && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            count += Walk(folder + L"\\" + name, true);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

struct Profile {
    std::wstring apps;
    std::vector<std::wstring> folders;  // made in the Start Menu folders, removed afterwards
    std::vector<std::wstring> loose;
    std::vector<std::wstring> valueNames;
};

// size shortcuts: one in twenty loose in the user's Programs folder (pins), the rest in folders of ten, split
// between the user's and the all-users' Programs folders; `values` UserAssist values name some of them.
Profile Build(int size, int values, IShellLinkW* link, IPersistFile* file) {
    Profile profile;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    profile.apps = std::wstring(temp) + L"TessalineBenchApps";
    CreateDirectoryW(profile.apps.c_str(), nullptr);
    const std::wstring user = GetSpecialFolder(CSIDL_PROGRAMS);
    const std::wstring common = GetSpecialFolder(CSIDL_COMMON_PROGRAMS);
    std::vector<std::wstring> links;
    std::wstring currentFolder;
    for (int i = 0; i < size; ++i) {
        const std::wstring target = profile.apps + L"\\app" + std::to_wstring(i) + L".exe";
        HANDLE h = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
        std::wstring path;
        if (i % 20 == 0) {
            path = user + L"\\Bench Pin " + std::to_wstring(i) + L".lnk";
            profile.loose.push_back(path);
        } else {
            if (i % 10 == 1) {
                currentFolder = ((i / 10) % 2 == 0 ? user : common) + L"\\Bench Folder " + std::to_wstring(i / 10);
                CreateDirectoryW(currentFolder.c_str(), nullptr);
                profile.folders.push_back(currentFolder);
            }
            path = currentFolder + L"\\Bench App " + std::to_wstring(i) + L".lnk";
        }
        SaveShortcut(link, file, path, target);
        links.push_back(path);
    }
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    for (int i = 0; i < values && i < size; ++i) {
        const std::wstring name = Rot13(links[static_cast<size_t>(i) * links.size() / static_cast<size_t>(values)]);
        std::string data(72, '\0');
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        memcpy(&data[60], &now, 8);
        RegSetValueExW(key, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(data.data()), 72);
        profile.valueNames.push_back(name);
    }
    RegCloseKey(key);
    return profile;
}

void Remove(const Profile& profile) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        for (const auto& name : profile.valueNames) {
            RegDeleteValueW(key, name.c_str());
        }
        RegCloseKey(key);
    }
    for (const auto& path : profile.loose) {
        DeleteFileW(path.c_str());
    }
    for (const auto& folder : profile.folders) {
        DeleteTree(folder);
    }
    DeleteTree(profile.apps);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::vector<std::pair<int, int>> sizes = {{100, 50}, {1000, 300}, {10000, 1000}};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i) {
            const int size = _wtoi(argv[i]);
            sizes.push_back({size, size <= 100 ? 50 : (size <= 1000 ? 300 : 1000)});
        }
    }
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, reinterpret_cast<void**>(&link));
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));

    std::printf("%-8s %-7s %12s %12s %12s %12s %14s\n", "links", "values", "walk ms", "frequent ms", "pinned ms",
                "top level ms", "open folder ms");
    for (const auto& [size, values] : sizes) {
        const Profile profile = Build(size, values, link, file);
        TStartMenuManage tree;
        TUseProgramManage frequent;
        TUserPinedManage pinned;
        const double walk = Median([&] {
            Walk(tree.UserProgramsPath, true);
            Walk(tree.CommonProgramsPath, true);
            Walk(tree.UserStartMenuPath, false);
            Walk(tree.CommonStartMenuPath, false);
        });
        const double frequentMs = Median([&] { frequent.Refresh(); });
        // Where the frequent list's time goes: one shortcut resolved, one display name.
        const std::wstring sample = profile.loose.front();
        const double resolveMs = Median([&] { ResolveLinkTarget(sample); });
        const double nameMs = Median([&] { GetShellDisplayName(sample); });
        std::printf("one ResolveLinkTarget %.2f ms, one GetShellDisplayName %.2f ms\n", resolveMs, nameMs);
        const double pinnedMs = Median([&] { pinned.Refresh(); });
        std::vector<std::unique_ptr<TShellItem>> top;
        const double topMs = Median([&] {
            top.clear();
            tree.LoadAllPrograms(
                nullptr, [&](std::unique_ptr<TShellItem> item) { top.push_back(std::move(item)); }, nullptr);
        });
        // Opening one folder of ten, as a click does.
        TShellItemList any;
        const double openMs = Median([&] {
            any.clear();
            TSeenNames seen;
            tree.EnumPath(profile.folders.front(), nullptr, nullptr, &any, &seen);
        });
        std::printf("%-8d %-7d %12.2f %12.2f %12.2f %12.2f %14.2f\n", size, values, walk, frequentMs, pinnedMs, topMs,
                    openMs);
        std::printf("%-8s %-7s %12s %11.1fx %11.1fx %11.1fx   (frequent %d, pinned %d, top level %zu)\n", "", "",
                    "ratio", frequentMs / walk, pinnedMs / walk, topMs / walk, frequent.Count(), pinned.Count(),
                    top.size());
        std::fflush(stdout);
        Remove(profile);
    }
    file->Release();
    link->Release();
    CoUninitialize();
    return 0;
}
