// Velmora's registry writes against the real HKEY_CURRENT_USER (the test prefix's); every value touched is put
// back as it was.
#include "helpers/hotcorners/HotCornerRegistryWin.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace tessaline {
namespace {

bool KeyExists(const std::wstring& key) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(raw);
    return true;
}

void Put(const std::wstring& key, const std::wstring& name, const TRegistryValue& value) {
    if (value.Kind == TRegistryValue::TKind::Other) {
        return;  // never written by the helper, so never changed by it
    }
    TDesiredValue desired{key, name, value, std::nullopt};
    if (NeedsChange(desired, ReadUserValue(key, name))) {
        ApplyUserValues({desired});
    }
}

void PutString(const std::wstring& key, const std::wstring& name, const std::wstring& text) {
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(raw, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(raw);
}

// Restores every value the helper writes, whatever the test did to it.
class HotCornerRegistry : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const TDesiredValue& value : DesiredRegistryValues({}, L"C:\\T")) {
            saved_.push_back({value.Key, value.Name, ReadUserValue(value.Key, value.Name), std::nullopt});
            if (!KeyExists(value.Key)) {
                createdKeys_.push_back(value.Key);
            }
        }
    }
    void TearDown() override {
        for (const TDesiredValue& value : saved_) {
            Put(value.Key, value.Name, value.Value);
        }
        for (const std::wstring& key : createdKeys_) {
            RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
        }
    }

    static std::vector<TRegistryValue> ReadAll() {
        std::vector<TRegistryValue> values;
        for (const TDesiredValue& value : DesiredRegistryValues({}, L"C:\\T")) {
            values.push_back(ReadUserValue(value.Key, value.Name));
        }
        return values;
    }

    std::vector<TDesiredValue> saved_;
    std::vector<std::wstring> createdKeys_;
};

TEST_F(HotCornerRegistry, SettingsReachTheRegistryAndARepeatWritesNothing) {
    const auto off = DesiredRegistryValues({true, true, true, true}, L"C:\\Program Files\\Tessaline\\");
    ApplyUserValues(off);
    const auto afterOff = ReadAll();
    for (size_t i = 0; i < off.size(); ++i) {
        EXPECT_EQ(afterOff[i], off[i].Value) << i;
    }
    EXPECT_EQ(ApplyUserValues(off).Changed, 0);

    const auto on = DesiredRegistryValues({false, false, false, false}, L"C:\\Program Files\\Tessaline\\");
    const TRegistryApplyResult result = ApplyUserValues(on);
    EXPECT_EQ(result.Changed, 5);
    EXPECT_EQ(result.Failed, 0);
    EXPECT_EQ(ReadUserValue(kEdgeUiKey, L"DisableTLCorner"), TRegistryValue::OfDword(0));
    EXPECT_EQ(ReadUserValue(kEdgeUiKey, L"DisableCharmsHint"), TRegistryValue::OfDword(0));
    EXPECT_EQ(ReadUserValue(kRunKey, kRunValueName), TRegistryValue::Absent());
    EXPECT_EQ(ReadUserValue(kStartPageKey, L"OpenAtLogon"), TRegistryValue::OfDword(1));
}

TEST_F(HotCornerRegistry, MissingCornerValuesStayMissingWhenTheCornersAreWanted) {
    for (const wchar_t* name : {L"DisableTLCorner", L"DisableTRCorner", L"DisableCharmsHint"}) {
        ApplyUserValues({{kEdgeUiKey, name, TRegistryValue::Absent(), std::nullopt}});
    }
    ApplyUserValues(DesiredRegistryValues({false, false, true, true}, L"C:\\T"));
    EXPECT_EQ(ReadUserValue(kEdgeUiKey, L"DisableTLCorner"), TRegistryValue::Absent());
    EXPECT_EQ(ReadUserValue(kEdgeUiKey, L"DisableCharmsHint"), TRegistryValue::Absent());
}

TEST_F(HotCornerRegistry, AValueOfTheWrongTypeIsReplaced) {
    PutString(kEdgeUiKey, L"DisableTRCorner", L"1");
    EXPECT_EQ(ReadUserValue(kEdgeUiKey, L"DisableTRCorner"), TRegistryValue::OfString(L"1"));
    ApplyUserValues(DesiredRegistryValues({true, true, true, true}, L"C:\\T"));
    EXPECT_EQ(ReadUserValue(kEdgeUiKey, L"DisableTRCorner"), TRegistryValue::OfDword(1));
}

}  // namespace
}  // namespace tessaline
