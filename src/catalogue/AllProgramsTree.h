#pragma once
// How the tree of all programs merges the four Start Menu folders, over plain records of what the shell
// enumerated. The shell calls, the identifier lists and the tree control stay with the caller, which maps the
// returned references back to its own items. Pure; user-interface thread.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tessaline {

// The values of TShellItem::Kind.
enum class TItemKind : uint8_t { Placeholder = 0, Program = 1, Folder = 2 };

// The one child an opened empty folder shows; no icon, nothing happens on a click.
inline constexpr wchar_t kEmptyFolderItemName[] = L"(None)";

// One entry of an enumerated folder.
struct TFolderEntry {
    std::wstring Name;      // display name
    std::wstring FileName;  // file-system name with extension; empty when the find data could not be read
    bool IsFolder = false;
    bool Hidden = false;
};

// The text by which two names compare: equal keys, the same name. The program's is the user's locale's upper case
// (SystemNameKey, ShellItems.h), which the search compares names by too.
using TNameKey = std::function<std::wstring(std::wstring_view)>;

// File names already listed, compared by their keys. Names that could not be read never count as seen, so two
// unreadable entries do not hide each other.
class TSeenNames {
  public:
    explicit TSeenNames(TNameKey key) : key_(std::move(key)) {}
    bool Contains(std::wstring_view fileName) const;
    void Add(std::wstring_view fileName);

  private:
    TNameKey key_;
    std::unordered_set<std::wstring> keys_;
};

enum class TEnumList { None, Folders, Items, Any };
struct TEnumLists {
    bool Folders = false;
    bool Items = false;
    bool Any = false;
};

// EnumFolder's decision for one entry, in enumerator order. Folders are passed over when !includeFolders and
// hidden entries always, without recording their names; otherwise the name goes into `seen` (when given), and
// an entry whose name was seen before goes nowhere.
TEnumList PlaceEntry(const TFolderEntry& entry, bool includeFolders, const TEnumLists& lists, TSeenNames* seen);

// One enumerated folder and whether its sub-folders count.
struct TFolderListing {
    std::span<const TFolderEntry> Entries;
    bool IncludeFolders = true;
};

// Entry `Index` of listing `Source`.
struct TEntryRef {
    size_t Source = 0;
    size_t Index = 0;
    TItemKind Kind = TItemKind::Program;
    bool operator==(const TEntryRef&) const = default;
};

// LoadAllPrograms: listings in the order user Programs, common Programs (with folders), user Start Menu,
// common Start Menu (loose entries only). Programs first, then folders, each by name. A file name seen before
// (by `key`) is left out: the user's copy wins.
std::vector<TEntryRef> OrderTopLevel(std::span<const TFolderListing> listings, const TNameKey& key);
// OpenFolderNode: the node's own folder, then its common counterpart. One name order, folders and programs mixed.
// Empty means the node shows the "(None)" placeholder.
std::vector<TEntryRef> OrderFolderChildren(std::span<const TFolderListing> listings, const TNameKey& key);

// Code unit by code unit, so "Zoo" sorts before "apple".
bool NameLess(std::wstring_view a, std::wstring_view b);

// The node text: the name less its last extension ("Notepad.lnk" -> "Notepad", "Tool 2.5" -> "Tool 2").
// A dot that starts the name is not an extension (".NET Tools" stays).
std::wstring CutExtension(std::wstring_view name);

// CommonProgramsPath + "\" + the file names from the top-level node down to the opened one. Empty when the
// chain cannot be named (a name is unknown), so the common Programs folder itself is never merged in by mistake.
std::wstring CommonCounterpartPath(std::wstring_view commonProgramsPath, std::span<const std::wstring> fileNames);

// Opening a folder also opens its only child when that is a folder. `depth` counts the folders already opened
// by this click; a folder that links back to itself would otherwise open forever.
inline constexpr int kMaxSingleFolderChain = 32;
bool OpensSingleChild(std::span<const TEntryRef> children, int depth);

// The item icon comes from the file path when the file exists and is not under "\system32\" (case counts),
// else from the identifier list.
bool IconFromPath(std::wstring_view path, bool fileExists);

}  // namespace tessaline
