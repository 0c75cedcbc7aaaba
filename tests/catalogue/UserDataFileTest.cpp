#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "base/FileSystem.h"
#include "base/Trace.h"
#include "catalogue/UserDataFile.h"

namespace tessaline {
namespace {

const TDateTime kMarch15{2024, 3, 15, 13, 5, 8};
const TDateTime kMarch16{2024, 3, 16, 9, 0, 0};

TEST(UserDataFile, TimesUseFixedSeparatorsAndOnlyRealDatesParse) {
    EXPECT_EQ(FormatUserDataTime(kMarch15), L"03/15/2024 13:05:08");
    EXPECT_EQ(ParseUserDataTime(L" 03/15/2024 13:05:08 "), kMarch15);
    for (const wchar_t* bad : {L"3/15/2024 13:05:08", L"15.03.2024 13:05:08", L"02/30/2024 10:00:00",
                               L"03/15/2024 24:00:00", L"03/15/2024 13:05", L"03/15/2024 13:05:08x"}) {
        EXPECT_TRUE(ParseUserDataTime(bad).IsZero()) << testing::PrintToString(std::wstring(bad));
    }
}

TEST(UserDataFile, LinesSplitIntoPathDateAndCount) {
    struct Case {
        const wchar_t* line;
        const wchar_t* path;
        TDateTime when;
        int32_t count;
    };
    for (const auto& c : {
             Case{L"C:\\a\\App.lnk;03/15/2024 13:05:08;1", L"C:\\a\\App.lnk", kMarch15, 1},
             Case{L"C:\\a\\App.lnk;03/15/2024 13:05:08", L"C:\\a\\App.lnk", kMarch15, 0},
             Case{L"C:\\a\\App.lnk;yesterday;1", L"C:\\a\\App.lnk", {}, 1},
             Case{L"C:\\a\\App.lnk", L"C:\\a\\App.lnk", {}, 0},
             // ";" is legal in file names: a well-formed tail keeps the path whole.
             Case{L"C:\\R&D; Tools\\App.lnk;03/15/2024 13:05:08;1", L"C:\\R&D; Tools\\App.lnk", kMarch15, 1},
             Case{L"C:\\R&D; Tools\\App.lnk;junk;1", L"C:\\R&D", {}, 0},
         }) {
        const TUserDataRecord record = ParseUserDataLine(c.line);
        EXPECT_EQ(record.Path, c.path) << testing::PrintToString(std::wstring(c.line));
        EXPECT_EQ(record.LastRun, c.when) << testing::PrintToString(std::wstring(c.line));
        EXPECT_EQ(record.Count, c.count) << testing::PrintToString(std::wstring(c.line));
    }
}

TEST(UserDataFile, ALaunchReplacesOnlyTheLineOfItsOwnPath) {
    std::vector<std::wstring> lines = {
        L"C:\\a\\app.lnk;01/01/2024 10:00:00;1",             // other case: another path
        L"C:\\a\\App.lnk backup.lnk;01/01/2024 10:00:00;1",  // holds the path, but not as its path
        L"C:\\a\\App.lnk;01/02/2024 10:00:00;1",
        L"C:\\a\\App.lnk;01/03/2024 10:00:00;1",  // a duplicate by hand: only the first goes
    };
    PutLaunchRecordOnTop(lines, L"C:\\a\\App.lnk", kMarch15);
    EXPECT_EQ(lines, (std::vector<std::wstring>{
                         L"C:\\a\\App.lnk;03/15/2024 13:05:08;1", L"C:\\a\\app.lnk;01/01/2024 10:00:00;1",
                         L"C:\\a\\App.lnk backup.lnk;01/01/2024 10:00:00;1", L"C:\\a\\App.lnk;01/03/2024 10:00:00;1"}));
    EXPECT_FALSE(RemoveFirstLineNaming(lines, L""));
}

TEST(UserDataFile, LaunchesAndRemovalsRewriteTheUtf16File) {
    test::TempFolder folder;
    const std::wstring file = folder.File(L"AppData\\LocalLow\\Quorvan\\Tessaline\\UserData.ini");
    EXPECT_FALSE(RemoveEntryFromFile(file, L"C:\\a\\App.lnk"));  // no file: nothing created
    EXPECT_FALSE(FileExists(file));
    ASSERT_TRUE(AddLaunchRecordToFile(file, L"C:\\a\\App.lnk", kMarch15));
    ASSERT_TRUE(AddLaunchRecordToFile(file, L"C:\\b\\Other.lnk", kMarch15));
    ASSERT_TRUE(AddLaunchRecordToFile(file, L"C:\\a\\App.lnk", kMarch16));
    EXPECT_EQ(test::ReadBytes(file), test::Utf16LeWithBom(L"C:\\a\\App.lnk;03/16/2024 09:00:00;1\r\n"
                                                          L"C:\\b\\Other.lnk;03/15/2024 13:05:08;1\r\n"));
    EXPECT_TRUE(RemoveEntryFromFile(file, L"C:\\a\\App.lnk"));
    EXPECT_EQ(test::ReadBytes(file), test::Utf16LeWithBom(L"C:\\b\\Other.lnk;03/15/2024 13:05:08;1\r\n"));
}

TEST(UserDataFile, AnUnreadableFileIsNotReplacedAndFailuresAreReportedNotThrown) {
    test::TempFolder folder;
    std::vector<std::wstring> traces;
    const TraceSink previous = SetTraceSink([&](const std::wstring& line) { traces.push_back(line); });
    const auto traced = [&](std::wstring_view text) {
        return std::ranges::any_of(traces, [&](const std::wstring& line) { return line.starts_with(text); });
    };
    // A folder where the file should be cannot be read.
    const std::wstring unreadable = folder.File(L"UserData.ini");
    ASSERT_TRUE(CreateDirectoryTree(unreadable));
    EXPECT_FALSE(AddLaunchRecordToFile(unreadable, L"C:\\a\\App.lnk", kMarch15));
    EXPECT_TRUE(traced(L"AddLaunchRecord: cannot read"));
    EXPECT_FALSE(traced(L"-1: "));  // gave up before writing anything

    // The data folder cannot be made: a file stands where it should be.
    test::WriteBytes(folder.File(L"blocked"), "x");
    EXPECT_FALSE(AddLaunchRecordToFile(folder.File(L"blocked\\UserData.ini"), L"C:\\a\\App.lnk", kMarch15));
    SetTraceSink(previous);
    EXPECT_TRUE(traced(L"-1: C:\\a\\App.lnk;03/15/2024 13:05:08;1"));
    EXPECT_TRUE(traced(L"AddLaunchRecord: cannot write"));
}

// A file another hand wrote, without a byte-order mark: UTF-8 is recognised before the ANSI code page is
// guessed, UTF-16 by its zero bytes, and a line's characters stay as they were.
TEST(UserDataFile, AFileWrittenByAnotherHandIsReadAsItWasWritten) {
    const std::string line = "C:\\Caf\xC3\xA9\\App.lnk;03/15/2024 13:05:08;1";  // UTF-8 for "Café"
    TUserDataText text = DecodeUserData(line + "\r\n");
    EXPECT_TRUE(text.Sure);
    EXPECT_EQ(text.Lines, (std::vector<std::wstring>{L"C:\\Caf\u00E9\\App.lnk;03/15/2024 13:05:08;1"}));
    // Plain ASCII, with LF endings.
    text = DecodeUserData("C:\\a.lnk;03/15/2024 13:05:08;1\nC:\\b.lnk;03/15/2024 13:05:08;1\n");
    EXPECT_TRUE(text.Sure);
    EXPECT_EQ(text.Lines.size(), 2u);
    // A lone CR inside a line is one of its characters, not a line break.
    text = DecodeUserData(test::Utf16LeWithBom(L"C:\\odd\rname.lnk;03/15/2024 13:05:08;1\r\n"));
    EXPECT_EQ(text.Lines, (std::vector<std::wstring>{L"C:\\odd\rname.lnk;03/15/2024 13:05:08;1"}));
    // UTF-16 without a mark, mostly Latin: its zero bytes show it.
    const std::string utf16 = test::Utf16LeWithBom(L"C:\\a\\App.lnk;03/15/2024 13:05:08;1\r\n").substr(2);
    text = DecodeUserData(utf16);
    EXPECT_TRUE(text.Sure);
    EXPECT_EQ(text.Lines, (std::vector<std::wstring>{L"C:\\a\\App.lnk;03/15/2024 13:05:08;1"}));
    // Bytes that are no UTF-8 are read in the ANSI code page, and that is a guess.
    text = DecodeUserData("C:\\Caf\xE9\\App.lnk;03/15/2024 13:05:08;1\r\n");
    EXPECT_FALSE(text.Sure);
    EXPECT_EQ(text.Lines.size(), 1u);
}

// A file read by guesswork is kept, byte for byte, before the program rewrites it; one read surely is not.
TEST(UserDataFile, AFileReadByGuessworkIsKeptBeforeItIsRewritten) {
    test::TempFolder folder;
    const std::wstring file = folder.File(L"UserData.ini");
    const std::string guessed =
        "C:\\Caf\xE9\\App.lnk;03/15/2024 13:05:08;1\r\nC:\\\x81\x82.lnk;03/14/2024 10:00:00;1\r\n";
    test::WriteBytes(file, guessed);
    ASSERT_TRUE(AddLaunchRecordToFile(file, L"C:\\b\\Other.lnk", kMarch16));
    EXPECT_EQ(test::ReadBytes(KeptUserDataCopy(file)), guessed);
    TUserDataText now;
    ASSERT_EQ(ReadUserDataFile(file, now), FileReadResult::Ok);
    EXPECT_TRUE(now.Sure);
    EXPECT_EQ(now.Lines.size(), 3u);
    EXPECT_EQ(now.Lines[0], L"C:\\b\\Other.lnk;03/16/2024 09:00:00;1");

    // UTF-8 written by another hand is rewritten as the same characters, with no copy needed.
    const std::wstring utf8File = folder.File(L"Utf8.ini");
    test::WriteBytes(utf8File, "C:\\Caf\xC3\xA9\\App.lnk;03/15/2024 13:05:08;1\r\n");
    ASSERT_TRUE(AddLaunchRecordToFile(utf8File, L"C:\\b\\Other.lnk", kMarch16));
    EXPECT_FALSE(FileExists(KeptUserDataCopy(utf8File)));
    EXPECT_EQ(test::ReadBytes(utf8File), test::Utf16LeWithBom(L"C:\\b\\Other.lnk;03/16/2024 09:00:00;1\r\n"
                                                              L"C:\\Caf\u00E9\\App.lnk;03/15/2024 13:05:08;1\r\n"));
}

}  // namespace
}  // namespace tessaline
