#include "catalogue/StartMenuManage.h"

#include <array>
#include <span>

#include "base/FileSystem.h"
#include "base/HandlesWin.h"
#include "base/Trace.h"
#include "system/ShellServices.h"

namespace tessaline {

std::unique_ptr<TStartMenuManage> v_StartMenuManage;

namespace {

// The item of an ordered entry, taking its identifier list out of the listing.
std::unique_ptr<TShellItem> TakeItem(std::span<TShellListing> listings, const TEntryRef& ref) {
    TShellListing& listing = listings[ref.Source];
    TFolderEntry& entry = listing.Entries[ref.Index];
    auto item = std::make_unique<TShellItem>();
    item->Name = std::move(entry.Name);
    item->RelativePidl = std::move(listing.Pidls[ref.Index]);
    item->ParentPidl = listing.Parent;
    item->FileName = std::move(entry.FileName);
    item->Kind = static_cast<uint8_t>(ref.Kind);
    return item;
}

template <size_t N>
std::vector<TEntryRef> Ordered(std::array<TShellListing, N>& listings, bool topLevel) {
    std::array<TFolderListing, N> views;
    for (size_t i = 0; i < N; ++i) {
        views[i] = listings[i].View();
    }
    return topLevel ? OrderTopLevel(views, SystemNameKey) : OrderFolderChildren(views, SystemNameKey);
}

}  // namespace

TStartMenuManage::TStartMenuManage()
    : UserProgramsPath(GetSpecialFolder(CSIDL_PROGRAMS)),
      UserStartMenuPath(GetSpecialFolder(CSIDL_STARTMENU)),
      CommonProgramsPath(GetSpecialFolder(CSIDL_COMMON_PROGRAMS)),
      CommonStartMenuPath(GetSpecialFolder(CSIDL_COMMON_STARTMENU)) {
    if (FAILED(SHGetDesktopFolder(&desktopFolder_))) {
        desktopFolder_ = nullptr;
        Trace(L"TStartMenuManage: no desktop folder");
    }
}

TStartMenuManage::~TStartMenuManage() {
    if (desktopFolder_ != nullptr) {
        desktopFolder_->Release();
    }
}

bool TStartMenuManage::ListFolder(IShellFolder* folder, TShellListing& listing) {
    TComPtr<IEnumIDList> items;
    if (folder == nullptr ||
        folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items.Put()) !=
            S_OK ||
        !items) {
        Trace(L"EnumFolder: EnumObjects failed");
        return false;
    }
    PITEMID_CHILD child = nullptr;
    while (items->Next(1, &child, nullptr) == S_OK) {
        UniquePidl relative(reinterpret_cast<ITEMIDLIST*>(child));
        TFolderEntry entry;
        entry.IsFolder = IsFolderItem(folder, child);
        if (!listing.IncludeFolders && entry.IsFolder) {
            continue;  // the merge would pass it over: spare the shell the questions below
        }
        entry.Name = GetItemDisplayName(folder, child, false);
        TItemFindData data = GetItemFindData(folder, child);
        entry.FileName = std::move(data.fileName);
        entry.Hidden = data.hidden;
        listing.Entries.push_back(std::move(entry));
        listing.Pidls.push_back(std::move(relative));
    }
    return true;
}

bool TStartMenuManage::ListPidl(const SharedPidl& absolutePidl, TShellListing& listing) {
    TComPtr<IShellFolder> folder;
    if (desktopFolder_ == nullptr || !absolutePidl ||
        FAILED(desktopFolder_->BindToObject(absolutePidl.get(), nullptr, IID_IShellFolder,
                                            reinterpret_cast<void**>(folder.Put())))) {
        Trace(L"EnumPidl: BindToObject failed");
        return false;
    }
    listing.Parent = absolutePidl;
    return ListFolder(folder.Get(), listing);
}

namespace {

// A listing's copy: the entries, and identifier lists of their own for the items made from it.
bool CopyListing(const TShellListing& from, TShellListing& to) {
    to.Parent = from.Parent;
    to.Entries = from.Entries;
    to.Pidls.clear();
    to.Pidls.reserve(from.Pidls.size());
    for (const UniquePidl& pidl : from.Pidls) {
        to.Pidls.emplace_back(ILClone(pidl.get()));
        if (!to.Pidls.back()) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool TStartMenuManage::ListPathKept(const std::wstring& path, TShellListing& listing) {
    TKeptListing& kept = keptListings_[{path, listing.IncludeFolders}];
    if (kept.Valid && !kept.Watch.Changed() && DirectoryExists(path)) {
        TShellListing copy;
        copy.IncludeFolders = listing.IncludeFolders;
        if (CopyListing(kept.Listing, copy)) {
            listing = std::move(copy);
            return true;
        }
    }
    kept.Valid = false;
    // Armed before the folder is read: what changes while it is read is read at the next showing. With its
    // sub-folders: a folder's shown name can come from a file inside it (desktop.ini).
    const bool watched = kept.Watch.Arm(path, true);
    const bool listed = ListPath(path, listing);
    if (watched && listed) {
        kept.Listing = TShellListing{};
        kept.Listing.IncludeFolders = listing.IncludeFolders;
        kept.Valid = CopyListing(listing, kept.Listing);
    }
    return listed;
}

bool TStartMenuManage::ListPath(const std::wstring& path, TShellListing& listing) {
    if (path.empty() || !DirectoryExists(path)) {
        return true;  // a folder that is not there contributes nothing
    }
    // Parsing a path walks it a component at a time (milliseconds under Wine) and the menu enumerates the same
    // four folders on every showing; the list of a path names the same folder for as long as it exists.
    SharedPidl& parsed = parsedPaths_[path];
    if (!parsed) {
        std::wstring text = path;  // ParseDisplayName wants a writable buffer
        PIDLIST_RELATIVE pidl = nullptr;
        if (desktopFolder_ == nullptr ||
            FAILED(desktopFolder_->ParseDisplayName(nullptr, nullptr, text.data(), nullptr, &pidl, nullptr)) ||
            pidl == nullptr) {
            Trace(L"EnumPath: ParseDisplayName failed: ", path);
            return false;
        }
        // The folder's list lives as long as the items that refer to it.
        parsed = MakeSharedPidl(reinterpret_cast<PIDLIST_ABSOLUTE>(pidl));
    }
    return ListPidl(parsed, listing);
}

void TStartMenuManage::LoadAllPrograms(const std::function<void()>& onBegin,
                                       const std::function<void(std::unique_ptr<TShellItem>)>& onItem,
                                       const std::function<void()>& onEnd) {
    // A folder the shell cannot read costs its own entries only, not the whole menu. The Start Menu folders give
    // their loose entries only (their Programs folder is listed already).
    std::array<TShellListing, 4> listings;
    listings[2].IncludeFolders = false;
    listings[3].IncludeFolders = false;
    ListPathKept(UserProgramsPath, listings[0]);
    ListPathKept(CommonProgramsPath, listings[1]);
    ListPathKept(UserStartMenuPath, listings[2]);
    ListPathKept(CommonStartMenuPath, listings[3]);
    const std::vector<TEntryRef> order = Ordered(listings, true);
    if (onBegin) {
        onBegin();
    }
    if (onItem) {
        for (const TEntryRef& ref : order) {
            onItem(TakeItem(listings, ref));
        }
    }
    if (onEnd) {
        onEnd();
    }
}

void TStartMenuManage::OpenFolderNode(IProgramTreeNode& node) {
    OpenFolderNode(node, 0);
}

void TStartMenuManage::OpenFolderNode(IProgramTreeNode& node, int depth) {
    if (node.Expanded()) {
        node.SetExpanded(false);
        return;
    }
    TShellItem* item = node.Item();
    if (item == nullptr || item->Kind != TShellItem::kFolder) {
        return;
    }
    node.BeginUpdate();
    node.DeleteChildren();
    std::array<TShellListing, 2> listings;
    if (PCIDLIST_ABSOLUTE absolute = item->GetAbsolutePidl()) {
        ListPidl(MakeSharedPidl(ILCloneFull(absolute)), listings[0]);
    }
    // The all-users' copy of the same folder, by the chain of file names from the top level down.
    std::vector<std::wstring> chain;
    for (IProgramTreeNode* n = &node; n != nullptr; n = n->Parent()) {
        chain.insert(chain.begin(), n->Item() != nullptr ? n->Item()->FileName : std::wstring());
    }
    const std::wstring common = CommonCounterpartPath(CommonProgramsPath, chain);
    if (!common.empty()) {
        ListPath(common, listings[1]);
    }
    const std::vector<TEntryRef> kinds = Ordered(listings, false);
    for (const TEntryRef& ref : kinds) {
        std::unique_ptr<TShellItem> child = TakeItem(listings, ref);
        const std::wstring text = NodeText(*child);
        node.AddChild(std::move(child), text);
    }
    if (kinds.empty()) {
        auto placeholder = std::make_unique<TShellItem>();
        placeholder->Name = kEmptyFolderItemName;
        placeholder->Kind = TShellItem::kPlaceholder;
        node.AddChild(std::move(placeholder), kEmptyFolderItemName);
    }
    node.SetExpanded(true);
    if (OpensSingleChild(kinds, depth) && node.ChildCount() == 1) {
        OpenFolderNode(*node.Child(0), depth + 1);
    }
    node.EndUpdate();
}

std::wstring NodeText(const TShellItem& item) {
    return CutExtension(item.Name);
}

std::wstring GetItemPath(TShellItem& item) {
    PCIDLIST_ABSOLUTE pidl = item.GetAbsolutePidl();
    wchar_t path[MAX_PATH] = {};
    if (pidl == nullptr || !SHGetPathFromIDListW(pidl, path)) {
        return {};
    }
    return path;
}

int GetItemIconIndex(TShellItem& item) {
    if (item.Kind == TShellItem::kPlaceholder) {
        item.ImageIndex = -1;
        return -1;
    }
    const std::wstring path = GetItemPath(item);
    // No icon found is no icon (-1): 0 is a real one of the system list, another file's.
    int index = -1;
    if (IconFromPath(path, FileExists(path))) {
        index = KeptIconIndex(path, true, [&] { return GetSysIconIndex(path, true, false); });
    } else if (PCIDLIST_ABSOLUTE pidl = item.GetAbsolutePidl()) {
        SHFILEINFOW info{};
        if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof info,
                           SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON) != 0) {
            index = info.iIcon;
        }
    }
    item.ImageIndex = index;
    return item.ImageIndex;
}

}  // namespace tessaline
