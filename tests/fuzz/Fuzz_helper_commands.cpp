// What reaches our helpers and the program from outside: the parameter text a helper is started with (anyone can
// start it), the rundll32 entry's command line, and the executable names of a process snapshot.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/WideText.h"
#include "helpers/taskbar/TarnwickPlacement.h"
#include "system/HelperProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaline;
    using fuzz::Check;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::wstring text = Utf8ToWide(bytes);

    // A helper acts only on exactly its own switch.
    const TTarnwickCommand command = ParseTarnwickCommand(text);
    const std::wstring trimmed = Trim(text);
    Check((command == TTarnwickCommand::LoadDll) == (UpperAZ(trimmed) == L"/LOADDLL"));
    Check((command == TTarnwickCommand::Restart) == (UpperAZ(trimmed) == L"/RESTART"));
    Check((command == TTarnwickCommand::Quit) == (UpperAZ(trimmed) == L"/QUIT"));
    Check(IsHelperParameter(text, kHotCornersParameter) == (UpperAZ(trimmed) == L"/HOTCORNERS"));

    // Two non-zero numbers, and what PlanPlacement writes for them reads back as the same.
    if (const auto arguments = ParseRundllArguments(bytes)) {
        Check(arguments->Taskbar != 0 && arguments->Generation != 0);
        const TPlacementPlan plan = PlanPlacement(false, true, L"C:\\Program Files\\T", L"C:\\Windows",
                                                  arguments->Taskbar, arguments->Generation);
        // rundll32 hands the entry what follows its name and a blank.
        const std::string parameters = WideToUtf8(plan.Rundll32Parameters);
        const std::string entry = std::string(kPlaceRundllExport) + " ";
        const size_t at = parameters.find(entry);
        Check(at != std::string::npos);
        Check(ParseRundllArguments(parameters.substr(at + entry.size())) == arguments);
    }

    // Each line is one running process; the last one is ours, whatever it is called: never ended, and the others
    // that match are ended in snapshot order.
    const std::vector<std::wstring> names = SplitLines(text);
    std::vector<TProcessEntry> snapshot;
    for (size_t i = 0; i < names.size(); ++i) {
        snapshot.push_back({static_cast<uint32_t>(i + 1), names[i]});
    }
    const uint32_t own = static_cast<uint32_t>(names.size());
    for (const std::wstring& helper : HelperProcessNames()) {
        const std::vector<uint32_t> ended = ProcessesToEnd(snapshot, helper, own);
        size_t next = 0;
        for (const TProcessEntry& entry : snapshot) {
            const bool matches = entry.ProcessId != own && ProcessNameMatches(entry.ExeFile, helper);
            if (matches) {
                Check(next < ended.size() && ended[next] == entry.ProcessId);
                ++next;
            }
        }
        Check(next == ended.size());
    }
    return 0;
}
