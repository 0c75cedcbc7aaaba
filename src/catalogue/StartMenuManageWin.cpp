#include "catalogue/StartMenuManage.h"

#include <algorithm>

#include "base/FileSystem.h"
#include "base/Trace.h"

namespace tessaline {

std::unique_ptr<TStartMenuManage> v_StartMenuManage;

namespace {

bool ItemNameLess(const std::unique_ptr<TShellItem>& a, const std::unique_ptr<TShellItem>& b) {
    return NameLess(a->Name, b->Name);
}

void SortByName(TShellItemList& list) {
    std::stable_sort(list.begin(), list.end(), ItemNameLess);
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
    if (currentFolder_ != nullptr) {
        currentFolder_->Release();
    }
    if (desktopFolder_ != nullptr) {
        desktopFolder_->Release();
    }
}

bool TStartMenuManage::EnumFolder(IShellFolder* folder,
                                  const SharedPidl& parentPidl,
                                  TShellItemList* folderList,
                                  TShellItemList* itemList,
                                  TShellItemList* anyList,
                                  TSeenNames* seenNames) {
    IEnumIDList* items = nullptr;
    if (folder == nullptr ||
        folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &items) != S_OK ||
        items == nullptr) {
        Trace(L"EnumFolder: EnumObjects failed");
        return false;
    }
    folder->AddRef();
    if (currentFolder_ != nullptr) {
        currentFolder_->Release();
    }
    currentFolder_ = folder;

    const TEnumLists lists{folderList != nullptr, itemList != nullptr, anyList != nullptr};
    PITEMID_CHILD child = nullptr;
    while (items->Next(1, &child, nullptr) == S_OK) {
        UniquePidl relative(reinterpret_cast<ITEMIDLIST*>(child));
        TFolderEntry entry;
        entry.IsFolder = IsFolderItem(folder, child);
        if (!IncludeFolders && entry.IsFolder) {
            continue;
        }
        entry.Name = GetItemDisplayName(folder, child, false);
        const TItemFindData data = GetItemFindData(folder, child);
        entry.FileName = data.fileName;
        entry.Hidden = data.hidden;
        TShellItemList* target = nullptr;
        switch (PlaceEntry(entry, IncludeFolders, lists, seenNames)) {
            case TEnumList::Folders:
                target = folderList;
                break;
            case TEnumList::Items:
                target = itemList;
                break;
            case TEnumList::Any:
                target = anyList;
                break;
            case TEnumList::None:
                break;
        }
        if (target == nullptr) {
            continue;
        }
        auto item = std::make_unique<TShellItem>();
        item->Name = std::move(entry.Name);
        item->RelativePidl = std::move(relative);
        item->ParentPidl = parentPidl;
        item->FileName = std::move(entry.FileName);
        item->Kind = entry.IsFolder ? TShellItem::kFolder : TShellItem::kProgram;
        target->push_back(std::move(item));
    }
    items->Release();
    return true;
}

bool TStartMenuManage::EnumPidl(const SharedPidl& absolutePidl,
                                TShellItemList* folderList,
                                TShellItemList* itemList,
                                TShellItemList* anyList,
                                TSeenNames* seenNames) {
    IShellFolder* folder = nullptr;
    if (desktopFolder_ == nullptr || !absolutePidl ||
        FAILED(desktopFolder_->BindToObject(absolutePidl.get(), nullptr, IID_IShellFolder,
                                            reinterpret_cast<void**>(&folder)))) {
        Trace(L"EnumPidl: BindToObject failed");
        return false;
    }
    const bool ok = EnumFolder(folder, absolutePidl, folderList, itemList, anyList, seenNames);
    folder->Release();
    return ok;
}

bool TStartMenuManage::EnumPath(const std::wstring& path,
                                TShellItemList* folderList,
                                TShellItemList* itemList,
                                TShellItemList* anyList,
                                TSeenNames* seenNames) {
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
    return EnumPidl(parsed, folderList, itemList, anyList, seenNames);
}

void TStartMenuManage::LoadAllPrograms(const std::function<void()>& onBegin,
                                       const std::function<void(std::unique_ptr<TShellItem>)>& onItem,
                                       const std::function<void()>& onEnd) {
    TShellItemList folders;
    TShellItemList items;
    TSeenNames seen;
    // A folder the shell cannot read costs its own entries only, not the whole menu.
    IncludeFolders = true;
    EnumPath(UserProgramsPath, &folders, &items, nullptr, &seen);
    EnumPath(CommonProgramsPath, &folders, &items, nullptr, &seen);
    IncludeFolders = false;
    EnumPath(UserStartMenuPath, &folders, &items, nullptr, &seen);
    EnumPath(CommonStartMenuPath, &folders, &items, nullptr, &seen);
    IncludeFolders = true;
    SortByName(items);
    SortByName(folders);
    if (onBegin) {
        onBegin();
    }
    if (onItem) {
        for (auto& item : items) {
            onItem(std::move(item));
        }
        for (auto& folder : folders) {
            onItem(std::move(folder));
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
    TShellItemList children;
    TSeenNames seen;
    IncludeFolders = true;
    if (PCIDLIST_ABSOLUTE absolute = item->GetAbsolutePidl()) {
        EnumPidl(MakeSharedPidl(ILCloneFull(absolute)), nullptr, nullptr, &children, &seen);
    }
    // The all-users' copy of the same folder, by the chain of file names from the top level down.
    std::vector<std::wstring> chain;
    for (IProgramTreeNode* n = &node; n != nullptr; n = n->Parent()) {
        chain.insert(chain.begin(), n->Item() != nullptr ? n->Item()->FileName : std::wstring());
    }
    const std::wstring common = CommonCounterpartPath(CommonProgramsPath, chain);
    if (!common.empty()) {
        EnumPath(common, nullptr, nullptr, &children, &seen);
    }
    SortByName(children);
    std::vector<TEntryRef> kinds;
    for (auto& child : children) {
        kinds.push_back({0, kinds.size(), static_cast<TItemKind>(child->Kind)});
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
    SHFILEINFOW info{};
    if (IconFromPath(path, FileExists(path))) {
        info.iIcon = KeptIconIndex(path, true, [&] {
            SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
            return info.iIcon;
        });
    } else if (PCIDLIST_ABSOLUTE pidl = item.GetAbsolutePidl()) {
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof info,
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    }
    item.ImageIndex = info.iIcon;
    return item.ImageIndex;
}

}  // namespace tessaline
