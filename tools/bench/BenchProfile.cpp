#include "BenchProfile.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "catalogue/ShellItems.h"
#include "catalogue/UserAssist.h"

namespace tessaline::bench {

namespace {

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

// What a run that was stopped before its Remove left in the prefix (shortcuts, folders, UserAssist values named
// after them): left there, it would swell the next run's profile.
void RemoveLeftovers(const std::wstring& user, const std::wstring& common) {
    for (const std::wstring& programs : {user, common}) {
        WIN32_FIND_DATAW data{};
        HANDLE find = FindFirstFileW((programs + L"\\Bench *").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            continue;
        }
        do {
            DeleteTree(programs + L"\\" + data.cFileName);
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return;
    }
    std::vector<std::wstring> names;
    wchar_t name[1024];
    for (DWORD i = 0;; ++i) {
        DWORD length = 1024;
        if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        if (Rot13(name).find(L"\\Bench ") != std::wstring::npos) {
            names.push_back(name);
        }
    }
    for (const auto& stale : names) {
        RegDeleteValueW(key, stale.c_str());
    }
    RegCloseKey(key);
}

}  // namespace

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

size_t CountEntries(const std::wstring& folder, bool recurse) {
    size_t count = 0;
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
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
            count += CountEntries(folder + L"\\" + name, true);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

double MedianOf(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Median(const std::function<void()>& work, const std::function<void()>& between) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        times.push_back(Milliseconds(work));
        if (between) {
            between();
        }
    }
    return MedianOf(std::move(times));
}

Profile Build(int size, int values, IShellLinkW* link, IPersistFile* file) {
    Profile profile;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    profile.apps = std::wstring(temp) + L"TessalineBenchApps";
    CreateDirectoryW(profile.apps.c_str(), nullptr);
    const std::wstring user = GetSpecialFolder(CSIDL_PROGRAMS);
    const std::wstring common = GetSpecialFolder(CSIDL_COMMON_PROGRAMS);
    RemoveLeftovers(user, common);
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

std::vector<std::pair<int, int>> ProfileSizes(int argc, wchar_t** argv, std::vector<std::pair<int, int>> defaults) {
    if (argc <= 1) {
        return defaults;
    }
    std::vector<std::pair<int, int>> sizes;
    for (int i = 1; i < argc; ++i) {
        const int size = _wtoi(argv[i]);
        sizes.push_back({size, size <= 100 ? 50 : (size <= 1000 ? 300 : 1000)});
    }
    return sizes;
}

TShortcutWriter::TShortcutWriter() {
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, reinterpret_cast<void**>(&Link));
    if (Link != nullptr) {
        Link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&File));
    }
}

TShortcutWriter::~TShortcutWriter() {
    if (File != nullptr) {
        File->Release();
    }
    if (Link != nullptr) {
        Link->Release();
    }
}

}  // namespace tessaline::bench
