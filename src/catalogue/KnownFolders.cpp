#include "catalogue/KnownFolders.h"

#include <optional>
#include <unordered_set>

#include "base/Strings.h"

namespace tessaline {
namespace {

bool IsHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

// The system's data nests a few levels deep; anything far deeper is broken data, not a folder.
constexpr int kMaxDepth = 64;

// nullopt: the parents form a cycle (or nest absurdly deep), which poisons the whole path.
std::optional<std::wstring> RelativePath(const std::wstring& guidText,
                                         const FolderDescriptionReader& read,
                                         std::unordered_set<std::wstring>& visited) {
    if (visited.size() >= kMaxDepth || !visited.insert(FoldCase(guidText)).second) {
        return std::nullopt;
    }
    const TFolderDescription description = read(guidText);
    if (!description.found) {
        return std::wstring();
    }
    if (!description.hasParent) {
        return description.name;
    }
    const std::optional<std::wstring> parent = RelativePath(description.parentFolder, read, visited);
    if (!parent) {
        return std::nullopt;
    }
    return *parent + L"\\" + description.relativePath;
}

}  // namespace

bool IsGuidText(std::wstring_view text) {
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    if (text.size() != 38 || text.front() != L'{' || text.back() != L'}') {
        return false;
    }
    for (size_t i = 1; i < 37; ++i) {
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? text[i] != L'-' : !IsHexDigit(text[i])) {
            return false;
        }
    }
    return true;
}

std::wstring GetKnownFolderRelativePath(const std::wstring& guidText, const FolderDescriptionReader& read) {
    std::unordered_set<std::wstring> visited;
    return RelativePath(guidText, read, visited).value_or(std::wstring());
}

std::wstring StartMenuFolderFromRelativePath(const std::wstring& relativePath, const TAppDataRoots& roots) {
    if (relativePath.empty()) {
        return {};
    }
    const size_t slash = relativePath.find(L'\\');
    const std::wstring head = slash == std::wstring::npos ? std::wstring() : LowerAZ(relativePath.substr(0, slash));
    const std::wstring tail = slash == std::wstring::npos ? relativePath : relativePath.substr(slash);
    const std::wstring* base = nullptr;
    if (head == L"appdata") {
        base = &roots.appData;
    } else if (head == L"common appdata") {
        base = &roots.commonAppData;
    } else if (head == L"local appdata") {
        base = &roots.localAppData;
    }
    if (base == nullptr) {
        return {};
    }
    std::wstring result = *base + tail;
    if (result.empty() || result.back() != L'\\') {
        result += L'\\';
    }
    if (LowerAZ(result).find(L"\\start menu\\") == std::wstring::npos) {
        return {};
    }
    return result;
}

}  // namespace tessaline
