#pragma once
// Text files as the settings and language code reads and writes them.

#include <string>
#include <string_view>
#include <vector>

#include "base/FileSystem.h"

namespace tessaline {

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// Chooses the encoding by byte-order mark; without one, UTF-16 (LE or BE) when the zero bytes show it (as some
// editors write it), else the ANSI code page (see AnsiCodePage.h).
TextEncoding DetectEncoding(std::string_view bytes);
std::wstring DecodeText(std::string_view bytes);

// CR LF, a lone LF and a lone CR each end a line; a final line break adds no empty line.
std::vector<std::wstring> SplitLines(std::wstring_view text);

// The same lines as SplitLines, each given to `each` as a view into `text`, in order.
template <class Each>
void ForEachLine(std::wstring_view text, Each&& each) {
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            each(text.substr(start, i - start));
            i += (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) {
        each(text.substr(start));
    }
}

// UTF-16 LE with byte-order mark, every line ended by CR LF.
std::string EncodeUtf16LeLines(const std::vector<std::wstring>& lines);

// Missing leaves `lines` empty; Failed means the file is there but could not be read.
FileReadResult ReadTextFileLines(const std::wstring& path, std::vector<std::wstring>& lines);

// Replaces the file atomically (temporary file beside it, then a rename over it).
bool WriteUtf16LeLinesAtomic(const std::wstring& path, const std::vector<std::wstring>& lines);

}  // namespace tessaline
