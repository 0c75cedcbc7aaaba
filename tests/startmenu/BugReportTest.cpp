// Crash reports: their text, and their appending to the bug-report file without touching what is there.
#include "startmenu/BugReport.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/WideText.h"

namespace tessaline {
namespace {

using Lines = std::vector<std::wstring>;

TBugReport AccessViolation() {
    TBugReport report;
    report.year = 2026;
    report.month = 3;
    report.day = 7;
    report.hour = 9;
    report.minute = 5;
    report.second = 4;
    report.millisecond = 21;
    report.program = L"C:\\Apps\\Tessaline.exe";
    report.processId = 1234;
    report.threadId = 88;
    report.pointerBytes = 8;
    report.exceptionCode = kAccessViolation;
    report.location = {0x1400012ABull, L"Tessaline.exe", 0x140000000ull};
    report.access = TMemoryAccess::Write;
    report.accessAddress = 0;
    report.frames = {report.location, {0x7FF812340010ull, L"kernel32.dll", 0x7FF812300000ull}, {0x5000, L"", 0}};
    return report;
}

TEST(BugReport, AccessViolationReportNamesWhereAndWhat) {
    EXPECT_EQ(FormatBugReport(AccessViolation()),
              (Lines{
                  L"==================== Tessaline crash report ====================",
                  L"Time: 2026-03-07 09:05:04.021",
                  L"Program: C:\\Apps\\Tessaline.exe (process 1234, thread 88)",
                  L"Exception: 0xC0000005 access violation",
                  L"Address: 0x00000001400012AB Tessaline.exe+0x12AB",
                  L"Access: write of 0x0000000000000000",
                  L"Stack:",
                  L"  0x00000001400012AB Tessaline.exe+0x12AB",
                  L"  0x00007FF812340010 kernel32.dll+0x40010",
                  L"  0x0000000000005000 ?",
                  L"",
              }));
}

TEST(BugReport, ExceptionLineNamesTheCommonCodes) {
    struct Case {
        uint32_t code;
        const wchar_t* line;
    };
    for (auto [code, line] : {
             Case{kAccessViolation, L"Exception: 0xC0000005 access violation"},
             Case{kStackOverflow, L"Exception: 0xC00000FD stack overflow"},
             Case{kIllegalInstruction, L"Exception: 0xC000001D illegal instruction"},
             Case{kIntegerDivideByZero, L"Exception: 0xC0000094 integer divide by zero"},
             Case{kMsvcCppException, L"Exception: 0xE06D7363 C++ exception"},
             Case{0x12345678, L"Exception: 0x12345678"},
         }) {
        TBugReport report = AccessViolation();
        report.exceptionCode = code;
        report.access = TMemoryAccess::None;
        const Lines lines = FormatBugReport(report);
        ASSERT_GT(lines.size(), 5u);
        EXPECT_EQ(lines[3], line);
        EXPECT_EQ(lines[5], L"Stack:") << "no access line without an access";
    }
}

TEST(BugReport, AccessKindFollowsTheFirstParameter) {
    struct Case {
        uint64_t parameter;
        TMemoryAccess access;
    };
    for (auto [parameter, access] : {Case{0, TMemoryAccess::Read}, Case{1, TMemoryAccess::Write},
                                     Case{8, TMemoryAccess::Execute}, Case{3, TMemoryAccess::None}}) {
        EXPECT_EQ(MemoryAccessFromParameter(parameter), access) << parameter;
    }
    TBugReport report = AccessViolation();
    report.access = TMemoryAccess::Read;
    report.accessAddress = 0x10;
    EXPECT_EQ(FormatBugReport(report)[5], L"Access: read of 0x0000000000000010");
}

TEST(BugReport, ThirtyTwoBitAddressesHaveEightDigits) {
    TBugReport report = AccessViolation();
    report.pointerBytes = 4;
    report.location = {0x00401A2B, L"Tessaline.exe", 0x00400000};
    report.accessAddress = 0x44;
    report.frames = {report.location};
    const Lines lines = FormatBugReport(report);
    EXPECT_EQ(lines[4], L"Address: 0x00401A2B Tessaline.exe+0x1A2B");
    EXPECT_EQ(lines[5], L"Access: write of 0x00000044");
    EXPECT_EQ(lines[7], L"  0x00401A2B Tessaline.exe+0x1A2B");
}

TEST(BugReport, EscapedCppExceptionKeepsItsMessageOnOneLine) {
    TBugReport report = AccessViolation();
    report.hasExceptionCode = false;
    report.message = L"unhandled C++ exception: bad\r\nStack:\tforged";
    report.frames.clear();
    const Lines lines = FormatBugReport(report);
    EXPECT_EQ(lines[3], L"Exception: unhandled C++ exception: bad  Stack: forged");
    EXPECT_EQ(lines[4], L"Stack: not available");
    EXPECT_EQ(lines.size(), 6u);
}

TEST(BugReport, StackStopsAtSixtyFourFrames) {
    TBugReport report = AccessViolation();
    report.frames.assign(100, report.location);
    EXPECT_EQ(FormatBugReport(report).size(), 7u + kMaxStackFrames + 1u);
}

TEST(BugReport, AppendingKeepsTheFileAndFollowsItsEncoding) {
    const Lines report = {L"R\x00E9port", L""};
    const std::string utf16Report = WideToUtf16Le(L"R\x00E9port\r\n\r\n");
    struct Case {
        const char* name;
        std::string existing;
        std::string added;  // what follows the existing bytes
    };
    const Case cases[] = {
        {"new file", "", "\xEF\xBB\xBF" + WideToUtf8(L"R\x00E9port\r\n\r\n")},
        {"ends with a line", "old\r\n", WideToUtf8(L"R\x00E9port\r\n\r\n")},
        {"torn last line", "old", "\r\n" + WideToUtf8(L"R\x00E9port\r\n\r\n")},
        {"junk", std::string("\x00\x9F\xFF\x01", 4), "\r\n" + WideToUtf8(L"R\x00E9port\r\n\r\n")},
        {"UTF-16 with a line", "\xFF\xFE" + WideToUtf16Le(L"old\r\n"), utf16Report},
        {"UTF-16 mid-line", "\xFF\xFE" + WideToUtf16Le(L"old"), WideToUtf16Le(L"\r\n") + utf16Report},
        {"UTF-16 only its mark", "\xFF\xFE", utf16Report},
        {"UTF-16 torn unit", "\xFF\xFE" + WideToUtf16Le(L"old\n") + "x",
         std::string("\0", 1) + WideToUtf16Le(L"\r\n") + utf16Report},
    };
    for (const auto& [name, existing, added] : cases) {
        EXPECT_EQ(AppendBugReportBytes(existing, report), existing + added) << name;
    }

    // Big-endian UTF-16 stays big-endian.
    const std::string bigEndian = AppendBugReportBytes(std::string("\xFE\xFF\0o\0\n", 6), {L"R"});
    EXPECT_EQ(bigEndian, std::string("\xFE\xFF\0o\0\n\0R\0\r\0\n", 12));
}

TEST(BugReport, FileGainsOneReportPerCrashAndKeepsTheEarlierOnes) {
    test::TempFolder folder;
    const std::wstring dataDir = folder.Path() + L"\\AppData\\LocalLow\\Quorvan\\Tessaline\\";
    const std::wstring file = dataDir + kBugReportFileName;

    ASSERT_TRUE(AppendBugReportToFile(dataDir, FormatBugReport(AccessViolation())));  // creates the folders
    const std::string first = test::ReadBytes(file);
    TBugReport second = AccessViolation();
    second.exceptionCode = kStackOverflow;
    ASSERT_TRUE(AppendBugReportToFile(dataDir, FormatBugReport(second)));

    const std::string both = test::ReadBytes(file);
    ASSERT_EQ(both.compare(0, first.size(), first), 0);
    const std::wstring text = Utf8ToWide(both.substr(3));
    EXPECT_NE(text.find(L"\r\n\r\n==================== Tessaline crash report"), std::wstring::npos);
    EXPECT_NE(text.find(L"0xC00000FD stack overflow"), std::wstring::npos);
    EXPECT_EQ(test::CountFiles(dataDir, L".tmp"), 0);

    // Old UTF-16 reports stay UTF-16, intact.
    const std::string old = "\xFF\xFE" + WideToUtf16Le(L"old report\r\n");
    test::WriteBytes(file, old);
    ASSERT_TRUE(AppendBugReportToFile(dataDir, FormatBugReport(second)));
    const std::string after = test::ReadBytes(file);
    ASSERT_EQ(after.compare(0, old.size(), old), 0);
    EXPECT_NE(Utf16LeToWide(after.substr(2)).find(L"stack overflow"), std::wstring::npos);
}

TEST(BugReport, UnwritablePlacesEndTheAttemptQuietly) {
    test::TempFolder folder;
    // A file where the data folder should be: every creation attempt fails, and so does the save.
    test::WriteBytes(folder.File(L"Tessaline"), "a file");
    EXPECT_FALSE(AppendBugReportToFile(folder.File(L"Tessaline\\"), FormatBugReport(AccessViolation())));
    EXPECT_EQ(test::ReadBytes(folder.File(L"Tessaline")), "a file");

    // A report file that is there but cannot be read is not replaced by the new report alone.
    const std::wstring dataDir = folder.Path() + L"\\data\\";
    test::WriteBytes(dataDir + kBugReportFileName + L"\\inside.txt", "reports");
    EXPECT_FALSE(AppendBugReportToFile(dataDir, FormatBugReport(AccessViolation())));
    EXPECT_EQ(test::ReadBytes(dataDir + kBugReportFileName + L"\\inside.txt"), "reports");
}

}  // namespace
}  // namespace tessaline
