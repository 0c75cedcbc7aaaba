#include "base/TextFile.h"

#include "base/AnsiCodePage.h"
#include "base/FileSystem.h"
#include "base/WideText.h"

namespace tessaline {

namespace {

constexpr size_t kFewestZeroBytes = 4;

bool HasBom(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return bytes.starts_with("\xEF\xBB\xBF");
        case TextEncoding::Utf16Le:
            return bytes.starts_with("\xFF\xFE");
        case TextEncoding::Utf16Be:
            return bytes.starts_with("\xFE\xFF");
        case TextEncoding::Ansi:
            break;
    }
    return false;
}

}  // namespace

TextEncoding DetectEncoding(std::string_view bytes) {
    for (TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Utf16Be}) {
        if (HasBom(bytes, encoding)) {
            return encoding;
        }
    }
    // Without a mark: text in an ANSI code page holds no zero bytes, while UTF-16 text whose characters are mostly
    // below U+0100 (every INI file's names and brackets) has one in most of its code units, all on one side. A few
    // stray zero bytes are not enough to tell.
    size_t zeroHigh[2] = {0, 0};  // zero bytes at even and at odd offsets
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        zeroHigh[0] += bytes[i] == '\0' ? 1 : 0;
        zeroHigh[1] += bytes[i + 1] == '\0' ? 1 : 0;
    }
    const size_t units = bytes.size() / 2;
    for (int odd : {1, 0}) {
        const size_t on = zeroHigh[odd];
        const size_t off = zeroHigh[1 - odd];
        if (on >= kFewestZeroBytes && on * 2 >= units && off * 8 <= on) {
            return odd == 1 ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
        }
    }
    return TextEncoding::Ansi;
}

std::wstring DecodeText(std::string_view bytes) {
    const TextEncoding encoding = DetectEncoding(bytes);
    if (HasBom(bytes, encoding)) {
        bytes.remove_prefix(encoding == TextEncoding::Utf8 ? 3 : 2);
    }
    switch (encoding) {
        case TextEncoding::Utf8:
            return Utf8ToWide(bytes);
        case TextEncoding::Utf16Le:
            return Utf16LeToWide(bytes);
        case TextEncoding::Utf16Be:
            return Utf16BeToWide(bytes);
        case TextEncoding::Ansi:
            break;
    }
    return AnsiToWide(bytes);
}

std::vector<std::wstring> SplitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    ForEachLine(text, [&lines](std::wstring_view line) { lines.emplace_back(line); });
    return lines;
}

std::string EncodeUtf16LeLines(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const auto& line : lines) {
        text += line;
        text += L"\r\n";
    }
    return "\xFF\xFE" + WideToUtf16Le(text);
}

FileReadResult ReadTextFileLines(const std::wstring& path, std::vector<std::wstring>& lines) {
    lines.clear();
    std::string bytes;
    switch (ReadFileBytes(path, bytes)) {
        case FileReadResult::Ok:
            break;
        case FileReadResult::Missing:
            return FileReadResult::Missing;
        case FileReadResult::Failed:
            return FileReadResult::Failed;
    }
    lines = SplitLines(DecodeText(bytes));
    return FileReadResult::Ok;
}

bool WriteUtf16LeLinesAtomic(const std::wstring& path, const std::vector<std::wstring>& lines) {
    return ReplaceFileAtomically(path, EncodeUtf16LeLines(lines));
}

}  // namespace tessaline
