#include "catalogue/PinnedList.h"

#include <algorithm>

#include "base/Strings.h"
#include "catalogue/AllProgramsTree.h"

namespace tessaline {
namespace {

bool IsFileNameCharacter(wchar_t c) {
    if (static_cast<uint32_t>(c) < 0x20) {
        return false;
    }
    return std::wstring_view(L"\\/:*?\"<>|").find(c) == std::wstring_view::npos;
}

// Windows drops trailing dots and blanks from a file name; a name of only those is no name.
bool IsUsableName(std::wstring_view name) {
    return name.find_first_not_of(L". ") != std::wstring_view::npos;
}

}  // namespace

std::wstring PinFolderFromPrograms(std::wstring_view programsPath) {
    std::wstring folder = Trim(programsPath);
    if (!folder.empty() && !IsPathDelimiter(folder.back())) {
        folder += L'\\';
    }
    return folder;
}

void TUserPinedList::Rebuild(const std::wstring& pinFolder,
                             const std::vector<std::wstring>& names,
                             const TPinnedShell& shell) {
    items_.clear();
    names_.Clear();
    byTarget_.clear();
    if (pinFolder.empty()) {
        return;
    }
    for (const auto& name : names) {
        const std::wstring link = pinFolder + name;
        if (name.empty() || !shell.FileExists(link)) {
            continue;
        }
        const std::wstring target = Trim(shell.ResolveLinkTarget(link));
        // The first shortcut listed for a program wins.
        if (target.empty() || !shell.FileExists(target) || IndexOfTarget(target) != std::wstring::npos) {
            continue;
        }
        byTarget_.emplace(LowerAZ(target), items_.size());
        items_.push_back({link, target, {}, shell.GetCreationTime(link)});
    }
    std::stable_sort(items_.begin(), items_.end(),
                     [](const TUserPinedInfo& a, const TUserPinedInfo& b) { return a.PinnedAt > b.PinnedAt; });
    byTarget_.clear();
    for (size_t i = 0; i < items_.size(); ++i) {
        byTarget_.emplace(LowerAZ(items_[i].TargetPath), i);
    }
    names_.Reset(items_.size(), shell.GetShellDisplayName);
}

const TUserPinedInfo* TUserPinedList::Named(size_t index) const {
    if (index >= items_.size()) {
        return nullptr;
    }
    names_.Ensure(index, items_[index].LinkPath, items_[index].DisplayName);
    return &items_[index];
}

size_t TUserPinedList::IndexOfTarget(std::wstring_view path) const {
    const auto it = byTarget_.find(LowerAZ(path));
    return it == byTarget_.end() ? std::wstring::npos : it->second;
}

const TUserPinedInfo* TUserPinedList::GetItem(int index) const {
    return index < 0 ? nullptr : Named(static_cast<size_t>(index));
}

const TUserPinedInfo* TUserPinedList::FindByTarget(std::wstring_view path) const {
    const size_t index = IndexOfTarget(path);
    return index == std::wstring::npos ? nullptr : Named(index);
}

std::wstring PinLinkPath(std::wstring_view pinFolder, std::wstring_view caption, std::wstring_view targetPath) {
    if (pinFolder.empty()) {
        return {};
    }
    std::wstring name(caption);
    if (!IsUsableName(name)) {
        name = TaskbarPinName(targetPath);
    }
    for (auto& c : name) {
        if (!IsFileNameCharacter(c)) {
            c = L'_';
        }
    }
    if (!IsUsableName(name)) {
        return {};
    }
    std::wstring path(pinFolder);
    if (!IsPathDelimiter(path.back())) {
        path += L'\\';
    }
    return path + name + L".lnk";
}

std::wstring FreePinLinkPath(
    std::wstring_view wanted,
    std::wstring_view target,
    const std::function<std::optional<std::wstring>(const std::wstring& path)>& existingTarget) {
    constexpr int kMostNumbered = 99;
    if (!HasLnkExtension(wanted)) {
        return {};
    }
    const std::wstring_view stem = wanted.substr(0, wanted.size() - 4);
    for (int number = 1; number <= kMostNumbered; ++number) {
        const std::wstring path =
            number == 1 ? std::wstring(wanted) : std::wstring(stem) + L" (" + IntToText(number) + L").lnk";
        const std::optional<std::wstring> there = existingTarget(path);
        if (!there || (!there->empty() && EqualsNoCase(*there, target))) {
            return path;
        }
    }
    return {};
}

bool HasLnkExtension(std::wstring_view linkPath) {
    return UpperAZ(linkPath).ends_with(L".LNK");
}

bool IsWindows7OrLater(unsigned major, unsigned minor) {
    return major > 6 || (major == 6 && minor >= 1);
}

std::wstring TaskbarPinName(std::wstring_view targetPath) {
    return CutExtension(ExtractFileName(targetPath));
}

bool VerbNameMatches(std::wstring_view verbName, std::wstring_view verbText) {
    return !verbText.empty() && LowerAZ(verbName) == LowerAZ(verbText);
}

bool SubstituteShortcutAccepted(std::wstring_view longTarget, std::wstring_view programDirectory) {
    return !programDirectory.empty() && UpperAZ(longTarget).find(UpperAZ(programDirectory)) != std::wstring::npos;
}

}  // namespace tessaline
