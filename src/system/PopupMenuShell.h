#pragma once
// The shell's own context menu for a file, a drive or "Computer", shown at a point of the owner's client area.
// User-interface thread only; runs a modal menu loop inside TrackPopupMenu.

#include <windows.h>

#include <shlobj.h>

#include <string>

namespace tessaline {

// True when a command was chosen and invoked successfully.
bool ShowShellContextMenuForPath(HWND owner, const std::wstring& path, POINT clientPoint);
bool ShowShellContextMenu(HWND owner, IShellFolder* folder, PCUITEMID_CHILD item, POINT clientPoint, UINT flags);

// The folder and child item a path names: parsed below its folder, or (for drive roots such as "C:\") in the
// Computer folder. On success the caller releases *folder and frees *item with CoTaskMemFree.
bool ParseShellItemForPath(const std::wstring& path, IShellFolder** folder, PITEMID_CHILD* item);

// Shell menus use identifiers 1..0x7FFF; identifier n is the verb of index n - 1.
inline constexpr UINT kFirstShellCommand = 1;
inline constexpr UINT kLastShellCommand = 0x7FFF;

// The verb index InvokeCommand receives for the menu's answer; -1 when nothing was chosen (0).
inline constexpr int ShellVerbIndex(UINT chosen) {
    return chosen >= kFirstShellCommand && chosen <= kLastShellCommand ? static_cast<int>(chosen - kFirstShellCommand)
                                                                       : -1;
}

}  // namespace tessaline
