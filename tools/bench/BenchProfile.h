#pragma once
// Profiles of the user's programs built in the running prefix for the benchmarks (real shortcuts in the Start
// Menu folders, real UserAssist values), and timing helpers. Windows only; COM initialised by the caller.

#include <windows.h>

#include <shobjidl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tessaline::bench {

inline constexpr int kRuns = 5;

double Milliseconds(const std::function<void()>& work);
// The middle value (of an odd count; the upper middle of an even one); 0 for none.
double MedianOf(std::vector<double> values);
// The median of kRuns runs; `between` (untimed) runs after each.
double Median(const std::function<void()>& work, const std::function<void()>& between = {});

struct Profile {
    std::wstring apps;
    std::vector<std::wstring> folders;  // made in the Start Menu folders, removed afterwards
    std::vector<std::wstring> loose;
    std::vector<std::wstring> valueNames;
};

// size shortcuts: one in twenty loose in the user's Programs folder (pins), the rest in folders of ten, split
// between the user's and the all-users' Programs folders; `values` UserAssist values name some of them.
Profile Build(int size, int values, IShellLinkW* link, IPersistFile* file);
void Remove(const Profile& profile);

// Entries of a folder (and of its sub-folders when `recurse`) by a bare FindFirstFileExW walk: what listing the
// files costs under Wine, beside which the benchmarks put our own work. `folder` without a trailing "\".
size_t CountEntries(const std::wstring& folder, bool recurse);

// The sizes given on the command line (shortcuts; the UserAssist values follow the size), else the defaults.
std::vector<std::pair<int, int>> ProfileSizes(int argc, wchar_t** argv, std::vector<std::pair<int, int>> defaults);

// One shell-link object and its file interface, for building profiles.
struct TShortcutWriter {
    TShortcutWriter();
    ~TShortcutWriter();
    TShortcutWriter(const TShortcutWriter&) = delete;
    TShortcutWriter& operator=(const TShortcutWriter&) = delete;
    IShellLinkW* Link = nullptr;
    IPersistFile* File = nullptr;
};

}  // namespace tessaline::bench
