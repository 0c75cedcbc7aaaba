// The bug-report file as a crash finds it (any bytes: an earlier report, a hand edit, a torn write), and the
// report appended to it. The input is the file; the report's message and program path come from its end.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "base/TextFile.h"
#include "base/WideText.h"
#include "startmenu/BugReport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaline;
    using fuzz::Check;
    const std::string existing(reinterpret_cast<const char*>(data), size);

    TBugReport report;
    report.program = Utf8ToWide(existing.substr(existing.size() / 2));
    report.hasExceptionCode = size % 2 == 0;
    report.exceptionCode = size % 3 == 0 ? kAccessViolation : kMsvcCppException;
    report.access = MemoryAccessFromParameter(size % 9);
    report.message = Utf8ToWide(existing.substr(existing.size() * 3 / 4));
    report.location = {0x401000 + size, L"Tessaline.exe", 0x400000};
    report.frames.assign(size % 70, TCodeLocation{0x7FF0 + size, size % 5 == 0 ? L"" : L"user32.dll", 0x7000});
    const std::vector<std::wstring> lines = FormatBugReport(report);
    // One report: every line on its own, whatever the program path or message hold.
    for (const std::wstring& line : lines) {
        Check(line.find_first_of(L"\r\n") == std::wstring::npos);
    }
    Check(lines.size() <= 8 + kMaxStackFrames);

    const std::string bytes = AppendBugReportBytes(existing, lines);
    // What was there is kept byte for byte.
    Check(bytes.starts_with(existing));
    // In a file whose encoding its byte-order mark names (every file the program starts), the report reads back
    // as its own lines at the end, and the file keeps its encoding.
    const bool marked = existing.empty() || existing.starts_with("\xEF\xBB\xBF") || existing.starts_with("\xFF\xFE") ||
                        existing.starts_with("\xFE\xFF");
    if (marked) {
        const TextEncoding encoding = existing.empty() ? TextEncoding::Utf8 : DetectEncoding(existing);
        Check(DetectEncoding(bytes) == encoding);
        const std::vector<std::wstring> all = SplitLines(DecodeText(bytes));
        Check(all.size() >= lines.size());
        Check(std::equal(lines.begin(), lines.end(), all.end() - static_cast<std::ptrdiff_t>(lines.size())));
    }
    return 0;
}
