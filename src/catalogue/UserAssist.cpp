#include "catalogue/UserAssist.h"

#include "base/Strings.h"
#include "catalogue/KnownFolders.h"

namespace tessaline {
namespace {

constexpr size_t kFileTimeOffset = 60;
constexpr size_t kFileTimeEnd = kFileTimeOffset + 8;

wchar_t Rot13(wchar_t c) {
    if ((c >= L'A' && c <= L'M') || (c >= L'a' && c <= L'm')) {
        return static_cast<wchar_t>(c + 13);
    }
    if ((c >= L'N' && c <= L'Z') || (c >= L'n' && c <= L'z')) {
        return static_cast<wchar_t>(c - 13);
    }
    return c;
}

}  // namespace

std::wstring Rot13(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out) {
        c = Rot13(c);
    }
    return out;
}

std::wstring DecodeUserAssistName(std::wstring_view valueName, const StartMenuKnownFolderFn& startMenuKnownFolder) {
    const std::wstring decoded = Rot13(valueName);
    if (const size_t drive = decoded.find(L":\\"); drive != std::wstring::npos) {
        // Other text may come before the drive letter; a ":\" at the very start has no letter to keep.
        return decoded.substr(drive == 0 ? 0 : drive - 1);
    }
    const size_t slash = decoded.find(L'\\');
    if (slash == std::wstring::npos || slash == 0) {
        return {};
    }
    const std::wstring head = decoded.substr(0, slash);
    if (!IsGuidText(head) || !startMenuKnownFolder) {
        return {};
    }
    const std::wstring base = startMenuKnownFolder(head);
    if (base.empty()) {
        return {};
    }
    const std::wstring rest = decoded.substr(slash + 1);
    if (LowerAZ(rest).find(L"windows explorer.lnk") != std::wstring::npos) {
        return {};
    }
    return base + rest;
}

bool IsExeFile(std::wstring_view path) {
    return LowerAZ(path).ends_with(L".exe");
}

std::optional<uint64_t> ReadUserAssistFileTime(std::string_view valueData) {
    if (valueData.size() < kFileTimeEnd) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (size_t i = kFileTimeEnd; i > kFileTimeOffset; --i) {
        value = (value << 8) | static_cast<uint8_t>(valueData[i - 1]);
    }
    return value;
}

bool UserAssistValuesStillHold(const TUserAssistKeyState& kept, const TUserAssistKeyState& now) {
    constexpr uint64_t kSecond = 10'000'000;
    return kept.WriteTime != 0 && now.WriteTime == kept.WriteTime && now.ValueCount == kept.ValueCount &&
           kept.ReadAt >= kept.WriteTime && kept.ReadAt - kept.WriteTime >= kSecond;
}

}  // namespace tessaline
