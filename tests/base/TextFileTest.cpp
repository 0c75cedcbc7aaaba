#include <gtest/gtest.h>

#include <optional>

#include "TestSupport.h"
#include "base/FileSystem.h"
#include "base/SaveTemporary.h"
#include "base/TextFile.h"
#include "base/WideText.h"

namespace tessaline {
namespace {

using test::TempFolder;

TEST(TextFile, EncodingFollowsTheByteOrderMark) {
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                         "K\xC3\xB6ln"),
              L"K\x00F6ln");
    EXPECT_EQ(DecodeText(std::string("\xFF\xFEK\0\xF6\0", 6)), L"K\x00F6");
    EXPECT_EQ(DecodeText(std::string("\xFE\xFF\0K\0\xF6", 6)), L"K\x00F6");
#ifndef _WIN32
    // Windows-1252 natively; on Windows the system's code page decides, tested there against Win32.
    EXPECT_EQ(DecodeText("K\xF6ln \x80"), L"K\x00F6ln \x20AC");
#endif
    EXPECT_EQ(DecodeText(""), L"");
    EXPECT_EQ(DecodeText("\xFF\xFE"), L"");
}

TEST(TextFile, Utf8DecodingReplacesBrokenSequences) {
    EXPECT_EQ(Utf8ToWide("a\xC3"), L"a\xFFFD");
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\xFFFD");                // overlong
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), L"\xFFFD");            // encoded surrogate
    EXPECT_EQ(Utf8ToWide("\xF0\x9F\x98\x80"), L"\xD83D\xDE00");  // astral -> surrogate pair
    EXPECT_EQ(WideToUtf8(L"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(WideToUtf8(L"\xD83D"), "\xEF\xBF\xBD");
}

TEST(TextFile, LinesEndAtCrLfLfOrCr) {
    EXPECT_EQ(SplitLines(L"a\r\nb\nc\rd"), (std::vector<std::wstring>{L"a", L"b", L"c", L"d"}));
    EXPECT_EQ(SplitLines(L"a\r\n"), (std::vector<std::wstring>{L"a"}));
    EXPECT_EQ(SplitLines(L"a\r\n\r\nb"), (std::vector<std::wstring>{L"a", L"", L"b"}));
    EXPECT_EQ(SplitLines(L"\n\r"), (std::vector<std::wstring>{L"", L""}));
    EXPECT_TRUE(SplitLines(L"").empty());
}

TEST(TextFile, Utf16RoundTripKeepsEveryCodeUnit) {
    TempFolder folder;
    const std::wstring path = folder.File(L"round.ini");
    const std::vector<std::wstring> lines = {L"[Main]", L"Name=\x00C9milie \x4E2D\xD83D\xDE00", L"", L"x=\xFFFF"};
    ASSERT_TRUE(WriteUtf16LeLinesAtomic(path, lines));

    const std::string bytes = test::ReadBytes(path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\r\0\n\0", 4));

    std::vector<std::wstring> back;
    ASSERT_EQ(ReadTextFileLines(path, back), FileReadResult::Ok);
    EXPECT_EQ(back, lines);
}

TEST(TextFile, MissingAndUnreadableFilesAreTold) {
    TempFolder folder;
    std::vector<std::wstring> lines{L"stale"};
    EXPECT_EQ(ReadTextFileLines(folder.File(L"absent.ini"), lines), FileReadResult::Missing);
    EXPECT_TRUE(lines.empty());
    // A folder where a file is expected cannot be read as one.
    EXPECT_EQ(ReadTextFileLines(folder.Path(), lines), FileReadResult::Failed);
}

TEST(TextFile, AReplacementInterruptedAtAnyStepLeavesTheOldFileWholeAndAStaleTemporary) {
    struct Case {
        const char* name;
        TReplaceStep step;
    };
    for (const auto& [name, step] :
         {Case{"temporary file made", TReplaceStep::Created}, Case{"half written", TReplaceStep::HalfWritten},
          Case{"complete, before the rename", TReplaceStep::Complete}}) {
        SCOPED_TRACE(name);
        TempFolder folder;
        const std::wstring path = folder.File(L"Main.ini");
        test::WriteBytes(path, "old contents");

        SetReplaceInterruptionForTest([step](TReplaceStep at, const std::wstring&) { return at != step; });
        EXPECT_FALSE(ReplaceFileAtomically(path, "new contents, longer than the old"));
        SetReplaceInterruptionForTest(nullptr);
        EXPECT_EQ(test::ReadBytes(path), "old contents");
        // As after a crash: the temporary file stays until the next start clears it.
        EXPECT_EQ(test::CountFiles(folder.Path(), L".tmp"), 1);
        EXPECT_EQ(RemoveStaleSaveTemporaries(folder.Path(), {L"Main.ini"}), 1);
        EXPECT_EQ(test::CountFiles(folder.Path(), L".tmp"), 0);

        EXPECT_TRUE(ReplaceFileAtomically(path, "new contents"));
        EXPECT_EQ(test::ReadBytes(path), "new contents");
    }
}

TEST(TextFile, OnlyTemporariesOfEndedProcessesOrOfThisOneAreStale) {
    TempFolder folder;
    test::IdleProcess running;
    test::IdleProcess ended;
    ASSERT_NE(running.Id(), 0u);
    const uint32_t endedId = ended.Id();
    ASSERT_NE(endedId, 0u);
    ended.End();
    ASSERT_FALSE(ProcessIsRunning(endedId));
    ASSERT_TRUE(ProcessIsRunning(running.Id()));

    const std::wstring main = folder.File(L"Main.ini");
    for (const std::wstring& name : {SaveTemporaryPath(main, running.Id(), 0), SaveTemporaryPath(main, endedId, 3),
                                     SaveTemporaryPath(folder.File(L"UserData.ini"), CurrentProcessId(), 1),
                                     folder.File(L"Main.ini.notes.tmp"), folder.File(L"Other.ini.1-1.tmp")}) {
        test::WriteBytes(name, "x");
    }
    EXPECT_EQ(RemoveStaleSaveTemporaries(folder.Path(), {L"Main.ini", L"UserData.ini"}), 2);
    EXPECT_TRUE(test::Exists(SaveTemporaryPath(main, running.Id(), 0)));  // a save in progress elsewhere
    EXPECT_FALSE(test::Exists(SaveTemporaryPath(main, endedId, 3)));
    EXPECT_FALSE(test::Exists(SaveTemporaryPath(folder.File(L"UserData.ini"), CurrentProcessId(), 1)));
    EXPECT_TRUE(test::Exists(folder.File(L"Main.ini.notes.tmp")));  // not one of ours
    EXPECT_TRUE(test::Exists(folder.File(L"Other.ini.1-1.tmp")));
}

TEST(TextFile, SaveTemporaryNamesAreReadBackExactly) {
    struct Case {
        const wchar_t* name;
        std::optional<uint32_t> owner;
    };
    for (const auto& [name, owner] :
         {Case{L"Main.ini.1234-0.tmp", 1234u}, Case{L"MAIN.INI.7-12.TMP", 7u},
          Case{L"Main.ini.4294967295-1.tmp", UINT32_MAX}, Case{L"Main.ini.4294967296-1.tmp", std::nullopt},
          Case{L"Main.ini.12.tmp", std::nullopt}, Case{L"Main.ini.-1.tmp", std::nullopt},
          Case{L"Main.ini.1-.tmp", std::nullopt}, Case{L"Main.ini.1-2-3.tmp", std::nullopt},
          Case{L"Main.ini1-2.tmp", std::nullopt}, Case{L"Main.ini.a-2.tmp", std::nullopt},
          Case{L"Main.ini.1-2.bak", std::nullopt}, Case{L"Main.ini.tmp", std::nullopt},
          Case{L"Other.ini.1-2.tmp", std::nullopt}}) {
        EXPECT_EQ(SaveTemporaryOwner(name, L"Main.ini"), owner) << WideToUtf8(name);
    }
    EXPECT_EQ(SaveTemporaryPath(L"C:\\d\\Main.ini", 42, 7), L"C:\\d\\Main.ini.42-7.tmp");
}

TEST(TextFile, Utf16WithoutAByteOrderMarkIsToldByItsZeroBytes) {
    const std::wstring text = L"[Main]\r\nSkinName=Caf\x00E9\r\nLanguage=German\r\n";
    std::string le;
    std::string be;
    for (wchar_t c : text) {
        le.push_back(static_cast<char>(c & 0xFF));
        le.push_back(static_cast<char>((c >> 8) & 0xFF));
        be.push_back(static_cast<char>((c >> 8) & 0xFF));
        be.push_back(static_cast<char>(c & 0xFF));
    }
    EXPECT_EQ(DetectEncoding(le), TextEncoding::Utf16Le);
    EXPECT_EQ(DecodeText(le), text);
    EXPECT_EQ(DetectEncoding(be), TextEncoding::Utf16Be);
    EXPECT_EQ(DecodeText(be), text);
    // A few characters beyond Latin-1 do not hide the pattern.
    EXPECT_EQ(DecodeText(le + std::string("\x10\x04\x00\x01", 4)), text + L"\x0410\x0100");
    EXPECT_EQ(DetectEncoding("[Main]\r\nSkinName=Caf\xE9\r\n"), TextEncoding::Ansi);
    EXPECT_EQ(DetectEncoding(std::string("abc\0def", 7)), TextEncoding::Ansi);  // one stray zero is not UTF-16
    EXPECT_EQ(DetectEncoding("x"), TextEncoding::Ansi);
}

TEST(TextFile, FailedReplacementRemovesItsTemporaryFile) {
    TempFolder folder;
    // The target is a folder: the rename over it fails after the temporary file was written.
    const std::wstring target = folder.File(L"occupied");
    ASSERT_TRUE(CreateDirectoryTree(target));
    EXPECT_FALSE(ReplaceFileAtomically(target, "data"));
    EXPECT_EQ(test::CountFiles(folder.Path(), L".tmp"), 0);
}

TEST(WideText, OnlyWellFormedUtf8IsValid) {
    for (const char* good : {"", "plain", "Caf\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xEF\xBF\xBF"}) {
        EXPECT_TRUE(IsValidUtf8(good)) << testing::PrintToString(std::string(good));
    }
    for (const char* bad : {"Caf\xE9", "\x80", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xF8\x88\x80\x80\x80", "\xE2\x82"}) {
        EXPECT_FALSE(IsValidUtf8(bad)) << testing::PrintToString(std::string(bad));
    }
}

}  // namespace
}  // namespace tessaline
