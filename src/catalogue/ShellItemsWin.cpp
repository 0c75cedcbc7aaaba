#include "catalogue/ShellItems.h"

#include <shlwapi.h>

#include <cstring>

#include "base/HandlesWin.h"
#include "base/Trace.h"
#include "catalogue/FileAnswerCache.h"
#include "catalogue/Pidl.h"

namespace tessaline {

std::wstring GetSpecialFolder(int csidl) {
    wchar_t path[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE)) {
        return {};
    }
    return path;
}

namespace {

TFileStamp StampOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return {};
    }
    return {FileTimeValue(data.ftLastWriteTime), (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

// Each costs milliseconds under Wine and the menu asks them again on every showing.
TFileAnswerCache<std::wstring>& LinkTargets() {
    static TFileAnswerCache<std::wstring> cache;
    return cache;
}

TFileAnswerCache<std::wstring>& DisplayNames() {
    static TFileAnswerCache<std::wstring> cache;
    return cache;
}

// The system image list keeps an icon once added, so an index stays good for the process's life; finding it
// again costs an icon extraction under Wine (several milliseconds), for every row of every showing.
TFileAnswerCache<int>& IconIndexes() {
    static TFileAnswerCache<int> cache;
    return cache;
}

}  // namespace

TLinkResolver::TLinkResolver() {
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link_));
    if (FAILED(hr)) {
        // Without the shell-link object nothing resolves; the caller skips the entry.
        Trace(L"ResolveLinkTarget: CoCreateInstance failed: ", static_cast<int64_t>(hr));
        link_ = nullptr;
        return;
    }
    if (FAILED(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_)))) {
        file_ = nullptr;
    }
}

TLinkResolver::~TLinkResolver() {
    if (file_ != nullptr) {
        file_->Release();
    }
    if (link_ != nullptr) {
        link_->Release();
    }
}

std::wstring TLinkResolver::Resolve(const std::wstring& linkPath) {
    if (link_ == nullptr || file_ == nullptr) {
        return {};
    }
    return LinkTargets().Get(linkPath, StampOf(linkPath), [&] { return ResolveNow(linkPath); });
}

std::wstring TLinkResolver::ResolveNow(const std::wstring& linkPath) {
    // Load replaces everything the object held from the shortcut before.
    if (FAILED(file_->Load(linkPath.c_str(), STGM_READ))) {
        return {};
    }
    if (FAILED(link_->Resolve(GetActiveWindow(), SLR_NO_UI | SLR_NOUPDATE))) {
        return {};
    }
    wchar_t target[MAX_PATH] = {};
    if (FAILED(link_->GetPath(target, MAX_PATH, nullptr, SLGP_UNCPRIORITY))) {
        return {};
    }
    return target;
}

std::wstring ResolveLinkTarget(const std::wstring& linkPath) {
    TLinkResolver resolver;
    return resolver.Resolve(linkPath);
}

namespace {

std::wstring AskShellDisplayName(const std::wstring& path) {
    SHFILEINFOW info{};
    // Only the display name: asking for the type name and icon index as well made every call extract the icon
    // (about 5 ms each under Wine), on the path that opens the menu; icons are fetched on demand elsewhere.
    if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME)) {
        return {};
    }
    return info.szDisplayName;
}

}  // namespace

std::wstring GetShellDisplayName(const std::wstring& path) {
    return DisplayNames().Get(path, StampOf(path), [&] { return AskShellDisplayName(path); });
}

int KeptIconIndex(const std::wstring& path, bool small, const std::function<int()>& ask) {
    return IconIndexes().Get((small ? L"small|" : L"large|") + path, StampOf(path), ask);
}

TDateTime FileTimeToDateTime(const FILETIME& utc) {
    FILETIME local{};
    WORD dosDate = 0;
    WORD dosTime = 0;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &dosDate, &dosTime)) {
        return {};
    }
    return DosDateTimeToDateTime(dosDate, dosTime).value_or(TDateTime{});
}

TDateTime GetFileTimeStamp(const std::wstring& path, int which) {
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return {};
    }
    FindClose(find);
    const FILETIME& chosen =
        which == 0 ? data.ftCreationTime : (which == 1 ? data.ftLastWriteTime : data.ftLastAccessTime);
    return FileTimeToDateTime(chosen);
}

UINT PidlSize(PCUIDLIST_RELATIVE list) {
    return PidlByteSize(reinterpret_cast<const uint8_t*>(list));
}

PIDLIST_ABSOLUTE ConcatPidl(PCIDLIST_ABSOLUTE parent, PCUIDLIST_RELATIVE child) {
    const UINT parentSize = parent != nullptr ? PidlSize(parent) - 2 : 0;
    const UINT childSize = PidlSize(child);
    const UINT total = parentSize + (childSize != 0 ? childSize : 2);
    TComPtr<IMalloc> malloc;
    if (FAILED(SHGetMalloc(malloc.Put()))) {
        return nullptr;
    }
    auto* bytes = static_cast<uint8_t*>(malloc->Alloc(total));
    if (bytes == nullptr) {
        return nullptr;
    }
    std::memset(bytes, 0, total);
    if (parentSize != 0) {
        std::memcpy(bytes, parent, parentSize);
    }
    if (childSize != 0) {
        std::memcpy(bytes + parentSize, child, childSize);
    }
    return reinterpret_cast<PIDLIST_ABSOLUTE>(bytes);
}

SharedPidl MakeSharedPidl(PIDLIST_ABSOLUTE list) {
    return SharedPidl(list, PidlDeleter());
}

std::wstring GetItemDisplayName(IShellFolder* folder, PCUITEMID_CHILD item, bool forParsing) {
    STRRET name{};
    if (folder == nullptr ||
        FAILED(folder->GetDisplayNameOf(item, forParsing ? SHGDN_FORPARSING : SHGDN_NORMAL, &name))) {
        return {};
    }
    wchar_t* copied = nullptr;
    // StrRetToStrW handles all three forms (wide, offset into the item, ANSI) and frees a wide one.
    if (FAILED(StrRetToStrW(&name, item, &copied)) || copied == nullptr) {
        return {};
    }
    const TUniqueCoTaskMem<wchar_t> text(copied);
    return text.get();
}

TItemFindData GetItemFindData(IShellFolder* folder, PCUITEMID_CHILD item) {
    WIN32_FIND_DATAW data{};
    if (folder == nullptr || FAILED(SHGetDataFromIDListW(folder, item, SHGDFIL_FINDDATA, &data, sizeof data))) {
        return {};
    }
    return {data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0};
}

bool IsFolderItem(IShellFolder* folder, PCUITEMID_CHILD item) {
    SFGAOF attributes = SFGAO_FOLDER;
    return folder != nullptr && SUCCEEDED(folder->GetAttributesOf(1, &item, &attributes)) &&
           (attributes & SFGAO_FOLDER) != 0;
}

PCIDLIST_ABSOLUTE TShellItem::GetAbsolutePidl() {
    // Without its own identifier list the item has none: joined with nothing it would name the desktop.
    if (!AbsolutePidl && RelativePidl) {
        AbsolutePidl.reset(ConcatPidl(ParentPidl.get(), RelativePidl.get()));
    }
    return AbsolutePidl.get();
}

std::wstring SystemNameKey(std::wstring_view name) {
    if (name.empty()) {
        return {};
    }
    const int length = static_cast<int>(name.size());
    std::wstring key(name.size(), L'\0');
    const int written = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, name.data(), length, key.data(), length);
    if (written != length) {
        return std::wstring(name);  // upper case never changes the length; a failure compares the name as it is
    }
    return key;
}

}  // namespace tessaline
