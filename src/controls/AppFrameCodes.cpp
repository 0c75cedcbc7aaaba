#include "controls/AppFrame_New.h"

#include <array>

namespace tessaline {
namespace {

constexpr TFolderEntry Dir(TFolderSource source) {
    return {source, -1};
}
constexpr TFolderEntry Shell(int id) {
    return {TFolderSource::Csidl, id};
}

// Indexed by code. Other parts store and pass these numbers, so an entry never moves.
constexpr std::array<TFolderEntry, 36> kFolders = {
    Dir(TFolderSource::WindowsDirectory),  // 0
    Dir(TFolderSource::SystemDirectory),   // 1
    Dir(TFolderSource::TempDirectory),     // 2
    Shell(csidl::kInternetCache),          // 3
    Shell(csidl::kCookies),                // 4
    Shell(csidl::kHistory),                // 5
    Shell(csidl::kRecent),                 // 6
    Shell(csidl::kDesktopDirectory),       // 7
    Shell(csidl::kPrograms),               // 8
    Shell(csidl::kFavorites),              // 9
    Shell(csidl::kStartup),                // 10
    Shell(csidl::kProfile),                // 11
    Shell(csidl::kAppData),                // 12
    Shell(csidl::kLocalAppData),           // 13
    Dir(TFolderSource::Unlisted),          // 14: never had a folder
    Shell(csidl::kProgramFiles),           // 15
    Shell(csidl::kProgramFilesCommon),     // 16
    Shell(csidl::kStartMenu),              // 17
    Shell(csidl::kCommonAppData),          // 18
    Shell(csidl::kLocalAppData),           // 19
    Shell(csidl::kFonts),                  // 20
    Shell(csidl::kTemplates),              // 21
    Shell(csidl::kNetHood),                // 22
    Shell(csidl::kSendTo),                 // 23
    Shell(csidl::kMyMusic),                // 24
    Shell(csidl::kMyVideo),                // 25
    Shell(csidl::kPrintHood),              // 26
    Shell(csidl::kMyPictures),             // 27
    Shell(csidl::kSystemX86),              // 28
    Shell(csidl::kProgramFilesX86),        // 29
    Shell(csidl::kProgramFilesCommon),     // 30
    Shell(csidl::kProgramFilesCommonX86),  // 31
    Shell(csidl::kAdminTools),             // 32
    Shell(csidl::kResources),              // 33
    Shell(csidl::kCdBurnArea),             // 34
    Shell(csidl::kPersonal),               // 35
};

constexpr std::array<TFolderEntry, 13> kCommonFolders = {
    Shell(csidl::kCommonAppData),           // 0
    Shell(csidl::kCommonDesktopDirectory),  // 1
    Shell(csidl::kCommonPrograms),          // 2
    Shell(csidl::kCommonStartMenu),         // 3
    Shell(csidl::kCommonFavorites),         // 4
    Shell(csidl::kCommonPrograms),          // 5
    Shell(csidl::kCommonStartup),           // 6
    Shell(csidl::kCommonTemplates),         // 7
    Shell(csidl::kCommonDocuments),         // 8
    Shell(csidl::kCommonAdminTools),        // 9
    Shell(csidl::kCommonMusic),             // 10
    Shell(csidl::kCommonPictures),          // 11
    Shell(csidl::kCommonVideo),             // 12
};

template <size_t N>
TFolderEntry EntryOf(const std::array<TFolderEntry, N>& table, int code) {
    return code >= 0 && static_cast<size_t>(code) < N ? table[static_cast<size_t>(code)] : TFolderEntry{};
}

void Resolve(const TFolderLookups& lookups, TFolderEntry entry, std::wstring& path) {
    switch (entry.Source) {
        case TFolderSource::Unlisted:
            return;
        case TFolderSource::WindowsDirectory:
            path = lookups.WindowsDirectory();
            return;
        case TFolderSource::SystemDirectory:
            path = lookups.SystemDirectory();
            return;
        case TFolderSource::TempDirectory:
            path = lookups.TempDirectory();
            return;
        case TFolderSource::Csidl:
            path = lookups.CsidlPath(entry.Csidl);
            return;
    }
}

}  // namespace

TFolderEntry FolderEntry(int code) {
    return EntryOf(kFolders, code);
}

TFolderEntry CommonFolderEntry(int code) {
    return EntryOf(kCommonFolders, code);
}

void ResolveFolder(const TFolderLookups& lookups, int code, std::wstring& path) {
    Resolve(lookups, FolderEntry(code), path);
}

void ResolveCommonFolder(const TFolderLookups& lookups, int code, std::wstring& path) {
    Resolve(lookups, CommonFolderEntry(code), path);
}

}  // namespace tessaline
