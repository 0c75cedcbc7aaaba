// Names that come from the settings file and pick files: the Start button's skin (three pictures in the skin
// folder) and the language (a file the scan of the language folder found), and the skin list the settings
// dialog builds from the skin folder's picture names. The input's first line is the skin name, its second the
// language name, the rest the picture files of the skin folder.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "app/SetMain.h"
#include "app/StartButtonSkin.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/WideText.h"
#include "settings/PLanguage.h"

namespace {

// A language folder of a few real-looking files, made once per run and removed at exit.
struct TLanguageFolder {
    std::filesystem::path path;
    TLanguageFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-languages-XXXXXX").string();
        path = mkdtemp(pattern.data());
        for (const char* name : {"English", "Deutsch",
                                 "Fran\xC3\xA7"
                                 "ais",
                                 "en"}) {
            std::ofstream(path / (std::string(name) + ".lng"), std::ios::binary)
                << "\xEF\xBB\xBF[Main]\r\nDisplayName=" << name << " (display)\r\n";
        }
    }
    ~TLanguageFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaline;
    using fuzz::Check;
    static const TLanguageFolder folder;
    static const std::unique_ptr<TLanguage> language =
        std::make_unique<TLanguage>(L"Tessaline", Utf8ToWide(folder.path.string()));

    const std::vector<std::wstring> lines =
        SplitLines(Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size)));
    const std::wstring skinName = lines.empty() ? std::wstring() : lines[0];
    const std::wstring languageName = lines.size() < 2 ? std::wstring() : lines[1];

    // The skin: only the three pictures of that name in the skin folder are ever asked for.
    const std::wstring skinFolder = L"C:\\Program Files\\Tessaline\\StartButtonSkin\\";
    std::vector<std::wstring> asked;
    const bool complete = ButtonSkinComplete(skinFolder, skinName, [&](const std::wstring& path) {
        asked.push_back(path);
        return path.size() % 7 != 0;  // some files there, some missing
    });
    for (const std::wstring& path : asked) {
        Check(path.starts_with(skinFolder + skinName + L"_") && path.ends_with(L".png"));
        Check(ExtractFileDir(path) + L"\\" == skinFolder);
    }
    Check(complete == (asked.size() == 3 && asked.back().size() % 7 != 0));
    for (const auto state : {TButtonPictureState::Normal, TButtonPictureState::Hover, TButtonPictureState::Pressed}) {
        const TButtonPicture picture = ChooseButtonPicture(state, complete, skinFolder, skinName);
        Check(picture.SkinFile.empty() != complete);
        Check(!complete || picture.SkinFile == SkinFilePath(skinFolder, skinName, state));
    }

    // The skin list: names without "_", each once (letter case aside), each with all three pictures there.
    std::vector<std::wstring> candidates;
    for (size_t i = 2; i < lines.size(); ++i) {
        candidates.push_back(FileNameWithoutExtension(lines[i]));
    }
    const auto there = [&](const std::wstring& path) {
        const std::wstring file = path.substr(skinFolder.size());
        return std::any_of(lines.begin() + std::min<size_t>(2, lines.size()), lines.end(),
                           [&](const std::wstring& line) { return EqualsNoCase(line, file); });
    };
    const std::vector<std::wstring> skins = ListSkins(candidates, skinFolder, there);
    for (size_t i = 0; i < skins.size(); ++i) {
        Check(!skins[i].empty() && skins[i].find(L'_') == std::wstring::npos);
        Check(ButtonSkinComplete(skinFolder, skins[i], there) ||
              std::any_of(skins[i].begin(), skins[i].end(), IsPathDelimiter));
        for (size_t j = 0; j < i; ++j) {
            Check(!EqualsNoCase(skins[i], skins[j]));
        }
    }

    // The language: one the scan found (the first of that name, case aside), else English; never another file.
    Check(language->LoadLanguage(languageName));
    int expected = -1;
    for (size_t i = 0; i < language->Names().size() && expected < 0; ++i) {
        expected = EqualsNoCase(language->Names()[i], languageName) ? static_cast<int>(i) : -1;
    }
    if (expected < 0) {
        for (size_t i = 0; i < language->Names().size() && expected < 0; ++i) {
            expected = language->Names()[i] == L"English" ? static_cast<int>(i) : -1;
        }
    }
    Check(language->CurrentIndex() == expected);
    const std::wstring& loaded = language->Names()[static_cast<size_t>(expected)];
    Check(language->ReadText(L"Main", L"DisplayName", L"") == loaded + L" (display)");
    return 0;
}
