#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/FileSystem.h"
#include "base/TextFile.h"
#include "settings/PSafeIniFile.h"

namespace tessaline {
namespace {

using test::TempFolder;

std::string Utf16BeWithBom(const std::wstring& text) {
    std::string bytes = "\xFE\xFF";
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
        bytes.push_back(static_cast<char>(c & 0xFF));
    }
    return bytes;
}

std::string Written(const std::vector<std::wstring>& lines) {
    return EncodeUtf16LeLines(lines);
}

TEST(SafeIniFile, OpeningRewritesAnyEncodingAsUtf16WithKeysIntact) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    for (const auto& [name, bytes] : {
             Case{"ansi", "[Main]\r\nSkinName=Caf\xE9\r\nStartup=0\r\n"},
             Case{"utf8", "\xEF\xBB\xBF[Main]\nSkinName=Caf\xC3\xA9\nStartup=0\n"},
             Case{"utf16be", Utf16BeWithBom(L"[Main]\nSkinName=Caf\x00E9\nStartup=0")},
         }) {
        SCOPED_TRACE(name);
        TempFolder folder;
        const std::wstring path = folder.File(L"Main.ini");
        test::WriteBytes(path, bytes);
        {
            TSafeIniFile ini(path);
            EXPECT_EQ(ini.ReadString(L"Main", L"SkinName", L"-"), L"Caf\x00E9");
        }
        EXPECT_EQ(test::ReadBytes(path), Written({L"[Main]", L"SkinName=Caf\x00E9", L"Startup=0", L""}));
    }
}

TEST(SafeIniFile, CommentsBlankLinesAndOrphanLinesAreDroppedAtTheNextWrite) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    test::WriteBytes(path, "before=section\r\n; my note\r\n\r\n[Main]\r\n  HotCorners  =  0 \r\n\r\n;x\r\nStartup=1");
    {
        TSafeIniFile ini(path);
        ini.WriteBool(L"Main", L"HotSidebar", false);
        ini.SaveFile(path);
    }
    EXPECT_EQ(test::ReadBytes(path), Written({L"[Main]", L"HotCorners=0", L"Startup=1", L"HotSidebar=0", L""}));
}

TEST(SafeIniFile, AReadOnlyFileIsMadeWritableAndWritten) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    test::WriteBytes(path, "[Main]\r\nStartup=1\r\n");
    test::MakeReadOnly(path);
    ASSERT_TRUE(IsReadOnlyFile(path));
    {
        TSafeIniFile ini(path);
        ini.WriteBool(L"Main", L"Startup", false);
    }
    EXPECT_FALSE(IsReadOnlyFile(path));
    EXPECT_EQ(test::ReadBytes(path), Written({L"[Main]", L"Startup=0", L""}));
}

TEST(SafeIniFile, TheFirstWriteCreatesTheFolderTree) {
    TempFolder folder;
    const std::wstring path = folder.File(L"AppData\\LocalLow\\Quorvan\\Tessaline\\Main.ini");
    {
        TSafeIniFile ini(path);
        ini.WriteString(L"Main", L"Language", L"German");
    }
    EXPECT_EQ(test::ReadBytes(path), Written({L"[Main]", L"Language=German", L""}));
}

TEST(SafeIniFile, WithoutAFileNameNothingTouchesTheDisk) {
    TempFolder folder;
    {
        TSafeIniFile ini(L"");
        ini.WriteString(L"Main", L"SkinName", L"Metro");
        EXPECT_TRUE(ini.FileName().empty());
        EXPECT_EQ(ini.ReadString(L"Main", L"SkinName", L"-"), L"Metro");
    }
    EXPECT_EQ(test::CountFiles(folder.Path(), L""), 0);
}

TEST(SafeIniFile, AnInterruptedSaveLeavesTheLastGoodFile) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    {
        TSafeIniFile ini(path);
        ini.WriteString(L"Main", L"SkinName", L"Classic");
    }
    const std::string good = test::ReadBytes(path);

    SetReplaceInterruptionForTest(
        [](TReplaceStep step, const std::wstring&) { return step != TReplaceStep::Complete; });
    {
        TSafeIniFile ini(path);
        ini.WriteString(L"Main", L"SkinName", L"Half-written");
        EXPECT_FALSE(ini.SaveFile(path));
    }
    SetReplaceInterruptionForTest(nullptr);
    EXPECT_EQ(test::ReadBytes(path), good);
    EXPECT_EQ(TSafeIniFile(path).ReadString(L"Main", L"SkinName", L"-"), L"Classic");
}

TEST(SafeIniFile, AWriteCycleReplacesTheFileOnlyWhenItChanges) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    { TSafeIniFile(path).WriteBool(L"Main", L"Startup", true); }
    int replacements = 0;
    SetReplaceInterruptionForTest([&](TReplaceStep step, const std::wstring&) {
        replacements += step == TReplaceStep::Complete ? 1 : 0;
        return true;
    });
    {
        TSafeIniFile ini(path);  // already in the written form: no rewrite
        ini.WriteBool(L"Main", L"Startup", false);
        ini.SaveFile(path);  // the change: one rewrite
    }                        // destruction: nothing new
    SetReplaceInterruptionForTest(nullptr);
    EXPECT_EQ(replacements, 1);
    EXPECT_EQ(test::ReadBytes(path), Written({L"[Main]", L"Startup=0", L""}));
}

TEST(SafeIniFile, ASaveThatCannotWriteIsSwallowed) {
    TempFolder folder;
    // The folder part is a file: no folder can be made there, so every save fails quietly.
    test::WriteBytes(folder.File(L"blocker"), "x");
    const std::wstring path = folder.File(L"blocker\\Main.ini");
    TSafeIniFile ini(path);
    ini.WriteBool(L"Main", L"Startup", false);
    EXPECT_FALSE(ini.SaveFile(path));
    EXPECT_FALSE(ini.ReadBool(L"Main", L"Startup", true));  // memory keeps the value for this cycle
}

TEST(SafeIniFile, Utf16WithoutAByteOrderMarkKeepsEverySettingThroughAWriteCycle) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    const std::string withMark = test::Utf16LeWithBom(L"[Main]\r\nSkinName=Metro\r\nLanguage=German\r\nStartup=0\r\n");
    test::WriteBytes(path, withMark.substr(2));
    {
        TSafeIniFile ini(path);
        ini.WriteBool(L"Main", L"HotCorners", false);
        ini.SaveFile(path);
    }
    EXPECT_EQ(test::ReadBytes(path),
              Written({L"[Main]", L"SkinName=Metro", L"Language=German", L"Startup=0", L"HotCorners=0", L""}));
    EXPECT_FALSE(test::Exists(path + kKeptBadSuffix));
}

TEST(SafeIniFile, AFileWithTextButNoKeyIsKeptBesideItBeforeTheFirstSave) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    const std::string garbled = "\x01\x02 garbage from a broken disk \x7F\r\n[Main]\r\nno key here\r\n";
    test::WriteBytes(path, garbled);
    {
        TSafeIniFile ini(path);
        ini.WriteBool(L"Main", L"Startup", false);
        ini.SaveFile(path);
    }
    EXPECT_EQ(test::ReadBytes(path + kKeptBadSuffix), garbled);
    EXPECT_FALSE(TSafeIniFile(path).ReadBool(L"Main", L"Startup", true));

    // Files that only lack keys but carry nothing (empty, blank, comments, the section alone) are not kept.
    for (const char* bytes : {"", "\r\n  \r\n", "; note\r\n[Main]\r\n"}) {
        TempFolder other;
        const std::wstring file = other.File(L"Main.ini");
        test::WriteBytes(file, bytes);
        { TSafeIniFile(file).WriteBool(L"Main", L"Startup", false); }
        EXPECT_FALSE(test::Exists(file + kKeptBadSuffix)) << bytes;
    }
}

TEST(SafeIniFile, AKeylessFileThatCannotBeKeptIsNotReplaced) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    const std::string garbled = "nothing an INI reader understands\r\n";
    test::WriteBytes(path, garbled);
    // A folder stands where the copy would go.
    ASSERT_TRUE(CreateDirectoryTree(path + kKeptBadSuffix));
    {
        TSafeIniFile ini(path);
        ini.WriteBool(L"Main", L"Startup", false);
        EXPECT_FALSE(ini.SaveFile(path));
    }
    EXPECT_EQ(test::ReadBytes(path), garbled);
}

}  // namespace
}  // namespace tessaline
