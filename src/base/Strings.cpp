#include "base/Strings.h"

#include <limits>

namespace tessaline {

std::wstring_view TrimView(std::wstring_view s) {
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && IsTrimmed(s[begin])) {
        ++begin;
    }
    while (end > begin && IsTrimmed(s[end - 1])) {
        --end;
    }
    return s.substr(begin, end - begin);
}

std::wstring Trim(std::wstring_view s) {
    return std::wstring(TrimView(s));
}

std::wstring UpperAZ(std::wstring_view s) {
    std::wstring out;
    AppendUpperAZ(out, s);
    return out;
}

void AppendUpperAZ(std::wstring& out, std::wstring_view s) {
    const size_t start = out.size();
    out.append(s);
    for (size_t i = start; i < out.size(); ++i) {
        wchar_t& c = out[i];
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - (L'a' - L'A'));
        }
    }
}

std::wstring LowerAZ(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c + (L'a' - L'A'));
        }
    }
    return out;
}

wchar_t FoldCase(wchar_t c) {
    const auto u = static_cast<uint32_t>(c);
    if (u < 0x80) {
        return (u >= 'A' && u <= 'Z') ? static_cast<wchar_t>(u + 32) : c;
    }
    if ((u >= 0xC0 && u <= 0xDE && u != 0xD7)) {
        return static_cast<wchar_t>(u + 32);
    }
    if (u >= 0x100 && u <= 0x17F) {
        // Latin Extended-A pairs: even upper / odd lower, except the run 0x139..0x148 and 0x179..0x17E (odd upper).
        if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) {
            return (u & 1) ? static_cast<wchar_t>(u + 1) : c;
        }
        if (u == 0x130 || u == 0x131 || u == 0x138 || u == 0x149 || u == 0x17F) {
            return c;
        }
        return (u & 1) ? c : static_cast<wchar_t>(u + 1);
    }
    if (u == 0x178) {
        return static_cast<wchar_t>(0xFF);
    }
    if (u >= 0x391 && u <= 0x3AB && u != 0x3A2) {
        return static_cast<wchar_t>(u + 32);
    }
    if (u >= 0x410 && u <= 0x42F) {
        return static_cast<wchar_t>(u + 32);
    }
    if (u >= 0x400 && u <= 0x40F) {
        return static_cast<wchar_t>(u + 80);
    }
    return c;
}

std::wstring FoldCase(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out) {
        c = FoldCase(c);
    }
    return out;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<int32_t> ParseInt32(std::wstring_view s) {
    if (s.empty()) {
        return std::nullopt;
    }
    size_t i = 0;
    bool negative = false;
    if (s[0] == L'+' || s[0] == L'-') {
        negative = s[0] == L'-';
        i = 1;
    }
    int base = 10;
    if (i < s.size() && s[i] == L'$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (; i < s.size(); ++i) {
        const wchar_t c = s[i];
        int digit;
        if (c >= L'0' && c <= L'9') {
            digit = c - L'0';
        } else if (base == 16 && c >= L'a' && c <= L'f') {
            digit = c - L'a' + 10;
        } else if (base == 16 && c >= L'A' && c <= L'F') {
            digit = c - L'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > static_cast<int64_t>(std::numeric_limits<uint32_t>::max())) {
            return std::nullopt;
        }
    }
    if (base == 16 && !negative) {
        // Hexadecimal spells the 32-bit pattern, so "$FFFFFFFF" is -1.
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    }
    if (negative) {
        value = -value;
    }
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

std::wstring IntToText(int64_t value) {
    const std::string digits = std::to_string(value);
    return std::wstring(digits.begin(), digits.end());
}

std::wstring ExtractFileDir(std::wstring_view path) {
    size_t pos = path.size();
    while (pos > 0 && !IsPathDelimiter(path[pos - 1])) {
        --pos;
    }
    if (pos == 0) {
        return {};
    }
    // Keep the delimiter of a root ("C:\", "\") so the root itself stays a folder.
    if (pos == 1 || (pos == 3 && path[1] == L':')) {
        return std::wstring(path.substr(0, pos));
    }
    return std::wstring(path.substr(0, pos - 1));
}

std::wstring ExtractFileName(std::wstring_view path) {
    size_t pos = path.size();
    while (pos > 0 && !IsPathDelimiter(path[pos - 1])) {
        --pos;
    }
    return std::wstring(path.substr(pos));
}

std::wstring ExcludeTrailingDelimiter(std::wstring_view path) {
    if (!path.empty() && IsPathDelimiter(path.back())) {
        path.remove_suffix(1);
    }
    return std::wstring(path);
}

bool MatchesMask(std::wstring_view name, std::wstring_view mask) {
    // Iterative wildcard match with single backtrack point.
    size_t n = 0, m = 0, starM = std::wstring_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == L'?' || FoldCase(mask[m]) == FoldCase(name[n]))) {
            ++n, ++m;
        } else if (m < mask.size() && mask[m] == L'*') {
            starM = m++;
            starN = n;
        } else if (starM != std::wstring_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == L'*') {
        ++m;
    }
    return m == mask.size();
}

bool IsFullyQualifiedPath(std::wstring_view path) {
    if (path.size() >= 3 && path[1] == L':' && IsPathDelimiter(path[2])) {
        const wchar_t drive = path[0];
        return (drive >= L'A' && drive <= L'Z') || (drive >= L'a' && drive <= L'z');
    }
    return path.size() >= 3 && IsPathDelimiter(path[0]) && IsPathDelimiter(path[1]) && !IsPathDelimiter(path[2]);
}

}  // namespace tessaline
