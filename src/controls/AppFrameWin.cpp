#include <windows.h>

#include <shlobj.h>

#include <string>

#include "base/Trace.h"
#include "catalogue/ShellItems.h"
#include "controls/AppFrame_New.h"

namespace tessaline {

static_assert(csidl::kPrograms == CSIDL_PROGRAMS && csidl::kPersonal == CSIDL_PERSONAL &&
              csidl::kFavorites == CSIDL_FAVORITES && csidl::kStartup == CSIDL_STARTUP &&
              csidl::kRecent == CSIDL_RECENT && csidl::kSendTo == CSIDL_SENDTO &&
              csidl::kStartMenu == CSIDL_STARTMENU && csidl::kMyMusic == CSIDL_MYMUSIC &&
              csidl::kMyVideo == CSIDL_MYVIDEO && csidl::kDesktopDirectory == CSIDL_DESKTOPDIRECTORY &&
              csidl::kNetHood == CSIDL_NETHOOD && csidl::kFonts == CSIDL_FONTS &&
              csidl::kTemplates == CSIDL_TEMPLATES && csidl::kCommonStartMenu == CSIDL_COMMON_STARTMENU &&
              csidl::kCommonPrograms == CSIDL_COMMON_PROGRAMS && csidl::kCommonStartup == CSIDL_COMMON_STARTUP &&
              csidl::kCommonDesktopDirectory == CSIDL_COMMON_DESKTOPDIRECTORY && csidl::kAppData == CSIDL_APPDATA &&
              csidl::kPrintHood == CSIDL_PRINTHOOD && csidl::kLocalAppData == CSIDL_LOCAL_APPDATA &&
              csidl::kCommonFavorites == CSIDL_COMMON_FAVORITES && csidl::kInternetCache == CSIDL_INTERNET_CACHE &&
              csidl::kCookies == CSIDL_COOKIES && csidl::kHistory == CSIDL_HISTORY &&
              csidl::kCommonAppData == CSIDL_COMMON_APPDATA && csidl::kProgramFiles == CSIDL_PROGRAM_FILES &&
              csidl::kMyPictures == CSIDL_MYPICTURES && csidl::kProfile == CSIDL_PROFILE &&
              csidl::kSystemX86 == CSIDL_SYSTEMX86 && csidl::kProgramFilesX86 == CSIDL_PROGRAM_FILESX86 &&
              csidl::kProgramFilesCommon == CSIDL_PROGRAM_FILES_COMMON &&
              csidl::kProgramFilesCommonX86 == CSIDL_PROGRAM_FILES_COMMONX86 &&
              csidl::kCommonTemplates == CSIDL_COMMON_TEMPLATES && csidl::kCommonDocuments == CSIDL_COMMON_DOCUMENTS &&
              csidl::kCommonAdminTools == CSIDL_COMMON_ADMINTOOLS && csidl::kAdminTools == CSIDL_ADMINTOOLS &&
              csidl::kCommonMusic == CSIDL_COMMON_MUSIC && csidl::kCommonPictures == CSIDL_COMMON_PICTURES &&
              csidl::kCommonVideo == CSIDL_COMMON_VIDEO && csidl::kResources == CSIDL_RESOURCES &&
              csidl::kCdBurnArea == CSIDL_CDBURN_AREA);

namespace {

constexpr UINT kDirectoryBuffer = 256;

// The three directory calls return the length without the terminator, or the size they need (with it) when
// the buffer is too small; a path longer than the usual buffer is read again at its size, not cut or garbled.
template <typename Call>
std::wstring ReadDirectory(const wchar_t* what, Call call) {
    std::wstring buffer(kDirectoryBuffer, L'\0');
    UINT length = call(buffer.data(), kDirectoryBuffer);
    if (length >= kDirectoryBuffer) {
        buffer.assign(length, L'\0');
        length = call(buffer.data(), length);
        if (length >= buffer.size()) {
            length = 0;  // it grew again between the calls
        }
    }
    if (length == 0) {
        Trace(L"AppFrame: ", what, L" failed: ", static_cast<uint32_t>(GetLastError()));
        return {};
    }
    buffer.resize(length);
    return buffer;
}

std::wstring WindowsDirectory() {
    return ReadDirectory(L"GetWindowsDirectoryW",
                         [](wchar_t* buffer, UINT size) { return GetWindowsDirectoryW(buffer, size); });
}

std::wstring SystemDirectory() {
    return ReadDirectory(L"GetSystemDirectoryW",
                         [](wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); });
}

std::wstring TempDirectory() {
    return ReadDirectory(L"GetTempPathW",
                         [](wchar_t* buffer, UINT size) { return static_cast<UINT>(GetTempPathW(size, buffer)); });
}

std::wstring ExeFolder() {
    // GetModuleFileNameW truncates silently (bar the error code): grow until the whole name fits.
    std::wstring path(MAX_PATH + 1, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            Trace(L"AppFrame: GetModuleFileNameW failed: ", static_cast<uint32_t>(GetLastError()));
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) {
            Trace(L"AppFrame: GetModuleFileNameW: program path too long");
            return {};
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

TFolderLookups ShellLookups(const TAppFrame& frame) {
    return {WindowsDirectory, SystemDirectory, TempDirectory, [&frame](int id) { return frame.GetCsidlPath(id); }};
}

}  // namespace

TAppFrame::TAppFrame()
    : AppDataPath(GetCsidlPath(CSIDL_APPDATA)),
      CommonAppDataPath(GetCsidlPath(CSIDL_COMMON_APPDATA)),
      ExePath(ExeFolder()) {}

void TAppFrame::GetFolder(int code, std::wstring& path) const {
    ResolveFolder(ShellLookups(*this), code, path);
}

void TAppFrame::GetCommonFolder(int code, std::wstring& path) const {
    ResolveCommonFolder(ShellLookups(*this), code, path);
}

std::wstring TAppFrame::GetCsidlPath(int csidl) const {
    std::wstring path = GetSpecialFolder(csidl);
    if (path.empty()) {
        // Normal for folders a system does not have (the CD burning area, 32-bit folders on 32-bit Windows).
        Trace(L"AppFrame: SHGetSpecialFolderPathW failed: ", csidl);
    }
    return path;
}

}  // namespace tessaline
