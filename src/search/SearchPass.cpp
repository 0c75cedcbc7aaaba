#include "search/SearchPass.h"

#include <algorithm>

#include "base/Strings.h"
#include "search/ControlPanelTable.h"
#include "search/SearchMatch.h"
#include "search/WindowsSearchQuery.h"

namespace tessaline {

TSearchPass::TSearchPass(TPassContext& context, std::wstring query, uint64_t handOver)
    : context_(context),
      query_(std::move(query)),
      upperQuery_(UpperAZ(query_)),
      blank_(IsBlankQuery(query_)),
      handOver_(handOver) {}

bool TSearchPass::Stopped() const {
    return context_.Restart->load() || context_.Terminated->load();
}

int TSearchPass::MaxResults() const {
    return context_.MaxResults->load();
}

bool TSearchPass::Shown(const std::wstring& name) const {
    return std::any_of(shownNames_.begin(), shownNames_.end(),
                       [&](const std::wstring& shown) { return context_.FileSystem->SameName(shown, name); });
}

void TSearchPass::Add(std::wstring text, int icon, std::wstring target, std::wstring kind) {
    TSearchResult result;
    result.Text = std::move(text);
    result.Icon = icon;
    result.Info.Target = std::move(target);
    result.Info.Kind = std::move(kind);
    ++addedCount_;
    context_.View->AddResult(handOver_, result);
}

void TSearchPass::RunSources() {
    context_.View->ClearResults(handOver_);
    if (context_.Index->IndexReady()) {
        SearchIndex();
    } else {
        WalkFolders();
    }
    if (context_.WindowsSearch && !Stopped()) {
        SearchWindowsIndex();
    }
}

void TSearchPass::SearchIndex() {
    // Held for the whole pass: a language change swaps in a new table without touching this one.
    const TSearchIndex::TTable table = context_.Index->ControlPanelTable();
    const TSearchIndex::TFiles files = context_.Index->ProgramFileIndex();
    if (table) {
        SearchControlPanel(*table);
    }
    if (files) {
        SearchProgramFiles(*files);
    }
}

void TSearchPass::SearchControlPanel(const std::vector<std::wstring>& table) {
    for (size_t i = 0; i < table.size(); ++i) {
        if (Stopped() || resultCount_ >= MaxResults() || blank_) {
            return;
        }
        TControlPanelRow row = SplitControlPanelRow(table[i]);
        const int icon = context_.IconBase - static_cast<int>(kControlPanelRowCount) + static_cast<int>(i);
        if (context_.NotEnglish) {
            if (!MatchesQuery(upperQuery_, row.LocalName) && !MatchesQuery(upperQuery_, row.EnglishName)) {
                continue;
            }
            if (Shown(row.LocalName) || Shown(row.EnglishName)) {
                continue;
            }
            shownNames_.push_back(row.LocalName);
            shownNames_.push_back(row.EnglishName);
        } else {
            if (!MatchesQuery(upperQuery_, row.LocalName) || Shown(row.LocalName)) {
                continue;
            }
            shownNames_.push_back(row.LocalName);
        }
        ++resultCount_;
        Add(std::move(row.LocalName), icon, std::move(row.CommandLine), kControlKind);
    }
}

void TSearchPass::SearchProgramFiles(const TIndexedFiles& files) {
    for (size_t i = 0; i < files.Size(); ++i) {
        // Greater, not equal: the files may bring the count to one more than the control-panel rows stop at.
        if (Stopped() || resultCount_ > MaxResults() || blank_) {
            return;
        }
        // The cheap test first: only a matching file is looked for on disk.
        if (files.UpperBaseName(i).find(upperQuery_) == std::wstring_view::npos) {
            continue;
        }
        std::wstring base(files.BaseName(i));
        std::wstring path = files.Path(i);
        if (Shown(base) || !context_.FileSystem->FileExists(path)) {
            continue;
        }
        shownNames_.push_back(base);
        ++resultCount_;
        std::wstring extension(files.Extension(i));
        std::wstring text = extension == L".lnk" ? std::move(base) : base + extension;
        const int icon = context_.FileSystem->SmallIconIndex(path);
        Add(std::move(text), icon, std::move(path), std::move(extension));
    }
}

void TSearchPass::WalkFolders() {
    if (Stopped()) {
        return;
    }
    Walk(context_.Folders.CommonStartMenu, L".lnk", true);
    if (!Stopped() && resultCount_ < MaxResults()) {
        Walk(context_.Folders.UserPrograms, L".lnk", true);
    }
    if (!Stopped() && resultCount_ < MaxResults()) {
        Walk(context_.Folders.Windows, L".exe", false);
    }
    if (!Stopped() && resultCount_ < MaxResults()) {
        Walk(context_.Folders.System, L".exe", false);
    }
}

void TSearchPass::Walk(const std::wstring& root, const wchar_t* extension, bool recurse) {
    if (!IsFullyQualifiedPath(root)) {
        return;  // a folder the system could not name: "" would list the current folder
    }
    ISearchFileSystem& fileSystem = *context_.FileSystem;
    context_.ExtensionFilter = extension;
    folderQueue_.clear();
    std::wstring folder = root;
    for (;;) {
        bool full = false;
        const bool listed = fileSystem.ListFolder(folder, [&](const TSearchFolderEntry& entry) {
            if (Stopped()) {
                return false;
            }
            if (entry.IsFolder) {
                if (recurse) {
                    folderQueue_.push_back(folder + entry.Name + L"\\");
                }
                return true;
            }
            const std::wstring base(FileBaseName(entry.Name));
            if (FileExtension(entry.Name) != context_.ExtensionFilter || Shown(base)) {
                return true;
            }
            const std::wstring path = folder + entry.Name;
            std::wstring candidate = recurse ? fileSystem.DisplayName(path) : entry.Name;
            if (!MatchesQuery(upperQuery_, candidate)) {
                return true;
            }
            ++resultCount_;
            shownNames_.push_back(base);
            if (recurse) {
                shownNames_.push_back(candidate);
            }
            Add(std::move(candidate), fileSystem.SmallIconIndex(path), path, context_.ExtensionFilter);
            full = resultCount_ >= MaxResults();
            return !full;
        });
        // A folder that cannot be listed ends its walk, as any error in a walk does.
        if (!listed || full || !recurse || folderQueue_.empty() || Stopped()) {
            return;
        }
        folder = std::move(folderQueue_.front());
        folderQueue_.pop_front();
    }
}

void TSearchPass::SearchWindowsIndex() {
    const std::wstring statement = WindowsSearchStatement(context_.SqlTemplate, query_);
    if (context_.Restart->load() || blank_) {
        return;
    }
    IWindowsSearchRows& rows = *context_.WindowsSearch;
    if (!rows.Open(statement)) {
        return;
    }
    const long rowCount = std::min<long>(rows.RecordCount(), kWindowsSearchTop);
    for (long row = 0; row < rowCount && !context_.Restart->load() && resultCount_ < MaxResults(); ++row) {
        ++resultCount_;  // every row read counts, shown or not
        std::wstring fileName;
        std::wstring itemUrl;
        if (!rows.ReadRow(fileName, itemUrl)) {
            return;
        }
        const std::wstring path = ItemUrlToPath(itemUrl);
        if (context_.FileSystem->FileExists(path)) {
            if (context_.Terminated->load()) {
                return;
            }
            if (!Shown(fileName)) {
                shownNames_.push_back(fileName);
                Add(fileName, context_.FileSystem->SmallIconIndex(path), path, context_.ExtensionFilter);
            }
        }
        if (!rows.MoveNext()) {
            return;
        }
    }
}

}  // namespace tessaline
