#include <gtest/gtest.h>

#include "TestSupport.h"
#include "settings/ExtIniFiles.h"

namespace tessaline {
namespace {

using test::TempFolder;

TExtIniFile Loaded(const std::string& utf8) {
    TExtIniFile ini;
    ini.LoadFromBytes(utf8);
    return ini;
}

TEST(ExtIniFile, ParsingFollowsTheLineRules) {
    const TExtIniFile ini = Loaded(
        "orphan=dropped\r\n"
        "; comment\r\n"
        "[  Tessaline_M  ]\r\n"
        "   lbl_Program_Common   =   All Programs  \r\n"
        "Formula = a = b\r\n"
        "a line without separator\r\n"
        "Empty=\r\n"
        "\r\n"
        "[Main]\r\n"
        "DisplayName=English\r\n");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::wstring>{L"Tessaline_M", L"Main"}));
    EXPECT_EQ(ini.ReadString(L"tessaline_m", L"LBL_PROGRAM_COMMON", L"-"), L"All Programs");
    EXPECT_EQ(ini.ReadString(L"Tessaline_M", L"Formula", L"-"), L"a = b");
    EXPECT_EQ(ini.ReadString(L"Tessaline_M", L"Empty", L"-"), L"");
    EXPECT_TRUE(ini.ValueExists(L"Tessaline_M", L"Empty"));
    EXPECT_EQ(ini.ReadString(L"Tessaline_M", L"a line without separator", L"-"), L"-");
    EXPECT_EQ(ini.ReadString(L"Tessaline_M", L"", L"-"), L"-");
    EXPECT_EQ(ini.ReadString(L"", L"orphan", L"-"), L"-");
    EXPECT_EQ(ini.ReadSection(L"Tessaline_M"),
              (std::vector<std::wstring>{L"lbl_Program_Common", L"Formula", L"", L"Empty"}));
    EXPECT_EQ(ini.ReadSectionValues(L"Tessaline_M"),
              (std::vector<std::wstring>{L"lbl_Program_Common=All Programs", L"Formula=a = b",
                                         L"a line without separator", L"Empty="}));
}

TEST(ExtIniFile, ARepeatedSectionIsFoundOnlyThroughItsFirstCopy) {
    const TExtIniFile ini = Loaded("[Main]\nA=1\n[Other]\nB=2\n[MAIN]\nA=3\nC=4\n");
    EXPECT_EQ(ini.ReadString(L"Main", L"A", L"-"), L"1");
    EXPECT_EQ(ini.ReadString(L"Main", L"C", L"-"), L"-");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::wstring>{L"Main", L"Other", L"MAIN"}));
}

TEST(ExtIniFile, HeadersNeedBothBrackets) {
    const TExtIniFile ini = Loaded("[Main]\n[Broken\nx=1\n[]\ny=2\n");
    EXPECT_EQ(ini.ReadSectionValues(L"Main"), (std::vector<std::wstring>{L"[Broken", L"x=1"}));
    EXPECT_EQ(ini.ReadString(L"", L"y", L"-"), L"2");
}

TEST(ExtIniFile, LoadingReplacesEverythingButAFailedLoadKeepsIt) {
    TempFolder folder;
    const std::wstring first = folder.File(L"First.lng");
    const std::wstring second = folder.File(L"Second.lng");
    test::WriteBytes(first, "[Main]\r\nDisplayName=First\r\n[Only]\r\nx=1\r\n");
    test::WriteBytes(second, test::Utf16LeWithBom(L"[Main]\r\nDisplayName=Second\r\n"));

    TExtIniFile ini;
    ASSERT_TRUE(ini.LoadFromFile(first));
    ASSERT_TRUE(ini.LoadFromFile(second));
    EXPECT_EQ(ini.ReadString(L"Main", L"DisplayName", L"-"), L"Second");
    EXPECT_FALSE(ini.SectionExists(L"Only"));

    EXPECT_FALSE(ini.LoadFromFile(folder.File(L"Missing.lng")));
    EXPECT_FALSE(ini.LoadFromFile(folder.Path()));  // a folder cannot be read as a file
    EXPECT_EQ(ini.ReadString(L"Main", L"DisplayName", L"-"), L"Second");
}

TEST(ExtIniFile, WritesNeverReachTheDisk) {
    TempFolder folder;
    const std::wstring path = folder.File(L"English.lng");
    const std::string original = "[Main]\r\nDisplayName=English\r\n";
    test::WriteBytes(path, original);
    {
        TExtIniFile ini;
        ASSERT_TRUE(ini.LoadFromFile(path));
        ini.WriteString(L"Main", L"DisplayName", L"Changed");
        ini.WriteString(L"New", L"k", L"v");
        ini.DeleteKey(L"Main", L"DisplayName");
        ini.UpdateFile();
    }
    EXPECT_EQ(test::ReadBytes(path), original);
}

}  // namespace
}  // namespace tessaline
