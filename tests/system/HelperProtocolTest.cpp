// The helper protocol: message parameters, command lines, and which processes count as the hot-corner helper.
#include "system/HelperProtocol.h"

#include <gtest/gtest.h>

namespace tessaline {
namespace {

TEST(HelperProtocol, MessagesCarryTheParametersTheOtherSideReads) {
    struct Case {
        TWindowMessage built;
        TWindowMessage expected;
    };
    for (auto [built, expected] : {
             Case{TaskbarAttachMessage(true), {2025, 1, 0}},
             Case{TaskbarAttachMessage(false), {2025, 0, 0}},
             Case{ExplorerAliveMessage(7), {3224, 0, 7}},
             Case{SetHotCornersMessage(true), {3527, 0, 1}},
             Case{SetHotCornersMessage(false), {3527, 0, 0}},
             Case{SetHotSidebarMessage(true), {3528, 0, 1}},
             Case{SetHotSidebarMessage(false), {3528, 0, 0}},
             Case{HookHotCornersMessage(), {3524, 0, 3}},
         }) {
        EXPECT_EQ(built, expected) << expected.Message << " lParam " << expected.LParam;
    }
}

TEST(HelperProtocol, HelpersStartFromTheProgramsFolder) {
    EXPECT_EQ(HelperPath(L"C:\\Tessaline\\", LoadDllLaunch()), L"C:\\Tessaline\\Tarnwick.exe");
    EXPECT_EQ(HelperPath(L"C:\\Tessaline", RestartLaunch()), L"C:\\Tessaline\\Tarnwick.exe");
    // The helper follows the Windows, not the 32-bit program.
    EXPECT_EQ(HotCornersLaunch(true).File, L"Velmora64.exe");
    EXPECT_EQ(HotCornersLaunch(false).File, L"Velmora32.exe");
}

TEST(HelperProtocol, ProcessNamesMatchWithoutRegardToCaseOrFolder) {
    struct Case {
        const wchar_t* exeFile;
        bool matches;
    };
    for (auto [exeFile, matches] : {
             Case{L"Velmora32.exe", true},
             Case{L"VELMORA32.EXE", true},
             Case{L"C:\\Somewhere Else\\velmora32.exe", true},  // started from any folder
             Case{L"D:/tools/Velmora32.exe", true},
             Case{L"Velmora64.exe", false},
             Case{L"Velmora32.exe.bak", false},
             Case{L"MyVelmora32.exe", false},
             Case{L"Velmora32", false},
             Case{L"", false},
         }) {
        EXPECT_EQ(ProcessNameMatches(exeFile, L"Velmora32.exe"), matches) << exeFile;
    }
}

TEST(HelperProtocol, EveryMatchingProcessIsEndedButOurOwn) {
    const std::vector<TProcessEntry> snapshot{
        {4, L"System"},          {100, L"explorer.exe"},  {210, L"Velmora32.exe"},
        {220, L"VELMORA32.EXE"}, {230, L"Velmora64.exe"}, {300, L"Velmora32.exe"},
    };
    EXPECT_EQ(ProcessesToEnd(snapshot, L"Velmora32.exe", 999), (std::vector<uint32_t>{210, 220, 300}));
    EXPECT_EQ(ProcessesToEnd(snapshot, L"Velmora64.exe", 999), (std::vector<uint32_t>{230}));
    // A program renamed after the helper must not end itself halfway through undocking.
    EXPECT_EQ(ProcessesToEnd(snapshot, L"Velmora32.exe", 220), (std::vector<uint32_t>{210, 300}));
    EXPECT_TRUE(ProcessesToEnd({}, L"Velmora32.exe", 999).empty());
}

}  // namespace
}  // namespace tessaline
