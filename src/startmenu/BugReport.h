#pragma once
// Crash reports: the text of one report and its appending to the bug-report file in the data directory.
// The crash handler (BugReportWin.cpp) gathers the facts; everything here is plain values. Any thread.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaline {

inline constexpr wchar_t kBugReportFileName[] = L"Tessaline_Bugreprot.txt";
inline constexpr int kDataDirCreateAttempts = 101;
inline constexpr size_t kMaxStackFrames = 64;

// Exception codes with a name in the report.
inline constexpr uint32_t kAccessViolation = 0xC0000005;
inline constexpr uint32_t kStackOverflow = 0xC00000FD;
inline constexpr uint32_t kIllegalInstruction = 0xC000001D;
inline constexpr uint32_t kIntegerDivideByZero = 0xC0000094;
inline constexpr uint32_t kMsvcCppException = 0xE06D7363;

enum class TMemoryAccess { None, Read, Write, Execute };

// A code address and the module that holds it; an empty module name when none does.
struct TCodeLocation {
    uint64_t address = 0;
    std::wstring module;  // file name, no folder
    uint64_t moduleBase = 0;
};

struct TBugReport {
    // Local time.
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    std::wstring program;  // full path of the executable
    uint32_t processId = 0;
    uint32_t threadId = 0;
    int pointerBytes = 8;  // 4 or 8: the width of addresses in the text

    // A structured exception; when false, `message` says what ended the program (an escaped C++ exception).
    bool hasExceptionCode = true;
    uint32_t exceptionCode = 0;
    std::wstring message;
    TCodeLocation location;
    TMemoryAccess access = TMemoryAccess::None;  // access violations only
    uint64_t accessAddress = 0;
    std::vector<TCodeLocation> frames;  // innermost first, at most kMaxStackFrames
};

// "access violation", ...; empty for a code without a name here.
std::wstring ExceptionCodeName(uint32_t code);
// The access an access-violation parameter 0 describes (0 read, 1 write, 8 execute).
TMemoryAccess MemoryAccessFromParameter(uint64_t parameter);

// "0x" and the address in pointerBytes * 2 hex digits.
std::wstring FormatAddress(uint64_t address, int pointerBytes);
// "Tessaline.exe+0x1A2B", or "?" when no module holds the address.
std::wstring FormatModuleOffset(const TCodeLocation& location);

// The report's lines: a separator line that opens it, the facts, the stack, and an empty line that closes it.
std::vector<std::wstring> FormatBugReport(const TBugReport& report);

// The file's new content: `existing` kept byte for byte, then the report in the file's encoding (UTF-16 by
// its byte-order mark, else UTF-8; a new file gets a UTF-8 byte-order mark), starting on a line of its own.
std::string AppendBugReportBytes(const std::string& existing, const std::vector<std::wstring>& reportLines);

// Appends to dataDir + kBugReportFileName: while the folder is missing, tries to create it (at most
// kDataDirCreateAttempts times); then loads the file if it exists, adds the report and replaces the file
// atomically. A file that is there but cannot be read is left alone. False on any failure; never throws.
bool AppendBugReportToFile(const std::wstring& dataDir, const std::vector<std::wstring>& reportLines);

// Makes unhandled structured exceptions and C++ exceptions that reach std::terminate append a report to the
// bug-report file of GetUserDataDir(); the program then ends as it would have. Call once at start; a second
// call changes nothing. Defined in BugReportWin.cpp.
void InstallCrashReporter();

}  // namespace tessaline
