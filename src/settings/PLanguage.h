#pragma once
// TLanguage: finds the language files (*.lng) in a folder, loads the chosen one, and applies its texts to
// forms by key grammar ("<component>.Caption", ".Hint", ".Items[i].Caption", ".Columns[i].Caption") in the
// section "<AppName>_<form name>"; single texts come from "<AppName>_M". Built-in English texts are the
// defaults: a missing key changes nothing. One thread per instance; instances are independent.

#include <memory>
#include <string>
#include <vector>

#include "settings/ExtIniFiles.h"
#include "settings/LanguageComponent.h"

namespace tessaline {

inline constexpr wchar_t kAppName[] = L"Tessaline";
inline constexpr wchar_t kFallbackLanguage[] = L"English";

class TLanguage {
  public:
    // Scans the "Language" folder beside the program.
    explicit TLanguage(std::wstring appName);
    // The same, then scans `folder` as well.
    TLanguage(std::wstring appName, const std::wstring& folder);

    void ScanLanguages(const std::wstring& folder);
    // Unknown name or missing file: "English" instead; if that is not there either, or the file cannot be
    // read, the texts loaded before stay in force. True when the file was loaded.
    bool LoadLanguage(const std::wstring& name);

    void ApplyToApplication();
    void ApplyToComponent(ILanguageComponent& owner);

// <windows.h> defines GetMessage as a macro; keep our name, and answer to the macro's spellings as well.
#pragma push_macro("GetMessage")
#undef GetMessage
    std::wstring GetMessage(const std::wstring& key, const std::wstring& defaultValue) const;
#ifdef _WIN32
    std::wstring GetMessageW(const std::wstring& key, const std::wstring& defaultValue) const {
        return GetMessage(key, defaultValue);
    }
#endif
#pragma pop_macro("GetMessage")
    std::wstring ReadText(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue) const;

    const std::wstring& AppName() const {
        return appName_;
    }
    const std::wstring& LanguageDir() const {
        return languageDir_;
    }
    int CurrentIndex() const {
        return currentIndex_;
    }
    const std::vector<std::wstring>& Names() const {
        return names_;
    }
    const std::vector<std::wstring>& DisplayNames() const {
        return displayNames_;
    }
    const TExtIniFile& Texts() const {
        return *texts_;
    }
    const std::vector<std::wstring>& Messages() const {
        return messages_;
    }

  private:
    int IndexOfName(const std::wstring& name) const;
    void ApplyToOwned(ILanguageComponent& component, const std::wstring& section);

    std::wstring appName_;
    std::wstring languageDir_;
    int currentIndex_ = -1;
    std::vector<std::wstring> names_;
    std::vector<std::wstring> displayNames_;
    std::unique_ptr<TExtIniFile> texts_;
    std::vector<std::wstring> messages_;
};

// The process-wide instance, created at start-up before any form.
extern std::unique_ptr<TLanguage> GlobalLanguage;

}  // namespace tessaline
