#include <gtest/gtest.h>

#include "TestSupport.h"
#include "settings/UserDataDir.h"

namespace tessaline {
namespace {

TEST(UserDataDir, DerivedFromTheProfileFolder) {
    struct Case {
        const wchar_t* profile;
        const wchar_t* expected;
    };
    for (const auto& [profile, expected] : {
             Case{L"C:\\Users\\Ann", L"C:\\Users\\Ann\\AppData\\LocalLow\\Quorvan\\Tessaline\\"},
             Case{L"C:\\Users\\Ann\\", L"C:\\Users\\Ann\\AppData\\LocalLow\\Quorvan\\Tessaline\\"},
             Case{L"  C:\\Users\\Ann \t", L"C:\\Users\\Ann\\AppData\\LocalLow\\Quorvan\\Tessaline\\"},
             Case{L"", L"AppData\\LocalLow\\Quorvan\\Tessaline\\"},
             Case{L"   ", L"AppData\\LocalLow\\Quorvan\\Tessaline\\"},
         }) {
        EXPECT_EQ(UserDataDirFromProfile(profile), expected) << testing::PrintToString(std::wstring(profile));
    }
}

TEST(UserDataDir, ReadsTheEnvironmentEveryTime) {
    {
        test::ScopedEnv env(L"USERPROFILE", nullptr);
        EXPECT_EQ(GetUserDataDir(), L"AppData\\LocalLow\\Quorvan\\Tessaline\\");
    }
    {
        test::ScopedEnv env(L"USERPROFILE", L" D:\\Home\\ ");
        EXPECT_EQ(GetUserDataDir(), L"D:\\Home\\AppData\\LocalLow\\Quorvan\\Tessaline\\");
        EXPECT_EQ(GetMainIniFileName(), L"D:\\Home\\AppData\\LocalLow\\Quorvan\\Tessaline\\Main.ini");
    }
}

}  // namespace
}  // namespace tessaline
