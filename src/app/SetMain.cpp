#include "app/SetMain.h"

#include <algorithm>

#include "base/FileSystem.h"
#include "base/Strings.h"

namespace tessaline {
namespace {

int IndexNoCase(const std::vector<std::wstring>& items, std::wstring_view text) {
    const auto it =
        std::find_if(items.begin(), items.end(), [text](const std::wstring& item) { return EqualsNoCase(item, text); });
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

}  // namespace

std::wstring FileNameWithoutExtension(std::wstring_view fileName) {
    const size_t dot = fileName.rfind(L'.');
    return std::wstring(dot == std::wstring_view::npos ? fileName : fileName.substr(0, dot));
}

std::vector<std::wstring> ListFilesByExtension(const std::wstring& folder, std::wstring_view extension) {
    std::wstring mask = L"*.";
    mask += extension;
    std::vector<std::wstring> names = ListFolder(ExcludeTrailingDelimiter(folder), mask);
    for (std::wstring& name : names) {
        name = FileNameWithoutExtension(name);
    }
    return names;
}

std::wstring SkinBaseName(std::wstring_view fileName) {
    const size_t underscore = fileName.find(L'_');
    return underscore == std::wstring_view::npos ? std::wstring() : std::wstring(fileName.substr(0, underscore));
}

std::vector<std::wstring> ListSkins(const std::vector<std::wstring>& candidates,
                                    std::wstring_view skinFolder,
                                    const TFileExistsFn& exists) {
    std::vector<std::wstring> skins;
    for (const std::wstring& candidate : candidates) {
        const std::wstring name = SkinBaseName(candidate);
        if (name.empty() || IndexNoCase(skins, name) >= 0) {
            continue;
        }
        constexpr TButtonPictureState kAsked[] = {TButtonPictureState::Normal, TButtonPictureState::Hover,
                                                  TButtonPictureState::Pressed};
        const bool complete = std::all_of(std::begin(kAsked), std::end(kAsked), [&](TButtonPictureState state) {
            return exists(SkinFilePath(skinFolder, name, state));
        });
        if (complete) {
            skins.push_back(name);
        }
    }
    return skins;
}

TSettingsChoice ChooseSettings(std::vector<std::wstring> skins,
                               bool savedSkinComplete,
                               std::wstring_view savedSkin,
                               std::vector<std::wstring> languages,
                               std::wstring_view savedLanguage) {
    TSettingsChoice choice;
    choice.Skins = std::move(skins);
    choice.SkinIndex = savedSkinComplete ? IndexNoCase(choice.Skins, savedSkin) : (choice.Skins.empty() ? -1 : 0);
    choice.Languages = std::move(languages);
    choice.LanguageIndex = IndexNoCase(choice.Languages, savedLanguage);
    if (choice.LanguageIndex < 0) {
        choice.LanguageIndex = IndexNoCase(choice.Languages, L"English");
    }
    return choice;
}

}  // namespace tessaline
