#pragma once
// The Win32 windows of the skinned popup menu: non-activating topmost popups of their own class, painted with
// GDI; the owner window's subclass and the thread keyboard hook. Windows build only; user-interface thread only.

#include <memory>
#include <string>

#include "controls/RdSkinMenuEx.h"

namespace tessaline {

// The platform for a menu that belongs to `owner` (may be null: then nothing closes the menu on owner clicks).
std::unique_ptr<ISkinMenuPlatform> CreateSkinMenuPlatform(TWindowHandle owner);

// A skinned menu for an owner window, named and owned by `owner` (nullptr: the caller frees it).
TRdSkinMenu* CreateRdSkinMenu(TComponent* owner, const std::wstring& name, TWindowHandle ownerWindow);

}  // namespace tessaline
