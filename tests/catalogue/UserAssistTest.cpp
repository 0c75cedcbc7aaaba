#include <gtest/gtest.h>

#include "catalogue/UserAssist.h"

namespace tessaline {
namespace {

constexpr wchar_t kCommonPrograms[] = L"{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8}";
constexpr wchar_t kDesktop[] = L"{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}";

std::wstring StartMenuFolder(const std::wstring& guid) {
    return guid == kCommonPrograms ? L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\" : L"";
}

TEST(UserAssist, Rot13TurnsOnlyAsciiLetters) {
    EXPECT_EQ(Rot13(L"Hello, World! az AZ mn MN 09 \x00E9"), L"Uryyb, Jbeyq! nm NM za ZA 09 \x00E9");
}

TEST(UserAssist, DecodesDrivePathsAndStartMenuKnownFolders) {
    const std::wstring commonPrograms = kCommonPrograms;
    struct Case {
        std::wstring decoded;
        std::wstring expected;
    };
    for (const auto& [decoded, expected] : {
             Case{L"C:\\Tools\\app.lnk", L"C:\\Tools\\app.lnk"},
             Case{L"UEME_RUNPATH:C:\\Tools\\app.exe", L"C:\\Tools\\app.exe"},
             Case{L":\\odd", L":\\odd"},
             Case{commonPrograms + L"\\Accessories\\Notepad.lnk",
                  L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Accessories\\Notepad.lnk"},
             Case{std::wstring(kDesktop) + L"\\Notes.lnk", L""},  // outside every Start Menu
             Case{commonPrograms + L"\\System Tools\\WINDOWS Explorer.LNK", L""},
             Case{L"{0139D44E-6AFE-49F2-8690}\\x.lnk", L""},
             Case{L"Microsoft.Windows.Explorer", L""},
             Case{L"\\x.lnk", L""},
         }) {
        EXPECT_EQ(DecodeUserAssistName(Rot13(decoded), StartMenuFolder), expected) << testing::PrintToString(decoded);
    }
}

TEST(UserAssist, IsExeFileLooksAtTheLastExtensionOnly) {
    EXPECT_TRUE(IsExeFile(L"C:\\a\\APP.Exe"));
    EXPECT_FALSE(IsExeFile(L"C:\\a\\app.exe.lnk"));
    EXPECT_FALSE(IsExeFile(L"C:\\a\\exe"));
}

TEST(UserAssist, FileTimeIsReadFromBytes60To67AndNeedsAll68) {
    std::string data(68, '\0');
    for (size_t i = 0; i < 8; ++i) {
        data[60 + i] = static_cast<char>(0x11 * (i + 1));  // low byte first
    }
    EXPECT_EQ(ReadUserAssistFileTime(data + "tail"), 0x8877665544332211ULL);
    EXPECT_EQ(ReadUserAssistFileTime(data.substr(0, 67)), std::nullopt);
}

TEST(UserAssist, KeptValuesHoldOnlyForAnUnchangedKeyLastWrittenASecondBeforeTheRead) {
    constexpr uint64_t kSecond = 10'000'000;
    const uint64_t t = 133'000'000'000'000'000;
    const TUserAssistKeyState kept{t, 5, t + 2 * kSecond};
    EXPECT_TRUE(UserAssistValuesStillHold(kept, {t, 5, t + 9 * kSecond}));
    EXPECT_FALSE(UserAssistValuesStillHold(kept, {t + 1, 5, t + 9 * kSecond}));  // written since
    EXPECT_FALSE(UserAssistValuesStillHold(kept, {t, 6, t + 9 * kSecond}));      // a value more, same tick
    EXPECT_FALSE(UserAssistValuesStillHold({}, {0, 0, t}));                      // never read
    // Read within a second of the write before it: a write just after the read may carry the same time.
    EXPECT_FALSE(UserAssistValuesStillHold({t, 5, t + kSecond - 1}, {t, 5, t + 9 * kSecond}));
    EXPECT_TRUE(UserAssistValuesStillHold({t, 5, t + kSecond}, {t, 5, t + 9 * kSecond}));
    // A clock set back between the write and the read.
    EXPECT_FALSE(UserAssistValuesStillHold({t, 5, t - kSecond}, {t, 5, t + 9 * kSecond}));
}

}  // namespace
}  // namespace tessaline
