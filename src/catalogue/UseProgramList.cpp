#include "catalogue/UseProgramList.h"

#include <algorithm>

#include "base/Strings.h"
#include "base/Trace.h"
#include "catalogue/UserAssist.h"
#include "catalogue/UserDataFile.h"

namespace tessaline {

const TUseProgramInfo* TUseProgramList::GetItem(int index) const {
    return index < 0 ? nullptr : Named(static_cast<size_t>(index));
}

size_t TUseProgramList::IndexOfTarget(std::wstring_view path) const {
    const auto it = byTarget_.find(LowerAZ(path));
    return it == byTarget_.end() ? std::wstring::npos : it->second;
}

const TUseProgramInfo* TUseProgramList::FindByTarget(std::wstring_view path) const {
    const size_t index = IndexOfTarget(path);
    return index == std::wstring::npos ? nullptr : Named(index);
}

TUseProgramInfo& TUseProgramList::FindOrAdd(const std::wstring& target,
                                            const std::wstring& link,
                                            const std::wstring& name) {
    if (const size_t index = IndexOfTarget(target); index != std::wstring::npos) {
        return items_[index];
    }
    byTarget_.emplace(LowerAZ(target), items_.size());
    return items_.emplace_back(TUseProgramInfo{target, link, {}, {}, name, link});
}

void TUseProgramList::Rebuild(const std::vector<TUserAssistValue>& values,
                              const std::vector<std::wstring>& userDataLines,
                              const TUseProgramShell& shell) {
    items_.clear();
    names_.Clear();
    byTarget_.clear();

    for (const auto& value : values) {
        const std::wstring link = DecodeUserAssistName(value.Name, shell.GetStartMenuKnownFolder);
        if (link.empty() || !shell.FileExists(link)) {
            continue;
        }
        const std::wstring target = Trim(shell.ResolveLinkTarget(link));
        if (target.empty()) {
            continue;
        }
        Trace(L"GetStartProgram: ", target);
        if (!shell.FileExists(target) || !IsExeFile(target)) {
            continue;
        }
        TUseProgramInfo& info = FindOrAdd(target, link, value.Name);
        info.DisplayNameSource = link;
        // Short data has no time; the entry stays, sorted by its other sources (or last).
        if (const auto fileTime = ReadUserAssistFileTime(value.Data); fileTime && *fileTime != 0) {
            info.LastRun = std::max(info.LastRun, shell.FileTimeToLocal(*fileTime));
        }
    }

    for (const auto& line : userDataLines) {
        const TUserDataRecord record = ParseUserDataLine(line);
        if (record.Path.empty() || !shell.FileExists(record.Path)) {
            continue;
        }
        const std::wstring target = Trim(shell.ResolveLinkTarget(record.Path));
        if (target.empty() || !shell.FileExists(target) || !IsExeFile(target)) {
            continue;
        }
        TUseProgramInfo& info = FindOrAdd(target, record.Path, {});
        info.DisplayNameSource = record.Path;
        info.LastRun = std::max(info.LastRun, record.LastRun);
    }

    std::stable_sort(items_.begin(), items_.end(),
                     [](const TUseProgramInfo& a, const TUseProgramInfo& b) { return a.LastRun > b.LastRun; });
    byTarget_.clear();
    for (size_t i = 0; i < items_.size(); ++i) {
        byTarget_.emplace(LowerAZ(items_[i].TargetPath), i);
    }
    names_.Reset(items_.size(), shell.GetShellDisplayName);
}

const TUseProgramInfo* TUseProgramList::Named(size_t index) const {
    if (index >= items_.size()) {
        return nullptr;
    }
    names_.Ensure(index, items_[index].DisplayNameSource, items_[index].DisplayName);
    return &items_[index];
}

}  // namespace tessaline
