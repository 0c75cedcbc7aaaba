// Velmora's decisions: the four Main.ini settings, read without touching the file, and the registry values
// they stand for.
#include "helpers/hotcorners/HotCornerPolicy.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/WideText.h"

namespace tessaline {
namespace {

const TDesiredValue* Find(const std::vector<TDesiredValue>& values, const std::wstring& name) {
    for (const TDesiredValue& value : values) {
        if (value.Name == name) {
            return &value;
        }
    }
    return nullptr;
}

TEST(HotCornerPolicy, SettingsBecomeTheValuesWindowsReads) {
    struct Case {
        THelperSettings settings;
        uint32_t corner;
        uint32_t hint;
        bool run;
        uint32_t openAtLogon;
    };
    for (const Case& c : {
             Case{{true, true, true, true}, 1, 1, true, 0},
             Case{{false, true, false, true}, 0, 1, false, 0},
             Case{{true, false, true, false}, 1, 0, true, 1},
             Case{{false, false, false, false}, 0, 0, false, 1},
         }) {
        const auto values = DesiredRegistryValues(c.settings, L"C:\\Program Files\\Tessaline");
        ASSERT_EQ(values.size(), 5u);
        for (const wchar_t* corner : {L"DisableTLCorner", L"DisableTRCorner"}) {
            ASSERT_NE(Find(values, corner), nullptr);
            EXPECT_EQ(Find(values, corner)->Key, kEdgeUiKey);
            EXPECT_EQ(Find(values, corner)->Value, TRegistryValue::OfDword(c.corner)) << WideToUtf8(corner);
        }
        EXPECT_EQ(Find(values, L"DisableCharmsHint")->Value, TRegistryValue::OfDword(c.hint));
        const TDesiredValue* run = Find(values, kRunValueName);
        ASSERT_NE(run, nullptr);
        EXPECT_EQ(run->Key, kRunKey);
        EXPECT_EQ(run->Value, c.run ? TRegistryValue::OfString(L"\"C:\\Program Files\\Tessaline\\Tessaline.exe\"")
                                    : TRegistryValue::Absent());
        const TDesiredValue* logon = Find(values, L"OpenAtLogon");
        ASSERT_NE(logon, nullptr);
        EXPECT_EQ(logon->Key, kStartPageKey);
        EXPECT_EQ(logon->Value, TRegistryValue::OfDword(c.openAtLogon));
    }
}

TEST(HotCornerPolicy, OnlyValuesThatDifferAreWritten) {
    const TDesiredValue cornerOn{kEdgeUiKey, L"DisableTLCorner", TRegistryValue::OfDword(0), 0};
    const TDesiredValue cornerOff{kEdgeUiKey, L"DisableTLCorner", TRegistryValue::OfDword(1), 0};
    const TDesiredValue logon{kStartPageKey, L"OpenAtLogon", TRegistryValue::OfDword(1), std::nullopt};
    const TDesiredValue run{kRunKey, kRunValueName, TRegistryValue::OfString(L"\"C:\\T\\Tessaline.exe\""), {}};
    const TDesiredValue noRun{kRunKey, kRunValueName, TRegistryValue::Absent(), {}};
    struct Case {
        const char* what;
        const TDesiredValue& desired;
        TRegistryValue current;
        bool change;
    };
    for (const Case& c : {
             Case{"same DWORD", cornerOff, TRegistryValue::OfDword(1), false},
             Case{"other DWORD", cornerOff, TRegistryValue::OfDword(0), true},
             Case{"missing, wanted off", cornerOff, TRegistryValue::Absent(), true},
             Case{"missing reads as on", cornerOn, TRegistryValue::Absent(), false},
             Case{"missing, no default", logon, TRegistryValue::Absent(), true},
             Case{"text where a DWORD goes", cornerOff, TRegistryValue::OfString(L"1"), true},
             Case{"odd type", cornerOff, {TRegistryValue::TKind::Other, 1, {}}, true},
             Case{"same text", run, TRegistryValue::OfString(L"\"C:\\T\\Tessaline.exe\""), false},
             Case{"other program", run, TRegistryValue::OfString(L"\"C:\\Old\\Tessaline.exe\""), true},
             Case{"to delete, present", noRun, TRegistryValue::OfString(L"x"), true},
             Case{"to delete, gone", noRun, TRegistryValue::Absent(), false},
         }) {
        EXPECT_EQ(NeedsChange(c.desired, c.current), c.change) << c.what;
    }
}

TEST(HotCornerPolicy, SettingsAreReadWithTheirDefaultsAndTheFileIsLeftAlone) {
    test::TempFolder folder;
    const std::wstring ini = folder.File(L"Main.ini");
    EXPECT_EQ(ReadHelperSettings(ini), THelperSettings{});
    EXPECT_FALSE(test::Exists(ini));  // reading creates nothing

    // As the program writes it; a value that is no number keeps the default.
    const std::string bytes = test::Utf16LeWithBom(
        L"[Main]\r\nHotCorners=0\r\nHotSidebar=1\r\nStartup=0\r\nSkipStartScreen=yes\r\nSkinName=Classic\r\n");
    test::WriteBytes(ini, bytes);
    EXPECT_EQ(ReadHelperSettings(ini), (THelperSettings{false, true, false, true}));
    EXPECT_EQ(test::ReadBytes(ini), bytes);
}

}  // namespace
}  // namespace tessaline
