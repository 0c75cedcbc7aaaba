#pragma once
// Special-folder paths by the small numeric codes the rest of the program passes around. The code tables and
// the way a code is answered are pure (AppFrameCodes.cpp); TAppFrame asks the Windows shell (AppFrameWin.cpp,
// windows build only). Any thread; COM is not needed.

#include <functional>
#include <string>

namespace tessaline {

// The shell's CSIDL numbers the tables use; the glue checks them against <shlobj.h>.
namespace csidl {
inline constexpr int kPrograms = 2;
inline constexpr int kPersonal = 5;
inline constexpr int kFavorites = 6;
inline constexpr int kStartup = 7;
inline constexpr int kRecent = 8;
inline constexpr int kSendTo = 9;
inline constexpr int kStartMenu = 11;
inline constexpr int kMyMusic = 13;
inline constexpr int kMyVideo = 14;
inline constexpr int kDesktopDirectory = 16;
inline constexpr int kNetHood = 19;
inline constexpr int kFonts = 20;
inline constexpr int kTemplates = 21;
inline constexpr int kCommonStartMenu = 22;
inline constexpr int kCommonPrograms = 23;
inline constexpr int kCommonStartup = 24;
inline constexpr int kCommonDesktopDirectory = 25;
inline constexpr int kAppData = 26;
inline constexpr int kPrintHood = 27;
inline constexpr int kLocalAppData = 28;
inline constexpr int kCommonFavorites = 31;
inline constexpr int kInternetCache = 32;
inline constexpr int kCookies = 33;
inline constexpr int kHistory = 34;
inline constexpr int kCommonAppData = 35;
inline constexpr int kProgramFiles = 38;
inline constexpr int kMyPictures = 39;
inline constexpr int kProfile = 40;
inline constexpr int kSystemX86 = 41;
inline constexpr int kProgramFilesX86 = 42;
inline constexpr int kProgramFilesCommon = 43;
inline constexpr int kProgramFilesCommonX86 = 44;
inline constexpr int kCommonTemplates = 45;
inline constexpr int kCommonDocuments = 46;
inline constexpr int kCommonAdminTools = 47;
inline constexpr int kAdminTools = 48;
inline constexpr int kCommonMusic = 53;
inline constexpr int kCommonPictures = 54;
inline constexpr int kCommonVideo = 55;
inline constexpr int kResources = 56;
inline constexpr int kCdBurnArea = 59;
}  // namespace csidl

// Where a code's answer comes from.
enum class TFolderSource { Unlisted, WindowsDirectory, SystemDirectory, TempDirectory, Csidl };

struct TFolderEntry {
    TFolderSource Source = TFolderSource::Unlisted;
    int Csidl = -1;  // only for TFolderSource::Csidl
    friend bool operator==(const TFolderEntry&, const TFolderEntry&) = default;
};

// GetFolder's table (codes 0..35, 14 unused) and GetCommonFolder's (0..12, 5 the same as 2).
TFolderEntry FolderEntry(int code);
TFolderEntry CommonFolderEntry(int code);

// The lookups a code can end in; each gives an empty path when it fails.
struct TFolderLookups {
    std::function<std::wstring()> WindowsDirectory;
    std::function<std::wstring()> SystemDirectory;
    std::function<std::wstring()> TempDirectory;
    std::function<std::wstring(int csidl)> CsidlPath;
};

// Sets `path` to the code's folder (empty when the lookup fails); an unlisted code leaves it untouched, since
// callers rely on their prepared default surviving.
void ResolveFolder(const TFolderLookups& lookups, int code, std::wstring& path);
void ResolveCommonFolder(const TFolderLookups& lookups, int code, std::wstring& path);

// Short-lived: create, ask one question, free. The three paths are read at creation.
class TAppFrame {
  public:
    TAppFrame();

    std::wstring AppDataPath;        // CSIDL_APPDATA
    std::wstring CommonAppDataPath;  // CSIDL_COMMON_APPDATA
    std::wstring ExePath;            // the running program's folder, with a trailing backslash

    void GetFolder(int code, std::wstring& path) const;
    void GetCommonFolder(int code, std::wstring& path) const;
    // Empty when the shell has no such folder; never creates it.
    std::wstring GetCsidlPath(int csidl) const;
};

}  // namespace tessaline
