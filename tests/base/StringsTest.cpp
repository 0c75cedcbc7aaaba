#include <gtest/gtest.h>

#include "base/Strings.h"

namespace tessaline {
namespace {

TEST(Strings, ParseInt32AcceptsOnlyWholeIntegers) {
    struct Case {
        const wchar_t* text;
        std::optional<int32_t> expected;
    };
    for (const auto& [text, expected] : {
             Case{L"0", 0},
             Case{L"2", 2},
             Case{L"-17", -17},
             Case{L"+5", 5},
             Case{L"$1F", 31},
             Case{L"0x10", 16},
             Case{L"$FFFFFFFF", -1},
             Case{L"2147483647", 2147483647},
             Case{L"-2147483648", INT32_MIN},
             Case{L"2147483648", std::nullopt},
             Case{L"99999999999", std::nullopt},
             Case{L"true", std::nullopt},
             Case{L"", std::nullopt},
             Case{L"-", std::nullopt},
             Case{L"$", std::nullopt},
             Case{L"1 ", std::nullopt},
             Case{L"1.0", std::nullopt},
         }) {
        EXPECT_EQ(ParseInt32(text), expected) << "text: " << testing::PrintToString(std::wstring(text));
    }
}

TEST(Strings, TrimRemovesControlsAndBlanksOnly) {
    EXPECT_EQ(Trim(L" \t\r\n a b \x01"), L"a b");
    EXPECT_EQ(Trim(L"\x00A0x\x00A0"), L"\x00A0x\x00A0");  // no-break space is text
    EXPECT_EQ(Trim(L"   "), L"");
}

TEST(Strings, AzCaseRulesLeaveOtherLettersAlone) {
    EXPECT_EQ(UpperAZ(L"abc\x00E9z\x0101"), L"ABC\x00E9Z\x0101");
    EXPECT_EQ(LowerAZ(L"ABC\x00C9Z"), L"abc\x00C9z");
}

TEST(Strings, CaseFoldingCoversWesternGreekAndCyrillicLetters) {
    EXPECT_TRUE(EqualsNoCase(L"Tessaline_M", L"TESSALINE_m"));
    EXPECT_TRUE(
        EqualsNoCase(L"Fran\x00E7"
                     L"ais",
                     L"FRAN\x00C7"
                     L"AIS"));
    EXPECT_TRUE(
        EqualsNoCase(L"\x0141\x00F3"
                     L"d\x017A",
                     L"\x0142\x00D3"
                     L"D\x0179"));  // Polish
    EXPECT_TRUE(
        EqualsNoCase(L"\x0420\x0443\x0441\x0441\x043A\x0438\x0439", L"\x0440\x0423\x0421\x0421\x041A\x0418\x0419"));
    EXPECT_TRUE(EqualsNoCase(L"\x0395\x03BB", L"\x03B5\x039B"));
    EXPECT_FALSE(EqualsNoCase(L"\x00D7", L"\x00F7"));  // multiplication and division signs are not a pair
    EXPECT_FALSE(EqualsNoCase(L"ab", L"abc"));
}

TEST(Strings, PathPieces) {
    EXPECT_EQ(ExtractFileDir(L"C:\\Users\\a\\Main.ini"), L"C:\\Users\\a");
    EXPECT_EQ(ExtractFileDir(L"C:\\Main.ini"), L"C:\\");
    EXPECT_EQ(ExtractFileDir(L"Main.ini"), L"");
    EXPECT_EQ(ExtractFileDir(L"/tmp/x/Main.ini"), L"/tmp/x");
    EXPECT_EQ(ExtractFileName(L"C:\\a\\English.lng"), L"English.lng");
    EXPECT_EQ(ExcludeTrailingDelimiter(L"C:\\a\\"), L"C:\\a");
}

TEST(Strings, MaskMatchingIsCaseInsensitiveWithWildcards) {
    EXPECT_TRUE(MatchesMask(L"English.lng", L"*.lng"));
    EXPECT_TRUE(MatchesMask(L"German.LNG", L"*.lng"));
    EXPECT_TRUE(MatchesMask(L".lng", L"*.lng"));
    EXPECT_FALSE(MatchesMask(L"English.lng.bak", L"*.lng"));
    EXPECT_TRUE(MatchesMask(L"a.b.lng", L"*.lng"));
    EXPECT_TRUE(MatchesMask(L"ab", L"a?"));
    EXPECT_FALSE(MatchesMask(L"a", L"a?"));
}

TEST(Strings, FullyQualifiedPathsNameOnePlaceWhateverTheCurrentFolder) {
    for (const wchar_t* path : {L"C:\\", L"c:\\Windows", L"Z:/work", L"\\\\server\\share", L"//server/share"}) {
        EXPECT_TRUE(IsFullyQualifiedPath(path)) << testing::PrintToString(std::wstring(path));
    }
    for (const wchar_t* path :
         {L"", L"\\", L"\\Windows", L"C:", L"C:Windows", L"Windows\\System32", L"\\\\", L"\\\\\\x", L"1:\\x"}) {
        EXPECT_FALSE(IsFullyQualifiedPath(path)) << testing::PrintToString(std::wstring(path));
    }
}

}  // namespace
}  // namespace tessaline
