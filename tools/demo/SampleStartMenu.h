#pragma once
// The demo's sample Start Menu: which shortcuts to programs that ship with Wine go where, and the UserAssist
// records that make some of them frequently used. Pure; any thread.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaline::demo {

// Where a program may lie; the glue turns these into the system's folders.
enum class TSampleFolder { None, System32, Windows, Accessories /* Program Files\Windows NT\Accessories */ };

struct TSampleProgram {
    std::wstring_view Name;       // the shortcut's name without ".lnk"
    std::wstring_view SubFolder;  // below Programs; empty for the top level
    std::wstring_view ExeName;
    std::array<TSampleFolder, 3> LookIn;  // first existing one wins; None ends the list
    uint32_t RunCount;                    // 0: no launch history
};

const std::vector<TSampleProgram>& SamplePrograms();

// programsFolder\[SubFolder\]Name.lnk, with or without a trailing delimiter on programsFolder.
std::wstring SampleLinkPath(std::wstring_view programsFolder, const TSampleProgram& program);

inline constexpr size_t kUserAssistRecordSize = 72;
inline constexpr size_t kUserAssistRunCountOffset = 4;

// The 72-byte record the shell keeps per launched item (Windows 7 and later), little-endian: 0, run count, focus
// count, focus time in ms, ten floats -1.0, 0xFFFFFFFF, FILETIME of the last run (UTC), 0.
std::string UserAssistRecord(uint32_t runCount, uint32_t focusCount, uint32_t focusMs, uint64_t lastRunFileTime);

}  // namespace tessaline::demo
