#pragma once
// TStartMenuManage: enumerates the four Start Menu folders through the shell and builds the merged tree of all
// programs: the top level each time the menu opens, a folder's branch when it is opened. One instance for the
// program's life; user-interface thread only, with COM initialised.

#include <windows.h>

#include <shlobj.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/AllProgramsTree.h"
#include "catalogue/FolderWatchWin.h"
#include "catalogue/ShellItems.h"

namespace tessaline {

// What the tree of all programs must offer: a node per item, owning it, with a text.
class IProgramTreeNode {
  public:
    virtual ~IProgramTreeNode() = default;
    virtual TShellItem* Item() = 0;
    virtual IProgramTreeNode* Parent() = 0;  // nullptr at the top level
    virtual bool Expanded() const = 0;
    virtual void SetExpanded(bool expanded) = 0;
    virtual void DeleteChildren() = 0;
    virtual IProgramTreeNode* AddChild(std::unique_ptr<TShellItem> item, const std::wstring& text) = 0;
    virtual size_t ChildCount() const = 0;
    virtual IProgramTreeNode* Child(size_t index) = 0;
    // Around a change of many nodes (the tree's redrawing is suspended in between).
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}
};

using TShellItemList = std::vector<std::unique_ptr<TShellItem>>;

// One folder as the shell listed it: the entries the merge orders (AllProgramsTree.h) beside their identifier
// lists, and the folder's own list, which every item made from it shares.
struct TShellListing {
    SharedPidl Parent;
    std::vector<TFolderEntry> Entries;
    std::vector<UniquePidl> Pidls;
    bool IncludeFolders = true;
    // The merge's view of it.
    TFolderListing View() const { return {Entries, IncludeFolders}; }
};

class TStartMenuManage {
  public:
    TStartMenuManage();
    TStartMenuManage(const TStartMenuManage&) = delete;
    TStartMenuManage& operator=(const TStartMenuManage&) = delete;
    ~TStartMenuManage();

    // Lists a folder by path, by absolute identifier list, or bound; sub-folders only when
    // listing.IncludeFolders. A path that is not there lists nothing and is no failure. False (traced) when the
    // shell could not parse, bind or enumerate the folder.
    bool ListPath(const std::wstring& path, TShellListing& listing);
    bool ListPidl(const SharedPidl& absolutePidl, TShellListing& listing);
    bool ListFolder(IShellFolder* folder, TShellListing& listing);
    // As ListPath, but a folder in which nothing changed since it was last listed here, nor below it (the system's
    // change notification tells) gives what was listed then, without asking the shell: the top level is listed at every
    // showing of the menu and seldom changes.
    bool ListPathKept(const std::wstring& path, TShellListing& listing);

    // The top level: loose programs first, then folders, each in code-unit name order. The item's node text
    // is NodeText(item).
    void LoadAllPrograms(const std::function<void()>& onBegin,
                         const std::function<void(std::unique_ptr<TShellItem>)>& onItem,
                         const std::function<void()>& onEnd);
    // Opens (filling it anew) or closes a folder node; a chain of single folders opens in one go.
    void OpenFolderNode(IProgramTreeNode& node);

    std::wstring UserProgramsPath;
    std::wstring UserStartMenuPath;
    std::wstring CommonProgramsPath;
    std::wstring CommonStartMenuPath;

  private:
    void OpenFolderNode(IProgramTreeNode& node, int depth);

    struct TKeptListing {
        TFolderWatch Watch;
        bool Valid = false;
        TShellListing Listing;
    };

    IShellFolder* desktopFolder_ = nullptr;
    std::map<std::wstring, SharedPidl> parsedPaths_;                      // folder path -> its absolute identifier list
    std::map<std::pair<std::wstring, bool>, TKeptListing> keptListings_;  // (path, with folders) -> its last listing
};

// The node text: the item's name less its last extension.
std::wstring NodeText(const TShellItem& item);
// The small system-image-list icon of the item (-1 for the "(None)" placeholder); also stored in ImageIndex.
int GetItemIconIndex(TShellItem& item);
// The file path of the item's absolute identifier list; empty when it has none.
std::wstring GetItemPath(TShellItem& item);

extern std::unique_ptr<TStartMenuManage> v_StartMenuManage;

}  // namespace tessaline
