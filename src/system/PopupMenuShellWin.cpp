#include <windows.h>

#include <shlobj.h>

#include "base/HandlesWin.h"
#include "base/Strings.h"
#include "base/Trace.h"
#include "system/PopupMenuShell.h"

namespace tessaline {
namespace {

constexpr wchar_t kCallbackClass[] = L"ICMCALLBACKWND";

// Owner-drawn items of the shell menu (Send To, Open With) are drawn by the handler itself.
LRESULT CALLBACK CallbackWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* handler = reinterpret_cast<IContextMenu2*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_CREATE:
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            if (handler != nullptr) {
                handler->HandleMenuMsg(message, wParam, lParam);
            }
            return 1;
        case WM_INITMENUPOPUP:
            if (handler != nullptr) {
                handler->HandleMenuMsg(message, wParam, lParam);
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateCallbackWindow(IContextMenu2* handler) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = CallbackWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kCallbackClass;
    RegisterClassW(&windowClass);  // a second registration fails harmlessly
    return CreateWindowExW(0, kCallbackClass, kCallbackClass, WS_POPUP | WS_BORDER | WS_SYSMENU, 0, 0, 0, 0, nullptr,
                           nullptr, GetModuleHandleW(nullptr), handler);
}

// Frees an identifier list through the shell allocator, as the parse calls allocated it.
void FreeWithShellAllocator(void* list) {
    if (list == nullptr) {
        return;
    }
    TComPtr<IMalloc> malloc;
    if (SUCCEEDED(SHGetMalloc(malloc.Put()))) {
        if (malloc->DidAlloc(list) == 1) {
            malloc->Free(list);
        }
    }
}

bool ParseIn(IShellFolder* folder, const std::wstring& name, PIDLIST_RELATIVE* item) {
    std::wstring text = name;  // ParseDisplayName wants a writable buffer
    ULONG eaten = 0;
    return SUCCEEDED(folder->ParseDisplayName(nullptr, nullptr, text.data(), &eaten, item, nullptr)) &&
           *item != nullptr;
}

}  // namespace

bool ParseShellItemForPath(const std::wstring& path, IShellFolder** folder, PITEMID_CHILD* item) {
    *folder = nullptr;
    *item = nullptr;
    TComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Put()))) {
        return false;
    }
    const std::wstring folderPart = ExtractFileDir(path).empty() ? std::wstring() : ExtractFileDir(path);
    const std::wstring folderWithSlash =
        folderPart.empty() || folderPart.back() == L'\\' ? folderPart : folderPart + L"\\";
    const std::wstring fileName = ExtractFileName(path);

    PIDLIST_RELATIVE folderPidl = nullptr;
    if (!folderWithSlash.empty() && !fileName.empty() && ParseIn(desktop.Get(), folderWithSlash, &folderPidl)) {
        IShellFolder* parent = nullptr;
        if (SUCCEEDED(
                desktop->BindToObject(folderPidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&parent)))) {
            PIDLIST_RELATIVE child = nullptr;
            if (ParseIn(parent, fileName, &child)) {
                *folder = parent;
                *item = reinterpret_cast<PITEMID_CHILD>(child);
            } else {
                parent->Release();
            }
        }
    }
    FreeWithShellAllocator(folderPidl);

    if (*item == nullptr) {
        // Drive roots ("C:\") have no file name part: find them in the Computer folder.
        PIDLIST_ABSOLUTE drives = nullptr;
        if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives))) {
            IShellFolder* computer = nullptr;
            if (SUCCEEDED(
                    desktop->BindToObject(drives, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&computer)))) {
                const std::wstring rooted = !path.empty() && path.back() == L'\\' ? path : path + L"\\";
                PIDLIST_RELATIVE child = nullptr;
                if (ParseIn(computer, rooted, &child)) {
                    *folder = computer;
                    *item = reinterpret_cast<PITEMID_CHILD>(child);
                } else {
                    computer->Release();
                }
            }
            FreeWithShellAllocator(drives);
        }
    }
    return *item != nullptr;
}

bool ShowShellContextMenuForPath(HWND owner, const std::wstring& path, POINT clientPoint) {
    TComPtr<IShellFolder> folder;
    PITEMID_CHILD found = nullptr;
    if (!ParseShellItemForPath(path, folder.Put(), &found)) {
        Trace(L"ShowShellContextMenuForPath: not found: ", path);
        return false;
    }
    const TUniqueCoTaskMem<std::remove_pointer_t<PITEMID_CHILD>> item(found);
    return ShowShellContextMenu(owner, folder.Get(), item.get(), clientPoint, CMF_RESERVED);
}

bool ShowShellContextMenu(HWND owner, IShellFolder* folder, PCUITEMID_CHILD item, POINT clientPoint, UINT flags) {
    TComPtr<IContextMenu> handler;
    if (folder == nullptr ||
        FAILED(folder->GetUIObjectOf(owner, 1, &item, IID_IContextMenu, nullptr,
                                     reinterpret_cast<void**>(handler.Put()))) ||
        !handler) {
        return false;
    }
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr || FAILED(handler->QueryContextMenu(menu, 0, kFirstShellCommand, kLastShellCommand, flags))) {
        if (menu != nullptr) {
            DestroyMenu(menu);
        }
        return false;
    }
    TComPtr<IContextMenu2> handler2;
    HWND callback = nullptr;
    if (SUCCEEDED(handler->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(handler2.Put())))) {
        callback = CreateCallbackWindow(handler2.Get());
    }
    POINT screen = clientPoint;
    if (owner != nullptr) {
        ClientToScreen(owner, &screen);
    }
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, callback, nullptr));
    bool invoked = false;
    if (const int verb = ShellVerbIndex(chosen); verb >= 0) {
        CMINVOKECOMMANDINFO command{};
        command.cbSize = sizeof command;
        command.hwnd = owner;
        command.lpVerb = MAKEINTRESOURCEA(verb);
        command.nShow = SW_SHOWNORMAL;
        invoked = SUCCEEDED(handler->InvokeCommand(&command));
    }
    // The window keeps the handler's pointer: it goes before the handler does.
    if (callback != nullptr) {
        DestroyWindow(callback);
    }
    DestroyMenu(menu);
    return invoked;
}

}  // namespace tessaline
