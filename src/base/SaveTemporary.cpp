#include "base/SaveTemporary.h"

#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/Trace.h"

namespace tessaline {
namespace {

constexpr std::wstring_view kSuffix = L".tmp";

std::optional<uint32_t> ParseDecimal(std::wstring_view digits) {
    if (digits.empty() || digits.size() > 10) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<uint64_t>(c - L'0');
    }
    if (value > UINT32_MAX) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

}  // namespace

std::wstring SaveTemporaryPath(const std::wstring& path, uint32_t processId, unsigned number) {
    return path + L"." + IntToText(processId) + L"-" + IntToText(number) + std::wstring(kSuffix);
}

std::optional<uint32_t> SaveTemporaryOwner(std::wstring_view name, std::wstring_view baseName) {
    // <baseName>.<pid>-<n>.tmp
    if (name.size() <= baseName.size() + 1 + kSuffix.size() ||
        !EqualsNoCase(name.substr(0, baseName.size()), baseName) || name[baseName.size()] != L'.' ||
        !EqualsNoCase(name.substr(name.size() - kSuffix.size()), kSuffix)) {
        return std::nullopt;
    }
    const std::wstring_view middle =
        name.substr(baseName.size() + 1, name.size() - baseName.size() - 1 - kSuffix.size());
    const size_t dash = middle.find(L'-');
    if (dash == std::wstring_view::npos || !ParseDecimal(middle.substr(dash + 1))) {
        return std::nullopt;
    }
    return ParseDecimal(middle.substr(0, dash));
}

int RemoveStaleSaveTemporaries(const std::wstring& folder, const std::vector<std::wstring>& baseNames) {
    const std::wstring prefix = folder.empty() ? std::wstring() : ExcludeTrailingDelimiter(folder) + L"\\";
    const uint32_t self = CurrentProcessId();
    int removed = 0;
    for (const std::wstring& baseName : baseNames) {
        for (const std::wstring& name : ListFolder(folder, baseName + L".*.tmp")) {
            const std::optional<uint32_t> owner = SaveTemporaryOwner(name, baseName);
            if (!owner || (*owner != self && ProcessIsRunning(*owner))) {
                continue;
            }
            if (DeleteFileAt(prefix + name)) {
                Trace(L"Removed an interrupted save: ", prefix + name);
                ++removed;
            } else {
                Trace(L"Cannot remove an interrupted save: ", prefix + name);
            }
        }
    }
    return removed;
}

}  // namespace tessaline
