#include "startmenu/SearchBoxModel.h"

#include "base/Strings.h"
#include "search/SearchView.h"

namespace tessaline {

TSearchEnterAction SearchEnterAction(const std::wstring& text,
                                     bool noRows,
                                     const std::function<std::wstring(const std::wstring&)>& environment) {
    using Kind = TSearchEnterAction::TKind;
    if (text.rfind(L"\\\\", 0) == 0) {
        return {Kind::OpenNetworkPath, text, L""};
    }
    if (text.rfind(L"ping ", 0) == 0) {
        return {Kind::Ping, L"cmd.exe", L"/K " + text};
    }
    const TSearchEnterAction systemSearch{Kind::SystemSearch, L"search-ms:query=" + text, L""};
    const std::wstring trimmed = Trim(text);
    if (!trimmed.empty() && trimmed.front() == L'%' && trimmed.back() == L'%') {
        // A lone "%" both starts and ends the text and names no variable.
        const std::wstring name = trimmed.size() >= 2 ? trimmed.substr(1, trimmed.size() - 2) : std::wstring();
        if (const std::wstring value = name.empty() ? std::wstring() : environment(name); !value.empty()) {
            return {Kind::ExploreFolder, value, L""};
        }
        return noRows ? systemSearch : TSearchEnterAction{Kind::OpenFirstResult, L"", L""};
    }
    return noRows ? systemSearch : TSearchEnterAction{Kind::StartFirstResult, L"", L""};
}

TResultStart ResultStart(const std::wstring& kind, bool fromClick) {
    if (kind == kControlKind) {
        return {true, false, false, false};
    }
    if (fromClick) {
        return {false, true, false, true};
    }
    const bool program = kind == L".lnk" || kind == L".exe" || kind == L".msc";
    return {false, false, program, false};
}

}  // namespace tessaline
