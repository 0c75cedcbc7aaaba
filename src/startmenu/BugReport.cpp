#include "startmenu/BugReport.h"

#include <algorithm>
#include <new>
#include <utility>

#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/WideText.h"

namespace tessaline {
namespace {

constexpr wchar_t kReportSeparator[] = L"==================== Tessaline crash report ====================";

// `value` in upper-case hexadecimal, at least `minDigits` digits, appended to `out`.
void AppendHex(std::wstring& out, uint64_t value, int minDigits) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    wchar_t digits[16];
    int count = 0;
    do {
        digits[count++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    if (count < minDigits) {
        out.append(static_cast<size_t>(minDigits - count), L'0');
    }
    while (count > 0) {
        out += digits[--count];
    }
}

std::wstring Hex(uint64_t value, int minDigits) {
    std::wstring text;
    AppendHex(text, value, minDigits);
    return text;
}

std::wstring Padded(int value, int digits) {
    std::wstring text = IntToText(value);
    if (static_cast<int>(text.size()) < digits) {
        text.insert(0, static_cast<size_t>(digits) - text.size(), L'0');
    }
    return text;
}

// A line break inside a value would let it pass for a line of the report.
void AppendOneLine(std::wstring& out, std::wstring_view text) {
    const size_t start = out.size();
    out += text;
    for (size_t i = start; i < out.size(); ++i) {
        if (out[i] < 0x20 || out[i] == 0x7F) {
            out[i] = L' ';
        }
    }
}

std::wstring OneLine(std::wstring_view text) {
    std::wstring line;
    AppendOneLine(line, text);
    return line;
}

void AppendAddress(std::wstring& out, uint64_t address, int pointerBytes) {
    out += L"0x";
    AppendHex(out, address, pointerBytes * 2);
}

void AppendModuleOffset(std::wstring& out, const TCodeLocation& location) {
    if (location.module.empty() || location.address < location.moduleBase) {
        out += L'?';
        return;
    }
    AppendOneLine(out, location.module);
    out += L"+0x";
    AppendHex(out, location.address - location.moduleBase, 1);
}

std::wstring AccessText(TMemoryAccess access) {
    switch (access) {
        case TMemoryAccess::Read:
            return L"read";
        case TMemoryAccess::Write:
            return L"write";
        case TMemoryAccess::Execute:
            return L"execute";
        case TMemoryAccess::None:
            break;
    }
    return {};
}

}  // namespace

std::wstring ExceptionCodeName(uint32_t code) {
    switch (code) {
        case kAccessViolation:
            return L"access violation";
        case kStackOverflow:
            return L"stack overflow";
        case kIllegalInstruction:
            return L"illegal instruction";
        case kIntegerDivideByZero:
            return L"integer divide by zero";
        case 0xC000008E:
            return L"floating-point divide by zero";
        case 0xC0000096:
            return L"privileged instruction";
        case 0xC0000006:
            return L"in-page error";
        case 0x80000003:
            return L"breakpoint";
        case 0xC0000409:
            return L"stack buffer overrun";
        case 0xC0000374:
            return L"heap corruption";
        case kMsvcCppException:
            return L"C++ exception";
        default:
            return {};
    }
}

TMemoryAccess MemoryAccessFromParameter(uint64_t parameter) {
    switch (parameter) {
        case 0:
            return TMemoryAccess::Read;
        case 1:
            return TMemoryAccess::Write;
        case 8:
            return TMemoryAccess::Execute;
        default:
            return TMemoryAccess::None;
    }
}

std::wstring FormatAddress(uint64_t address, int pointerBytes) {
    std::wstring text;
    AppendAddress(text, address, pointerBytes);
    return text;
}

std::wstring FormatModuleOffset(const TCodeLocation& location) {
    std::wstring text;
    AppendModuleOffset(text, location);
    return text;
}

std::vector<std::wstring> FormatBugReport(const TBugReport& report) {
    const int width = report.pointerBytes;
    // A line naming code: its address and where that lies in its module. A report may hold many of them.
    const auto where = [width](std::wstring line, const TCodeLocation& location) {
        line.reserve(line.size() + 4 + 2 * static_cast<size_t>(width) + location.module.size() + 20);
        AppendAddress(line, location.address, width);
        line += L' ';
        AppendModuleOffset(line, location);
        return line;
    };
    std::vector<std::wstring> lines;
    lines.reserve(9 + std::min(report.frames.size(), kMaxStackFrames));
    lines.push_back(kReportSeparator);
    lines.push_back(L"Time: " + Padded(report.year, 4) + L"-" + Padded(report.month, 2) + L"-" + Padded(report.day, 2) +
                    L" " + Padded(report.hour, 2) + L":" + Padded(report.minute, 2) + L":" + Padded(report.second, 2) +
                    L"." + Padded(report.millisecond, 3));
    lines.push_back(L"Program: " + OneLine(report.program) + L" (process " + IntToText(report.processId) +
                    L", thread " + IntToText(report.threadId) + L")");
    if (report.hasExceptionCode) {
        std::wstring exception = L"Exception: 0x" + Hex(report.exceptionCode, 8);
        if (const std::wstring name = ExceptionCodeName(report.exceptionCode); !name.empty()) {
            exception += L" " + name;
        }
        lines.push_back(exception);
        lines.push_back(where(L"Address: ", report.location));
        if (report.access != TMemoryAccess::None) {
            lines.push_back(L"Access: " + AccessText(report.access) + L" of " +
                            FormatAddress(report.accessAddress, width));
        }
    } else {
        lines.push_back(L"Exception: " + OneLine(report.message));
    }
    if (report.frames.empty()) {
        lines.push_back(L"Stack: not available");
    } else {
        lines.push_back(L"Stack:");
        const size_t count = std::min(report.frames.size(), kMaxStackFrames);
        for (size_t i = 0; i < count; ++i) {
            lines.push_back(where(L"  ", report.frames[i]));
        }
    }
    lines.push_back(L"");
    return lines;
}

std::string AppendBugReportBytes(const std::string& existing, const std::vector<std::wstring>& reportLines) {
    size_t length = 2;  // room for a line break put before the report
    for (const std::wstring& line : reportLines) {
        length += line.size() + 2;
    }
    std::wstring text;
    text.reserve(length);
    for (const std::wstring& line : reportLines) {
        text += line;
        text += L"\r\n";
    }

    std::string bytes;
    bytes.reserve(existing.size() + 2 + 3 * length);  // the report in UTF-8 takes at most three bytes a unit
    bytes = existing;
    switch (existing.empty() ? TextEncoding::Ansi : DetectEncoding(existing)) {
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be: {
            const bool bigEndian = DetectEncoding(existing) == TextEncoding::Utf16Be;
            if (bytes.size() % 2 != 0) {
                bytes += '\0';  // a torn last unit: realign so the report reads as UTF-16
            }
            if (bytes.size() > 2) {
                const auto high = static_cast<unsigned char>(bytes[bytes.size() - (bigEndian ? 2 : 1)]);
                const auto low = static_cast<unsigned char>(bytes[bytes.size() - (bigEndian ? 1 : 2)]);
                if (high != 0 || (low != '\n' && low != '\r')) {
                    text.insert(0, L"\r\n");
                }
            }
            std::string encoded = WideToUtf16Le(text);
            if (bigEndian) {
                for (size_t i = 0; i + 1 < encoded.size(); i += 2) {
                    std::swap(encoded[i], encoded[i + 1]);
                }
            }
            bytes += encoded;
            break;
        }
        default:
            if (existing.empty()) {
                bytes = "\xEF\xBB\xBF";
            } else if (existing.back() != '\n' && existing.back() != '\r') {
                text.insert(0, L"\r\n");
            }
            bytes += WideToUtf8(text);
            break;
    }
    return bytes;
}

bool AppendBugReportToFile(const std::wstring& dataDir, const std::vector<std::wstring>& reportLines) {
    try {
        for (int attempt = 0; attempt < kDataDirCreateAttempts && !DirectoryExists(dataDir); ++attempt) {
            CreateDirectoryTree(dataDir);
        }
        const std::wstring path = dataDir + kBugReportFileName;
        std::string existing;
        if (ReadFileBytes(path, existing) == FileReadResult::Failed) {
            return false;  // saving now would replace reports we could not read
        }
        return ReplaceFileAtomically(path, AppendBugReportBytes(existing, reportLines));
    } catch (const std::bad_alloc&) {
        return false;  // the crash may have left little memory; the report is lost, the program ends as it would
    }
}

}  // namespace tessaline
