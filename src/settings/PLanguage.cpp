#include "settings/PLanguage.h"

#include <exception>

#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/Trace.h"

namespace tessaline {

std::unique_ptr<TLanguage> GlobalLanguage;

namespace {

std::wstring IndexedKey(const std::wstring& name, const wchar_t* list, size_t index) {
    return name + L"." + list + L"[" + IntToText(static_cast<int64_t>(index)) + L"].Caption";
}

}  // namespace

TLanguage::TLanguage(std::wstring appName)
    : appName_(std::move(appName)),
      languageDir_(GetProgramDirectory() + L"Language"),
      texts_(std::make_unique<TExtIniFile>()) {
    ScanLanguages(languageDir_);
}

TLanguage::TLanguage(std::wstring appName, const std::wstring& folder) : TLanguage(std::move(appName)) {
    ScanLanguages(folder);
}

int TLanguage::IndexOfName(const std::wstring& name) const {
    for (size_t i = 0; i < names_.size(); ++i) {
        if (EqualsNoCase(names_[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TLanguage::ScanLanguages(const std::wstring& folder) {
    languageDir_ = folder;
    if (!languageDir_.empty() && languageDir_.back() == L'\\') {
        languageDir_.pop_back();
    }
    for (const std::wstring& fileName : ListFolder(languageDir_, L"*.lng")) {
        const std::wstring name = fileName.substr(0, fileName.size() >= 4 ? fileName.size() - 4 : 0);
        names_.push_back(name);
        currentIndex_ = static_cast<int>(names_.size()) - 1;
        // A file that could not be read (or an entry that is no file) must not lend the display name of the
        // texts loaded before it.
        const bool loaded = LoadLanguage(name) && EqualsNoCase(names_[static_cast<size_t>(currentIndex_)], name);
        displayNames_.push_back(loaded ? ReadText(L"Main", L"DisplayName", names_[static_cast<size_t>(currentIndex_)])
                                       : name);
    }
}

bool TLanguage::LoadLanguage(const std::wstring& name) {
    // The file is named as the scan found it: the same file on Windows, and also on a case-sensitive disk.
    const auto pathOf = [this](int i) { return languageDir_ + L"\\" + names_[static_cast<size_t>(i)] + L".lng"; };
    int index = IndexOfName(name);
    std::wstring path = index >= 0 ? pathOf(index) : std::wstring();
    if (index < 0 || !FileExists(path)) {
        index = IndexOfName(kFallbackLanguage);
        path = index >= 0 ? pathOf(index) : std::wstring();
    }
    if (index < 0 || !FileExists(path)) {
        return false;
    }
    auto texts = std::make_unique<TExtIniFile>();
    if (!texts->LoadFromFile(path)) {
        Trace(L"LoadLanguage: cannot read ", path);
        return false;
    }
    currentIndex_ = index;
    texts_ = std::move(texts);
    Trace(L"LoadLanguage: ", path);
    messages_ = texts_->ReadSectionValues(appName_ + L"_M");
    return true;
}

void TLanguage::ApplyToApplication() {
    // Copy: localising a form must not be disturbed by a form registering or leaving meanwhile.
    const std::vector<ILanguageComponent*> forms = ApplicationForms();
    for (ILanguageComponent* form : forms) {
        ApplyToComponent(*form);
    }
}

void TLanguage::ApplyToComponent(ILanguageComponent& owner) {
    try {
        const std::wstring ownerName = owner.Name();
        if (ownerName.empty()) {
            return;
        }
        const std::wstring section = appName_ + L"_" + ownerName;
        const std::wstring captionKey = ownerName + L".Caption";
        if (texts_->ValueExists(section, captionKey)) {
            owner.SetCaption(ReadText(section, captionKey, owner.Caption()));
        }
        const size_t count = owner.ComponentCount();
        for (size_t i = 0; i < count; ++i) {
            if (ILanguageComponent* component = owner.Component(i)) {
                ApplyToOwned(*component, section);
            }
        }
    } catch (const std::exception&) {
        // The rest of this owner keeps its texts; nothing is reported.
    }
}

void TLanguage::ApplyToOwned(ILanguageComponent& component, const std::wstring& section) {
    const std::wstring name = component.Name();
    // Every read passes the current text as its default: a missing key leaves the text as it is.
    const auto localise = [&](const std::wstring& key, const std::wstring& current, auto&& set) {
        const std::wstring text = ReadText(section, key, current);
        if (text != current) {
            set(text);
        }
    };
    const auto applyItems = [&] {
        for (size_t i = 0, count = component.ItemCount(); i < count; ++i) {
            localise(IndexedKey(name, L"Items", i), component.ItemText(i),
                     [&](const std::wstring& text) { component.SetItemText(i, text); });
        }
    };
    const auto applyCaption = [&] {
        localise(name + L".Caption", component.Caption(),
                 [&](const std::wstring& text) { component.SetCaption(text); });
    };

    switch (component.Kind()) {
        case TComponentKind::LabelNote:
        case TComponentKind::TreeView:
            applyItems();
            break;
        case TComponentKind::ImageNote:
            if (component.ShowHint()) {
                localise(name + L".Hint", component.Hint(), [&](const std::wstring& text) { component.SetHint(text); });
            }
            break;
        case TComponentKind::Label:
        case TComponentKind::Button:
        case TComponentKind::MenuItem:
        case TComponentKind::ToolButton:
        case TComponentKind::RdLabel:
            applyCaption();
            break;
        case TComponentKind::ComboBox:
            applyItems();
            component.Repaint();
            break;
        case TComponentKind::ListView:
            for (size_t i = 0, count = component.ColumnCount(); i < count; ++i) {
                localise(IndexedKey(name, L"Columns", i), component.ColumnText(i),
                         [&](const std::wstring& text) { component.SetColumnText(i, text); });
            }
            break;
        case TComponentKind::Form:
        case TComponentKind::Other: {
            const std::wstring className = component.ClassName();
            if (className == L"TReportTab" || className == L"TReportContent") {
                ApplyToComponent(component);
            }
            break;
        }
    }
}

std::wstring TLanguage::GetMessage(const std::wstring& key, const std::wstring& defaultValue) const {
    for (const std::wstring& line : messages_) {
        const size_t eq = line.find(L'=');
        if (eq != std::wstring::npos && EqualsNoCase(std::wstring_view(line).substr(0, eq), key)) {
            return line.substr(eq + 1);
        }
    }
    return defaultValue;
}

std::wstring TLanguage::ReadText(const std::wstring& section,
                                 const std::wstring& key,
                                 const std::wstring& defaultValue) const {
    return texts_->ReadString(section, key, defaultValue);
}

}  // namespace tessaline
