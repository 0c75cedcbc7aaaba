#include "settings/MainSettings.h"

#include <exception>
#include <functional>

#include "base/Trace.h"
#include "settings/IniFile.h"
#include "settings/PSafeIniFile.h"
#include "settings/UserDataDir.h"

namespace tessaline {
namespace {

// Every writer: open (load and rewrite), set, save, close (which saves once more).
void WriteCycle(const std::function<void(TSafeIniFile&)>& write) {
    const std::wstring fileName = GetMainIniFileName();
    TSafeIniFile ini(fileName);
    write(ini);
    ini.SaveFile(fileName);
}

bool ReadBoolKey(const wchar_t* key, bool defaultValue) {
    return TIniFile(GetMainIniFileName()).ReadBool(kMainSection, key, defaultValue);
}

std::wstring ReadLanguageFrom(const std::wstring& fileName) {
    try {
        return TProfileIniFile(fileName).ReadString(kMainSection, L"Language", kDefaultLanguage);
    } catch (const std::exception&) {
        Trace(L"ReadLanguageSetting: failed: ", fileName);
        return {};
    }
}

}  // namespace

bool ReadSkipStartScreen() {
    return ReadBoolKey(L"SkipStartScreen", true);
}

void WriteSkipStartScreen(bool value) {
    WriteCycle([&](TSafeIniFile& ini) { ini.WriteBool(kMainSection, L"SkipStartScreen", value); });
}

bool ReadStartup() {
    return ReadBoolKey(L"Startup", true);
}

void WriteStartup(bool value) {
    WriteCycle([&](TSafeIniFile& ini) { ini.WriteBool(kMainSection, L"Startup", value); });
}

void WriteHeightWidth(int value) {
    Trace(L"WriteHeightWidth: ", GetMainIniFileName());
    WriteCycle([&](TSafeIniFile& ini) { ini.WriteInteger(kMainSection, L"HeightWidth", value); });
}

HotCornerSettings ReadHotCornerSettings() {
    TSafeIniFile ini(GetMainIniFileName());
    return {ini.ReadBool(kMainSection, L"HotCorners", true), ini.ReadBool(kMainSection, L"HotSidebar", true)};
}

void WriteHotCorners(bool value) {
    WriteCycle([&](TSafeIniFile& ini) { ini.WriteBool(kMainSection, L"HotCorners", value); });
}

void WriteHotSidebar(bool value) {
    WriteCycle([&](TSafeIniFile& ini) { ini.WriteBool(kMainSection, L"HotSidebar", value); });
}

std::wstring ReadSkinName() {
    return TIniFile(GetMainIniFileName()).ReadString(kMainSection, L"SkinName", kDefaultSkinName);
}

std::wstring ReadLanguage() {
    return TIniFile(GetMainIniFileName()).ReadString(kMainSection, L"Language", kDefaultLanguage);
}

void WriteSkinAndLanguage(const std::wstring& skinName, const std::wstring& language) {
    Trace(L"Setting SkinName: ", skinName);
    WriteCycle([&](TSafeIniFile& ini) {
        ini.WriteString(kMainSection, L"SkinName", skinName);
        ini.WriteString(kMainSection, L"Language", language);
    });
}

std::wstring ReadLanguageSetting() {
    return ReadLanguageFrom(GetMainIniFileName());
}

}  // namespace tessaline
