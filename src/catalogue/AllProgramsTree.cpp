#include "catalogue/AllProgramsTree.h"

#include <algorithm>

#include "base/Strings.h"

namespace tessaline {
namespace {

void SortByName(std::vector<TEntryRef>& refs, std::span<const TFolderListing> listings) {
    std::stable_sort(refs.begin(), refs.end(), [&](const TEntryRef& a, const TEntryRef& b) {
        return NameLess(listings[a.Source].Entries[a.Index].Name, listings[b.Source].Entries[b.Index].Name);
    });
}

}  // namespace

bool TSeenNames::Contains(std::wstring_view fileName) const {
    return !fileName.empty() && keys_.contains(key_(fileName));
}

void TSeenNames::Add(std::wstring_view fileName) {
    if (!fileName.empty()) {
        keys_.insert(key_(fileName));
    }
}

TEnumList PlaceEntry(const TFolderEntry& entry, bool includeFolders, const TEnumLists& lists, TSeenNames* seen) {
    if ((entry.IsFolder && !includeFolders) || entry.Hidden) {
        return TEnumList::None;
    }
    const bool wasSeen = seen != nullptr && seen->Contains(entry.FileName);
    if (seen != nullptr) {
        seen->Add(entry.FileName);
    }
    if (wasSeen) {
        return TEnumList::None;
    }
    if (entry.IsFolder) {
        return lists.Folders ? TEnumList::Folders : lists.Any ? TEnumList::Any : TEnumList::None;
    }
    return lists.Items ? TEnumList::Items : lists.Any ? TEnumList::Any : TEnumList::None;
}

std::vector<TEntryRef> OrderTopLevel(std::span<const TFolderListing> listings, const TNameKey& key) {
    std::vector<TEntryRef> programs;
    std::vector<TEntryRef> folders;
    TSeenNames seen(key);
    const TEnumLists lists{.Folders = true, .Items = true};
    for (size_t source = 0; source < listings.size(); ++source) {
        const TFolderListing& listing = listings[source];
        for (size_t index = 0; index < listing.Entries.size(); ++index) {
            switch (PlaceEntry(listing.Entries[index], listing.IncludeFolders, lists, &seen)) {
                case TEnumList::Folders:
                    folders.push_back({source, index, TItemKind::Folder});
                    break;
                case TEnumList::Items:
                    programs.push_back({source, index, TItemKind::Program});
                    break;
                case TEnumList::Any:
                case TEnumList::None:
                    break;
            }
        }
    }
    SortByName(programs, listings);
    SortByName(folders, listings);
    programs.insert(programs.end(), folders.begin(), folders.end());
    return programs;
}

std::vector<TEntryRef> OrderFolderChildren(std::span<const TFolderListing> listings, const TNameKey& key) {
    std::vector<TEntryRef> children;
    TSeenNames seen(key);
    const TEnumLists lists{.Any = true};
    for (size_t source = 0; source < listings.size(); ++source) {
        const TFolderListing& listing = listings[source];
        for (size_t index = 0; index < listing.Entries.size(); ++index) {
            const TFolderEntry& entry = listing.Entries[index];
            if (PlaceEntry(entry, listing.IncludeFolders, lists, &seen) == TEnumList::Any) {
                children.push_back({source, index, entry.IsFolder ? TItemKind::Folder : TItemKind::Program});
            }
        }
    }
    SortByName(children, listings);
    return children;
}

bool NameLess(std::wstring_view a, std::wstring_view b) {
    // Compare as unsigned 16-bit units, whatever the width and sign of wchar_t in this build.
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
        return static_cast<uint16_t>(x) < static_cast<uint16_t>(y);
    });
}

std::wstring CutExtension(std::wstring_view name) {
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring_view::npos || dot == 0) {
        return std::wstring(name);
    }
    for (size_t i = dot + 1; i < name.size(); ++i) {
        if (IsPathDelimiter(name[i])) {
            return std::wstring(name);
        }
    }
    // A dot right after a delimiter starts the last part's name, as one at the very start does.
    if (IsPathDelimiter(name[dot - 1])) {
        return std::wstring(name);
    }
    return std::wstring(name.substr(0, dot));
}

std::wstring CommonCounterpartPath(std::wstring_view commonProgramsPath, std::span<const std::wstring> fileNames) {
    if (commonProgramsPath.empty() || fileNames.empty()) {
        return {};
    }
    std::wstring path(commonProgramsPath);
    for (const auto& name : fileNames) {
        if (name.empty()) {
            return {};
        }
        path += L'\\';
        path += name;
    }
    return path;
}

bool OpensSingleChild(std::span<const TEntryRef> children, int depth) {
    return children.size() == 1 && children.front().Kind == TItemKind::Folder && depth < kMaxSingleFolderChain;
}

bool IconFromPath(std::wstring_view path, bool fileExists) {
    return fileExists && path.find(L"\\system32\\") == std::wstring_view::npos;
}

}  // namespace tessaline
