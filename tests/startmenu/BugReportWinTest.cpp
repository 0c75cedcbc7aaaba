// The crash reporter against real crashes: this test program started again crashes on purpose with the
// reporter installed, and the tests read the bug-report file it leaves in a temporary profile.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "TestSupport.h"
#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/WideText.h"
#include "settings/UserDataDir.h"
#include "startmenu/BugReportWin.h"
#include "startmenu/RunAgainWin.h"

namespace tessaline {
namespace {

constexpr wchar_t kCrashProbeVariable[] = L"TESSALINE_CRASH_PROBE";
constexpr UINT kPassedOn = 0x5EC;  // the reporter wrote its report and let the crash go on
constexpr DWORD kAbortExitCode = 3;

LPTOP_LEVEL_EXCEPTION_FILTER g_reporter = nullptr;

// Wine starts its debugger for a crash nobody handles: the probe ends itself once the reporter passes it on.
LONG WINAPI EndWhenPassedOn(EXCEPTION_POINTERS* exception) {
    const LONG verdict = g_reporter(exception);
    if (verdict == EXCEPTION_CONTINUE_SEARCH) {
        TerminateProcess(GetCurrentProcess(), kPassedOn);
    }
    return verdict;
}

__attribute__((noinline)) void ThrowProbeFailure() {
    throw std::runtime_error("probe failure");
}

bool RunCrashProbeIfAsked() {
    const std::wstring how = GetEnvironmentText(kCrashProbeVariable);
    if (how.empty()) {
        return false;
    }
    InstallCrashReporter();
    g_reporter = SetUnhandledExceptionFilter(&EndWhenPassedOn);
    if (how == L"null-write") {
        volatile uintptr_t zero = 0;
        *reinterpret_cast<volatile int*>(zero) = 7;
    } else if (how == L"stack-overflow") {
        // Wine 8 cannot dispatch a real overflow on x86_64 (its own dispatch needs more than the last page and
        // it ends the process), so the probe raises the code; the reporter takes the path an overflow takes.
        RaiseException(EXCEPTION_STACK_OVERFLOW, 0, 0, nullptr);
    } else if (how == L"throw") {
        ThrowProbeFailure();
    }
    ExitProcess(1);
}
[[maybe_unused]] const bool g_crashProbe = RunCrashProbeIfAsked();

std::wstring ThisProgramName() {
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    return ExtractFileName(path);
}

size_t Count(const std::wstring& text, const std::wstring& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A temporary profile for the probe, and the bug-report file in it.
class CrashProbe {
  public:
    explicit CrashProbe(const wchar_t* how)
        : profile_(L"USERPROFILE", folder_.Path().c_str()), how_(kCrashProbeVariable, how) {}
    DWORD Run() { return test::RunThisProgramAgain(); }
    std::wstring ReportFile() const { return UserDataDirFromProfile(folder_.Path()) + kBugReportFileName; }
    std::string Bytes() const { return test::ReadBytes(ReportFile()); }

  private:
    test::TempFolder folder_;
    test::ScopedEnv profile_;
    test::ScopedEnv how_;
};

TEST(BugReportWin, EachCrashAppendsAReportAndKeepsTheEarlierOnes) {
    CrashProbe probe(L"null-write");
    ASSERT_EQ(probe.Run(), kPassedOn);  // the data folder did not exist: the reporter made it
    const std::string first = probe.Bytes();
    ASSERT_EQ(probe.Run(), kPassedOn);
    const std::string both = probe.Bytes();

    ASSERT_EQ(both.compare(0, first.size(), first), 0);
    const std::wstring text = DecodeText(both);
    EXPECT_EQ(Count(text, L"Tessaline crash report"), 2u);
    EXPECT_EQ(Count(text, L"Exception: 0xC0000005 access violation\r\n"), 2u);
    EXPECT_EQ(Count(text, L"Access: write of 0x" + std::wstring(sizeof(void*) * 2, L'0') + L"\r\n"), 2u);
    EXPECT_EQ(Count(text, L"Stack:\r\n  0x"), 2u);
    for (const std::wstring& line : SplitLines(text)) {
        if (line.starts_with(L"Address: ")) {
            EXPECT_NE(line.find(L" " + ThisProgramName() + L"+0x"), std::wstring::npos) << line;
        }
    }
}

TEST(BugReportWin, OldUtf16ReportsStayAndTheNewOneFollowsInUtf16) {
    CrashProbe probe(L"null-write");
    const std::string old = test::Utf16LeWithBom(L"old report \x00E9\r\n") + std::string("\x01\x02", 2);
    test::WriteBytes(probe.ReportFile(), old);

    ASSERT_EQ(probe.Run(), kPassedOn);
    const std::string after = probe.Bytes();
    ASSERT_EQ(after.compare(0, old.size(), old), 0);
    EXPECT_NE(Utf16LeToWide(after.substr(old.size())).find(L"\r\nException: 0xC0000005 access violation\r\n"),
              std::wstring::npos);
}

TEST(BugReportWin, EscapedCppExceptionIsReportedWithItsMessage) {
    CrashProbe probe(L"throw");
    // The C++ runtime ends the program (abort), not Windows' error reporting.
    EXPECT_EQ(probe.Run(), kAbortExitCode);
    const std::wstring text = DecodeText(probe.Bytes());
    EXPECT_EQ(Count(text, L"Exception: unhandled C++ exception: probe failure\r\n"), 1u) << text;
}

TEST(BugReportWin, StackOverflowIsReportedFromAThreadOfItsOwn) {
    CrashProbe probe(L"stack-overflow");
    ASSERT_EQ(probe.Run(), kPassedOn);
    const std::wstring text = DecodeText(probe.Bytes());
    EXPECT_EQ(Count(text, L"Exception: 0xC00000FD stack overflow\r\n"), 1u) << text;
    EXPECT_GE(Count(text, L" " + ThisProgramName() + L"+0x"), 2u) << "the probe's frames, walked from the helper";
}

__attribute__((noinline)) void CaptureHere(CONTEXT& context) {
    RtlCaptureContext(&context);
}

TEST(BugReportWin, ReportFromAnExceptionRecordWalksTheStackThroughThisProgram) {
    CONTEXT context{};
    CaptureHere(context);
    EXCEPTION_RECORD record{};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    record.ExceptionAddress = reinterpret_cast<void*>(&CaptureHere);
    record.NumberParameters = 2;
    record.ExceptionInformation[0] = 0;
    record.ExceptionInformation[1] = 0x10;
    EXCEPTION_POINTERS exception{&record, &context};

    const TBugReport report =
        BugReportFromException(exception, StackBoundsFrom(StackPointerOf(context)), GetCurrentThreadId());
    EXPECT_EQ(report.location.module, ThisProgramName());
    EXPECT_EQ(report.location.moduleBase, reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr)));
    EXPECT_EQ(report.access, TMemoryAccess::Read);
    EXPECT_EQ(report.accessAddress, 0x10u);
    EXPECT_EQ(report.processId, GetCurrentProcessId());
    // This test's body, GoogleTest's callers, up to the program's entry: all in this program.
    ASSERT_GE(report.frames.size(), 3u);
    ASSERT_LE(report.frames.size(), kMaxStackFrames);
    EXPECT_EQ(report.frames[0].module, ThisProgramName());
    EXPECT_EQ(report.frames[1].module, ThisProgramName());
}

TEST(BugReportWin, AddressesOutsideEveryModuleHaveNone) {
    EXPECT_EQ(LocateCode(0).module, L"");
    EXPECT_EQ(LocateCode(0x10).module, L"");
    const TCodeLocation kernel = LocateCode(reinterpret_cast<uintptr_t>(&GetTickCount));
    EXPECT_EQ(LowerAZ(kernel.module), L"kernel32.dll");
    EXPECT_EQ(kernel.moduleBase, reinterpret_cast<uintptr_t>(GetModuleHandleW(L"kernel32.dll")));
}

TEST(BugReportWin, ReportFileThatCannotBeReadIsNotReplaced) {
    test::TempFolder folder;
    const std::wstring dataDir = folder.Path() + L"\\";
    const std::wstring file = dataDir + kBugReportFileName;
    test::WriteBytes(file, "earlier reports\r\n");
    // Held open without read sharing: a rename over it would still succeed, the read does not.
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(AppendBugReportToFile(dataDir, {L"new report"}));
    CloseHandle(held);
    EXPECT_EQ(test::ReadBytes(file), "earlier reports\r\n");
}

}  // namespace
}  // namespace tessaline
