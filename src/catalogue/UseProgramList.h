#pragma once
// The frequently used programs: the merge of the shell's launch records (UserAssist) and UserData.ini into one
// list keyed by the program file, newest first. Pure; the registry, the file and the shell come in as values
// and callbacks. The list lives on the user-interface thread.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/DateTime.h"
#include "catalogue/LazyDisplayNames.h"

namespace tessaline {

struct TUseProgramInfo {
    std::wstring TargetPath;         // the program file; the key (A-Z case ignored)
    std::wstring LinkPath;           // the shortcut it was first found through; what a click starts
    TDateTime LastRun;               // latest over every source naming the program
    std::wstring DisplayName;        // of the last source merged; asked of the shell when the entry is first read
    std::wstring UserAssistName;     // still encoded; empty when only UserData.ini names it
    std::wstring DisplayNameSource;  // the path whose display name DisplayName is
};

// One value of the UserAssist Count key, as read. Data that could not be read is left empty.
struct TUserAssistValue {
    std::wstring Name;
    std::string Data;
};

// What the merge asks of the system. All must be set.
struct TUseProgramShell {
    std::function<bool(const std::wstring& path)> FileExists;
    std::function<std::wstring(const std::wstring& linkPath)> ResolveLinkTarget;  // empty when not a shortcut
    std::function<std::wstring(const std::wstring& path)> GetShellDisplayName;
    std::function<std::wstring(const std::wstring& guidText)> GetStartMenuKnownFolder;
    std::function<TDateTime(uint64_t utcFileTime)> FileTimeToLocal;  // zero when it has no DOS date
};

class TUseProgramList {
  public:
    // Refresh: the registry values in the order the registry returned them, then the lines of UserData.ini.
    void Rebuild(const std::vector<TUserAssistValue>& values,
                 const std::vector<std::wstring>& userDataLines,
                 const TUseProgramShell& shell);
    void Clear() {
        items_.clear();
        names_.Clear();
        byTarget_.clear();
    }

    int Count() const { return static_cast<int>(items_.size()); }
    // nullptr outside 0 .. Count() - 1.
    const TUseProgramInfo* GetItem(int index) const;
    const TUseProgramInfo* FindByTarget(std::wstring_view path) const;

  private:
    size_t IndexOfTarget(std::wstring_view path) const;  // npos when absent
    TUseProgramInfo& FindOrAdd(const std::wstring& target, const std::wstring& link, const std::wstring& name);

    // The shell's display name costs milliseconds and the menu shows at most ten entries, so a name is asked
    // for only when its entry is first read through GetItem or FindByTarget.
    const TUseProgramInfo* Named(size_t index) const;

    mutable std::vector<TUseProgramInfo> items_;
    TLazyDisplayNames names_;
    // Target with A-Z lower-cased -> index: the merge and the pane's pinned check look up every entry.
    std::unordered_map<std::wstring, size_t> byTarget_;
};

}  // namespace tessaline
