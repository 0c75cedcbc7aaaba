#include <gtest/gtest.h>

#include "settings/IniImage.h"

namespace tessaline {
namespace {

TIniImage Parsed(const std::vector<std::wstring>& lines) {
    TIniImage image;
    image.SetLines(lines);
    return image;
}

TEST(IniImage, BooleansReadAsIntegersWithTheDefaultForAnythingElse) {
    struct Case {
        const wchar_t* stored;
        bool expected;
    };
    for (const auto& [stored, expected] : {Case{L"1", true}, Case{L"2", true}, Case{L"-1", true}, Case{L"0", false},
                                           Case{L"true", false}, Case{L"yes", false}, Case{L"", false}}) {
        TIniImage image;
        image.WriteString(L"Main", L"Startup", stored);
        EXPECT_EQ(image.ReadBool(L"Main", L"Startup", false), expected) << testing::PrintToString(std::wstring(stored));
        // The default shows through only where the value is no integer.
        const bool isInteger = std::wstring(stored) != L"true" && std::wstring(stored) != L"yes" && *stored != 0;
        EXPECT_EQ(image.ReadBool(L"Main", L"Startup", true), isInteger ? expected : true);
    }
    TIniImage empty;
    EXPECT_TRUE(empty.ReadBool(L"Main", L"HotCorners", true));
    EXPECT_EQ(empty.ReadInteger(L"Main", L"HeightWidth", 54), 54);
}

TEST(IniImage, WritesReplaceTheFirstLineOrAppendInOrder) {
    TIniImage image;
    image.WriteBool(L"Main", L"SkipStartScreen", true);
    image.WriteString(L"Main", L"SkinName", L"Metro");
    image.WriteInteger(L"Main", L"HeightWidth", -3);
    image.WriteBool(L"main", L"skipstartscreen", false);  // case ignored: replaces, keeps its place
    EXPECT_EQ(image.GetLines(),
              (std::vector<std::wstring>{L"[Main]", L"skipstartscreen=0", L"SkinName=Metro", L"HeightWidth=-3", L""}));
}

TEST(IniImage, DeleteAndEraseKeepLookupsRight) {
    TIniImage image = Parsed({L"[A]", L"k=1", L"x=2", L"k=3", L"[B]", L"k=4", L"[A]", L"k=5"});
    image.DeleteKey(L"a", L"K");
    EXPECT_EQ(image.ReadString(L"A", L"k", L"-"), L"3");  // the next line of that name now comes first
    EXPECT_EQ(image.ReadString(L"A", L"x", L"-"), L"2");
    image.EraseSection(L"A");
    EXPECT_EQ(image.ReadSections(), (std::vector<std::wstring>{L"B", L"A"}));
    EXPECT_EQ(image.ReadString(L"A", L"k", L"-"), L"5");  // the second section of the name takes over
    EXPECT_EQ(image.ReadString(L"B", L"k", L"-"), L"4");
    image.EraseSection(L"missing");
    image.DeleteKey(L"missing", L"k");
    image.DeleteKey(L"B", L"missing");
    EXPECT_EQ(image.ReadSections().size(), 2u);
}

TEST(IniImage, ManyKeysStayFindable) {
    TIniImage image;
    for (int i = 0; i < 5000; ++i) {
        image.WriteInteger(L"S" + std::to_wstring(i % 7), L"Key" + std::to_wstring(i), i);
    }
    for (int i = 0; i < 5000; i += 97) {
        EXPECT_EQ(image.ReadInteger(L"s" + std::to_wstring(i % 7), L"KEY" + std::to_wstring(i), -1), i);
    }
    EXPECT_FALSE(image.ValueExists(L"S0", L"Key1"));
    EXPECT_TRUE(image.ValueExists(L"S1", L"Key1"));
}

}  // namespace
}  // namespace tessaline
