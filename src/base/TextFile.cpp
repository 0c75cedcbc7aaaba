#include "base/TextFile.h"

#include "base/AnsiCodePage.h"
#include "base/FileSystem.h"
#include "base/WideText.h"

namespace tessaline {

TextEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return TextEncoding::Utf8;
    }
    if (bytes.starts_with("\xFF\xFE")) {
        return TextEncoding::Utf16Le;
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return TextEncoding::Utf16Be;
    }
    return TextEncoding::Ansi;
}

std::wstring DecodeText(std::string_view bytes) {
    switch (DetectEncoding(bytes)) {
        case TextEncoding::Utf8:
            return Utf8ToWide(bytes.substr(3));
        case TextEncoding::Utf16Le:
            return Utf16LeToWide(bytes.substr(2));
        case TextEncoding::Utf16Be:
            return Utf16BeToWide(bytes.substr(2));
        case TextEncoding::Ansi:
            break;
    }
    return AnsiToWide(bytes);
}

std::vector<std::wstring> SplitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
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
