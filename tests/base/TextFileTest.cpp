#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/FileSystem.h"
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

TEST(TextFile, InterruptedReplacementLeavesTheOldFileWhole) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    test::WriteBytes(path, "old contents");

    SetReplaceInterruptionForTest([](const std::wstring&) { return false; });
    EXPECT_FALSE(ReplaceFileAtomically(path, "new contents"));
    SetReplaceInterruptionForTest(nullptr);
    EXPECT_EQ(test::ReadBytes(path), "old contents");

    EXPECT_TRUE(ReplaceFileAtomically(path, "new contents"));
    EXPECT_EQ(test::ReadBytes(path), "new contents");
}

TEST(TextFile, FailedReplacementRemovesItsTemporaryFile) {
    TempFolder folder;
    // The target is a folder: the rename over it fails after the temporary file was written.
    const std::wstring target = folder.File(L"occupied");
    ASSERT_TRUE(CreateDirectoryTree(target));
    EXPECT_FALSE(ReplaceFileAtomically(target, "data"));
    EXPECT_EQ(test::CountFiles(folder.Path(), L".tmp"), 0);
}

}  // namespace
}  // namespace tessaline
