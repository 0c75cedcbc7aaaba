#include "catalogue/UserDataFile.h"

#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/Trace.h"
#include "base/WideText.h"

namespace tessaline {
namespace {

constexpr wchar_t kFieldSeparator = L';';

// `value` in decimal with at least `width` digits; a negative value keeps its sign and is not padded. Written in
// place: every launch record and every time written passes here.
void AppendDigits(std::wstring& out, int32_t value, int width) {
    wchar_t digits[12];
    int count = 0;
    int64_t rest = value < 0 ? -static_cast<int64_t>(value) : value;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (value < 0) {
        out += L'-';
    } else if (count < width) {
        out.append(static_cast<size_t>(width - count), L'0');
    }
    while (count > 0) {
        out += digits[--count];
    }
}

// Exactly `width` decimal digits at `pos`.
bool ReadDigits(std::wstring_view text, size_t pos, size_t width, int32_t& value) {
    value = 0;
    for (size_t i = pos; i < pos + width; ++i) {
        if (text[i] < L'0' || text[i] > L'9') {
            return false;
        }
        value = value * 10 + (text[i] - L'0');
    }
    return true;
}

}  // namespace

std::wstring FormatUserDataTime(const TDateTime& value) {
    std::wstring out;
    out.reserve(19);
    AppendDigits(out, value.month, 2);
    out += L'/';
    AppendDigits(out, value.day, 2);
    out += L'/';
    AppendDigits(out, value.year, 4);
    out += L' ';
    AppendDigits(out, value.hour, 2);
    out += L':';
    AppendDigits(out, value.minute, 2);
    out += L':';
    AppendDigits(out, value.second, 2);
    return out;
}

TDateTime ParseUserDataTime(std::wstring_view text) {
    // mm/dd/yyyy hh:mm:ss
    static constexpr std::wstring_view kShape = L"00/00/0000 00:00:00";
    text = TrimView(text);
    if (text.size() != kShape.size()) {
        return {};
    }
    for (size_t i = 0; i < kShape.size(); ++i) {
        if (kShape[i] != L'0' && text[i] != kShape[i]) {
            return {};
        }
    }
    TDateTime value;
    if (!ReadDigits(text, 0, 2, value.month) || !ReadDigits(text, 3, 2, value.day) ||
        !ReadDigits(text, 6, 4, value.year) || !ReadDigits(text, 11, 2, value.hour) ||
        !ReadDigits(text, 14, 2, value.minute) || !ReadDigits(text, 17, 2, value.second) || !IsValidDateTime(value)) {
        return {};
    }
    return value;
}

TUserDataRecord ParseUserDataLine(std::wstring_view line) {
    TUserDataRecord record;
    const size_t first = line.find(kFieldSeparator);
    if (first == std::wstring_view::npos) {
        record.Path = line;
        return record;
    }
    // Windows allows ";" in file names; the date and count written after the path never hold one.
    const size_t last = line.rfind(kFieldSeparator);
    if (last > first) {
        const size_t second = line.rfind(kFieldSeparator, last - 1);
        if (second > first) {
            const TDateTime when = ParseUserDataTime(line.substr(second + 1, last - second - 1));
            if (!when.IsZero()) {
                record.Path = line.substr(0, second);
                record.LastRun = when;
                record.Count = ParseInt32(line.substr(last + 1)).value_or(0);
                return record;
            }
        }
    }
    record.Path = line.substr(0, first);
    const std::wstring_view rest = line.substr(first + 1);
    const size_t split = rest.find(kFieldSeparator);
    record.LastRun = ParseUserDataTime(rest.substr(0, split));
    if (split != std::wstring_view::npos) {
        record.Count = ParseInt32(rest.substr(split + 1)).value_or(0);
    }
    return record;
}

std::wstring MakeUserDataLine(std::wstring_view path, const TDateTime& when) {
    std::wstring line;
    line.reserve(path.size() + 23);
    line += path;
    line += kFieldSeparator;
    line += FormatUserDataTime(when);
    line += L";1";
    return line;
}

bool LineNamesPath(std::wstring_view line, std::wstring_view path) {
    if (path.empty()) {
        return false;
    }
    // Only where the path ends its field: "App.lnk" must not take the line of "App.lnk backup.lnk".
    for (size_t pos = line.find(path); pos != std::wstring_view::npos; pos = line.find(path, pos + 1)) {
        const size_t end = pos + path.size();
        if (end == line.size() || line[end] == kFieldSeparator) {
            return true;
        }
    }
    return false;
}

bool RemoveFirstLineNaming(std::vector<std::wstring>& lines, std::wstring_view path) {
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        if (LineNamesPath(*it, path)) {
            lines.erase(it);
            return true;
        }
    }
    return false;
}

std::wstring PutLaunchRecordOnTop(std::vector<std::wstring>& lines, std::wstring_view path, const TDateTime& now) {
    RemoveFirstLineNaming(lines, path);
    std::wstring line = MakeUserDataLine(path, now);
    lines.insert(lines.begin(), line);
    return line;
}

TUserDataText DecodeUserData(std::string_view bytes) {
    TUserDataText text;
    const TextEncoding encoding = DetectEncoding(bytes);
    const bool marked =
        bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    std::wstring decoded;
    if (marked || encoding != TextEncoding::Ansi) {
        decoded = DecodeText(bytes);
    } else if (IsValidUtf8(bytes)) {
        decoded = Utf8ToWide(bytes);  // plain ASCII reads the same in every code page, and UTF-8 is kept whole
    } else {
        decoded = DecodeText(bytes);
        text.Sure = false;
    }
    // Only CR LF and LF end a line, as the file is written; a CR alone stays in its line.
    size_t start = 0;
    for (size_t i = 0; i < decoded.size(); ++i) {
        if (decoded[i] == L'\n') {
            const size_t end = i > start && decoded[i - 1] == L'\r' ? i - 1 : i;
            text.Lines.push_back(decoded.substr(start, end - start));
            start = i + 1;
        }
    }
    if (start < decoded.size()) {
        text.Lines.push_back(decoded.substr(start));
    }
    return text;
}

FileReadResult ReadUserDataFile(const std::wstring& dataFile, TUserDataText& text, std::string* bytes) {
    std::string read;
    const FileReadResult result = ReadFileBytes(dataFile, read);
    text = result == FileReadResult::Ok ? DecodeUserData(read) : TUserDataText{};
    if (bytes != nullptr) {
        *bytes = std::move(read);
    }
    return result;
}

std::wstring KeptUserDataCopy(const std::wstring& dataFile) {
    return dataFile + L".bad";
}

namespace {

// Reads the file for a rewrite. A file that is there but cannot be read, and one decoded by guesswork whose copy
// cannot be kept, are not rewritten: false.
bool ReadForRewrite(const std::wstring& dataFile, std::vector<std::wstring>& lines, FileReadResult& result) {
    TUserDataText text;
    std::string bytes;
    result = ReadUserDataFile(dataFile, text, &bytes);
    if (result == FileReadResult::Failed) {
        return false;
    }
    if (!text.Sure) {
        // Its lines may have been read wrong: what the user had is kept where they can find it.
        const std::wstring kept = KeptUserDataCopy(dataFile);
        if (!ReplaceFileAtomically(kept, bytes)) {
            Trace(L"UserData: cannot keep ", dataFile, L" as ", kept, L"; not rewriting it");
            return false;
        }
        Trace(L"UserData: ", dataFile, L" read by guesswork; kept as ", kept);
    }
    lines = std::move(text.Lines);
    return true;
}

}  // namespace

bool AddLaunchRecordToFile(const std::wstring& dataFile, const std::wstring& path, const TDateTime& now) {
    if (path.empty()) {
        Trace(L"AddLaunchRecord: empty path");
        return false;
    }
    if (const std::wstring folder = ExtractFileDir(dataFile); !folder.empty() && !CreateDirectoryTree(folder)) {
        Trace(L"AddLaunchRecord: cannot create ", folder);
    }
    std::vector<std::wstring> lines;
    FileReadResult read = FileReadResult::Missing;
    if (!ReadForRewrite(dataFile, lines, read)) {
        // Writing now would replace the user's history with this one record.
        Trace(L"AddLaunchRecord: cannot read ", dataFile);
        return false;
    }
    const std::wstring line = PutLaunchRecordOnTop(lines, path, now);
    Trace(L"-1: ", line);
    if (!WriteUtf16LeLinesAtomic(dataFile, lines)) {
        Trace(L"AddLaunchRecord: cannot write ", dataFile);
        return false;
    }
    return true;
}

bool RemoveEntryFromFile(const std::wstring& dataFile, const std::wstring& linkPath) {
    std::vector<std::wstring> lines;
    FileReadResult read = FileReadResult::Missing;
    if (!ReadForRewrite(dataFile, lines, read)) {
        Trace(L"RemoveEntry: cannot read ", dataFile);
        return false;
    }
    if (read == FileReadResult::Missing || !RemoveFirstLineNaming(lines, linkPath)) {
        return false;
    }
    if (!WriteUtf16LeLinesAtomic(dataFile, lines)) {
        Trace(L"RemoveEntry: cannot write ", dataFile);
        return false;
    }
    return true;
}

}  // namespace tessaline
