#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/TextFile.h"
#include "base/Trace.h"
#include "settings/MainSettings.h"
#include "settings/UserDataDir.h"

namespace tessaline {
namespace {

// Each test gets its own profile folder.
class MainSettings : public testing::Test {
  protected:
    test::TempFolder profile;
    test::ScopedEnv env{L"USERPROFILE", profile.Path().c_str()};
    std::wstring MainIni() const { return GetMainIniFileName(); }
};

TEST_F(MainSettings, AbsentKeysReadAsTheirDefaults) {
    EXPECT_TRUE(ReadSkipStartScreen());
    EXPECT_TRUE(ReadStartup());
    const HotCornerSettings hot = ReadHotCornerSettings();
    EXPECT_TRUE(hot.hotCorners);
    EXPECT_TRUE(hot.hotSidebar);
    EXPECT_EQ(ReadSkinName(), L"Classic");
    EXPECT_EQ(ReadLanguage(), L"English");
    EXPECT_EQ(ReadLanguageSetting(), L"English");
}

TEST_F(MainSettings, WritesKeepFirstWrittenOrderAndReadBack) {
    WriteStartup(false);
    WriteSkipStartScreen(false);
    WriteHotSidebar(false);
    WriteStartup(true);
    WriteSkinAndLanguage(L"Metro", L"German");
    WriteHeightWidth(112);

    EXPECT_TRUE(ReadStartup());
    EXPECT_FALSE(ReadSkipStartScreen());
    EXPECT_FALSE(ReadHotCornerSettings().hotSidebar);
    EXPECT_TRUE(ReadHotCornerSettings().hotCorners);
    EXPECT_EQ(ReadSkinName(), L"Metro");
    EXPECT_EQ(ReadLanguageSetting(), L"German");
    EXPECT_EQ(test::ReadBytes(MainIni()),
              EncodeUtf16LeLines({L"[Main]", L"Startup=1", L"SkipStartScreen=0", L"HotSidebar=0", L"SkinName=Metro",
                                  L"Language=German", L"HeightWidth=112", L""}));
}

TEST_F(MainSettings, OpeningTheHotCornerReadCycleNormalisesTheFile) {
    test::WriteBytes(MainIni(), "; hand-edited\r\n[main]\r\nHotCorners = 0\r\n");
    EXPECT_FALSE(ReadHotCornerSettings().hotCorners);
    EXPECT_EQ(test::ReadBytes(MainIni()), EncodeUtf16LeLines({L"[main]", L"HotCorners=0", L""}));
}

TEST_F(MainSettings, ReadersDoNotRewriteTheFile) {
    const std::string ansi = "[Main]\r\nStartup=2\r\nSkipStartScreen=true\r\n";
    test::WriteBytes(MainIni(), ansi);
    EXPECT_TRUE(ReadStartup());          // "2" is true
    EXPECT_TRUE(ReadSkipStartScreen());  // "true" is no integer: the default
    EXPECT_EQ(test::ReadBytes(MainIni()), ansi);
}

TEST_F(MainSettings, HeightWidthTracesThePath) {
    std::vector<std::wstring> lines;
    const TraceSink previous = SetTraceSink([&](const std::wstring& line) { lines.push_back(line); });
    WriteHeightWidth(54);
    SetTraceSink(previous);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.front().find(MainIni()), std::wstring::npos);
}

TEST_F(MainSettings, AnEmptyLanguageValueReadsAsEmpty) {
    WriteSkinAndLanguage(L"Classic", L"");
    EXPECT_EQ(ReadLanguageSetting(), L"");
}

}  // namespace
}  // namespace tessaline
