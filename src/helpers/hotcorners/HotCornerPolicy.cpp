#include "helpers/hotcorners/HotCornerPolicy.h"

#include "base/Strings.h"
#include "helpers/HelperNames.h"
#include "settings/IniFile.h"
#include "settings/UserDataDir.h"

namespace tessaline {

THelperSettings ReadHelperSettings(const std::wstring& mainIniFileName) {
    // The plain profile reader: the program's other readers prepare the file for writing first.
    const TProfileIniFile ini(mainIniFileName);
    THelperSettings settings;
    settings.HotCorners = ini.ReadBool(kMainSection, L"HotCorners", true);
    settings.HotSidebar = ini.ReadBool(kMainSection, L"HotSidebar", true);
    settings.Startup = ini.ReadBool(kMainSection, L"Startup", true);
    settings.SkipStartScreen = ini.ReadBool(kMainSection, L"SkipStartScreen", true);
    return settings;
}

std::vector<TDesiredValue> DesiredRegistryValues(const THelperSettings& settings, std::wstring_view programDirectory) {
    const uint32_t cornersOff = settings.HotCorners ? 1 : 0;
    const uint32_t hintOff = settings.HotSidebar ? 1 : 0;
    std::vector<TDesiredValue> values;
    values.push_back({kEdgeUiKey, L"DisableTLCorner", TRegistryValue::OfDword(cornersOff), 0});
    values.push_back({kEdgeUiKey, L"DisableTRCorner", TRegistryValue::OfDword(cornersOff), 0});
    values.push_back({kEdgeUiKey, L"DisableCharmsHint", TRegistryValue::OfDword(hintOff), 0});
    // Quoted: the folder may hold blanks. The default for a missing OpenAtLogon differs between Windows
    // builds, so it is always written.
    std::wstring program(programDirectory);
    if (!program.empty() && !IsPathDelimiter(program.back())) {
        program += L'\\';
    }
    program += kMainProgramExe;
    values.push_back({kRunKey, kRunValueName,
                      settings.Startup ? TRegistryValue::OfString(L"\"" + program + L"\"") : TRegistryValue::Absent(),
                      std::nullopt});
    values.push_back(
        {kStartPageKey, L"OpenAtLogon", TRegistryValue::OfDword(settings.SkipStartScreen ? 0 : 1), std::nullopt});
    return values;
}

bool NeedsChange(const TDesiredValue& desired, const TRegistryValue& current) {
    if (desired.Value == current) {
        return false;
    }
    const bool missingReadsAsWanted = current.Kind == TRegistryValue::TKind::Absent &&
                                      desired.Value.Kind == TRegistryValue::TKind::Dword &&
                                      desired.AbsentMeans == desired.Value.Dword;
    return !missingReadsAsWanted;
}

}  // namespace tessaline
