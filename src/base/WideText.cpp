#include "base/WideText.h"

#include <optional>

#include <cstdint>

namespace tessaline {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePoint(std::wstring& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(cp));
    }
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// One UTF-8 sequence at `i`: its code point and the bytes it took. A malformed one takes the bytes up to the first
// that does not continue it (at least one) and gives no code point.
struct TUtf8Sequence {
    std::optional<char32_t> CodePoint;
    size_t Length = 1;
};

TUtf8Sequence ReadSequence(std::string_view bytes, size_t i) {
    const auto b0 = static_cast<uint8_t>(bytes[i]);
    if (b0 < 0x80) {
        return {b0, 1};
    }
    size_t len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return {std::nullopt, 1};
    }
    size_t k = 1;
    for (; k < len && i + k < bytes.size(); ++k) {
        const auto b = static_cast<uint8_t>(bytes[i + k]);
        if ((b & 0xC0) != 0x80) {
            break;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (k < len || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return {std::nullopt, k};  // the bytes that were taken as continuation bytes, and no more
    }
    return {cp, len};
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const TUtf8Sequence sequence = ReadSequence(bytes, i);
        if (!sequence.CodePoint) {
            return false;
        }
        i += sequence.Length;
    }
    return true;
}

std::wstring Utf8ToWide(std::string_view utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const TUtf8Sequence sequence = ReadSequence(utf8, i);
        AppendCodePoint(out, sequence.CodePoint.value_or(kReplacement));
        i += sequence.Length;
    }
    return out;
}

std::string WideToUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = static_cast<char32_t>(text[i]) & 0xFFFF;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) {
            const char32_t low = static_cast<char32_t>(text[i + 1]) & 0xFFFF;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            unit = kReplacement;
        }
        AppendUtf8(out, unit);
    }
    return out;
}

namespace {

std::wstring Utf16ToWide(std::string_view bytes, bool bigEndian) {
    std::wstring out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<uint8_t>(bytes[i]);
        const auto second = static_cast<uint8_t>(bytes[i + 1]);
        out.push_back(static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return out;
}

}  // namespace

std::wstring Utf16LeToWide(std::string_view bytes) {
    return Utf16ToWide(bytes, false);
}

std::wstring Utf16BeToWide(std::string_view bytes) {
    return Utf16ToWide(bytes, true);
}

std::string WideToUtf16Le(std::wstring_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (wchar_t c : text) {
        const auto unit = static_cast<uint32_t>(c) & 0xFFFF;
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    }
    return out;
}

}  // namespace tessaline
