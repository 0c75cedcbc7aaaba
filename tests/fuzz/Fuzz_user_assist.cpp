// UserAssist values as the shell (or anything else that writes the user's registry) leaves them. The first byte
// gives the length of the value name (UTF-8 here, for the fuzzer's sake), the rest is the value data.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzCheck.h"
#include "base/Strings.h"
#include "base/WideText.h"
#include "catalogue/KnownFolders.h"
#include "catalogue/UseProgramList.h"
#include "catalogue/UserAssist.h"

namespace {

constexpr wchar_t kStartMenu[] = L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaline;
    using fuzz::Check;
    if (size == 0) {
        return 0;
    }
    const size_t nameSize = std::min<size_t>(data[0], size - 1);
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::wstring name = Utf8ToWide(bytes.substr(0, nameSize));
    const std::string valueData(bytes.substr(nameSize));

    Check(Rot13(Rot13(name)) == name);
    const auto knownFolder = [](const std::wstring& guid) {
        Check(IsGuidText(guid));
        return guid.back() == L'}' && guid[1] == L'0' ? std::wstring() : std::wstring(kStartMenu);
    };
    const std::wstring link = DecodeUserAssistName(name, knownFolder);
    const std::wstring decoded = Rot13(name);
    if (!link.empty()) {
        if (decoded.find(L":\\") != std::wstring::npos) {
            Check(decoded.ends_with(link) && link.find(L":\\") <= 1);
        } else {
            Check(link.starts_with(kStartMenu));
            Check(LowerAZ(link.substr(std::size(kStartMenu) - 1)).find(L"windows explorer.lnk") == std::wstring::npos);
        }
    }

    const auto fileTime = ReadUserAssistFileTime(valueData);
    Check(fileTime.has_value() == (valueData.size() >= 68));

    // The whole merge over this one value: every file exists and every shortcut starts a program.
    const TUseProgramShell shell{
        .FileExists = [](const std::wstring&) { return true; },
        .ResolveLinkTarget = [](const std::wstring& path) { return L" " + path + L".exe "; },
        .GetShellDisplayName = [](const std::wstring& path) { return path; },
        .GetStartMenuKnownFolder = knownFolder,
        .FileTimeToLocal = [](uint64_t t) { return TDateTime{1980 + static_cast<int32_t>(t % 128), 1, 1, 0, 0, 0}; },
    };
    TUseProgramList list;
    list.Rebuild({{name, valueData}}, {}, shell);
    Check(list.Count() == (link.empty() ? 0 : 1));
    if (list.Count() == 1) {
        const TUseProgramInfo& info = *list.GetItem(0);
        Check(info.LinkPath == link && info.UserAssistName == name);
        Check(info.LastRun.IsZero() == (!fileTime || *fileTime == 0));
    }
    return 0;
}
