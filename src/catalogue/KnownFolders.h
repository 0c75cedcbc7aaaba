#pragma once
// Known-folder arithmetic over the system's folder descriptions (registry values given by a reader), so that
// the path logic runs and is tested natively. The Win32 reader and the folder look-ups are in
// KnownFoldersWin.cpp.

#include <functional>
#include <string>
#include <string_view>

namespace tessaline {

// True when the text starts with "{" and is a whole GUID in registry form: {8-4-4-4-12} hex digits.
bool IsGuidText(std::wstring_view text);

struct TFolderDescription {
    bool found = false;      // the description key exists
    bool hasParent = false;  // it has a "ParentFolder" value
    std::wstring parentFolder;
    std::wstring relativePath;
    std::wstring name;
};
using FolderDescriptionReader = std::function<TFolderDescription(const std::wstring& guidText)>;

// The folder's path below its root known folder, starting with the root's canonical name
// ("AppData\Microsoft\Windows\Start Menu\Programs"); empty when a description is missing or the parents
// form a cycle.
std::wstring GetKnownFolderRelativePath(const std::wstring& guidText, const FolderDescriptionReader& read);

// The three roots a Start Menu can lie under, as the shell gives them.
struct TAppDataRoots {
    std::wstring appData;        // "appdata"
    std::wstring localAppData;   // "local appdata"
    std::wstring commonAppData;  // "common appdata"
};

// Root + the rest of the relative path, ending in a backslash; empty unless the root is one of the three
// and the result lies inside some "\Start Menu\".
std::wstring StartMenuFolderFromRelativePath(const std::wstring& relativePath, const TAppDataRoots& roots);

// The Win32 side: the descriptions under HKLM\...\Explorer\FolderDescriptions and the special folders.
std::wstring GetStartMenuKnownFolder(const std::wstring& guidText);

}  // namespace tessaline
