// The folder descriptions of the registry as any program with the rights may leave them. The input is text: the
// first line names the folder to resolve, every further line describes one folder as
// "guid<TAB>parent<TAB>relative path<TAB>name" (no parent field: a root). The result is then placed under the
// three roots a Start Menu can lie under.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/WideText.h"
#include "catalogue/KnownFolders.h"

namespace {

std::vector<std::wstring> Fields(std::wstring_view line) {
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (size_t tab = line.find(L'\t'); tab != std::wstring_view::npos; tab = line.find(L'\t', start)) {
        fields.emplace_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.emplace_back(line.substr(start));
    return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaline;
    using fuzz::Check;
    const std::vector<std::wstring> lines =
        SplitLines(Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size)));
    if (lines.empty()) {
        return 0;
    }
    std::map<std::wstring, tessaline::TFolderDescription> registry;  // keyed by the folded GUID, as the registry is
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::wstring> fields = Fields(lines[i]);
        TFolderDescription description{.found = true, .hasParent = fields.size() >= 2 && !fields[1].empty()};
        if (description.hasParent) {
            description.parentFolder = fields[1];
        }
        description.relativePath = fields.size() >= 3 ? fields[2] : std::wstring();
        description.name = fields.size() >= 4 ? fields[3] : std::wstring();
        registry.emplace(FoldCase(fields[0]), description);
    }
    size_t reads = 0;
    const FolderDescriptionReader read = [&](const std::wstring& guid) {
        ++reads;
        const auto it = registry.find(FoldCase(guid));
        return it == registry.end() ? TFolderDescription{} : it->second;
    };

    const std::wstring relative = GetKnownFolderRelativePath(lines[0], read);
    // Every description is read at most once per walk: a cycle ends the walk instead of running it forever.
    Check(reads <= registry.size() + 1);
    // Walk the parents independently: a root's name, then each child's relative path.
    std::wstring expected;
    std::vector<std::wstring> chain;
    std::wstring guid = lines[0];
    bool cycle = false;
    for (;;) {
        const std::wstring key = FoldCase(guid);
        if (std::find(chain.begin(), chain.end(), key) != chain.end() || chain.size() >= 64) {
            cycle = true;
            break;
        }
        chain.push_back(key);
        const auto it = registry.find(key);
        if (it == registry.end()) {
            break;
        }
        if (!it->second.hasParent) {
            expected = it->second.name + expected;
            break;
        }
        expected = L"\\" + it->second.relativePath + expected;
        guid = it->second.parentFolder;
    }
    Check(relative == (cycle ? std::wstring() : expected));

    const TAppDataRoots roots{L"C:\\Users\\u\\AppData\\Roaming", L"C:\\Users\\u\\AppData\\Local\\", L"C:\\ProgramData"};
    const std::wstring folder = StartMenuFolderFromRelativePath(relative, roots);
    if (!folder.empty()) {
        Check(folder.back() == L'\\');
        Check(folder.starts_with(roots.appData + L"\\") || folder.starts_with(roots.localAppData) ||
              folder.starts_with(roots.commonAppData + L"\\"));
        Check(LowerAZ(folder).find(L"\\start menu\\") != std::wstring::npos);
    }
    return 0;
}
