// Tarnwick's command line, how the hook DLL reaches a taskbar of either bitness, and the rundll32 hand-over.
#include "helpers/taskbar/TarnwickPlacement.h"

#include <gtest/gtest.h>

#include <string>

#include "base/WideText.h"

namespace tessaline {
namespace {

TEST(TarnwickPlacement, CommandsAreTheSwitchesAlone) {
    struct Case {
        const wchar_t* parameters;
        TTarnwickCommand expected;
    };
    for (auto [parameters, expected] : {
             Case{L"/loaddll", TTarnwickCommand::LoadDll},
             Case{L"  /LoadDll ", TTarnwickCommand::LoadDll},
             Case{L"/Restart", TTarnwickCommand::Restart},
             Case{L"/restart", TTarnwickCommand::Restart},
             Case{L" /QUIT", TTarnwickCommand::Quit},
             Case{L"/Quit /Restart", TTarnwickCommand::Unknown},
             Case{L"", TTarnwickCommand::Unknown},
             Case{L"loaddll", TTarnwickCommand::Unknown},
             Case{L"/loaddll /Restart", TTarnwickCommand::Unknown},
             Case{L"/Restart2", TTarnwickCommand::Unknown},
         }) {
        EXPECT_EQ(ParseTarnwickCommand(parameters), expected) << WideToUtf8(parameters);
    }
}

TEST(TarnwickPlacement, SameBitnessLoadsTheMatchingDllHere) {
    const TPlacementPlan plan64 = PlanPlacement(true, true, L"C:\\Tessaline\\", L"C:\\Windows", 0x10086, 7);
    EXPECT_TRUE(plan64.InProcess);
    EXPECT_EQ(plan64.DllPath, L"C:\\Tessaline\\TarnwickHook64.dll");
    EXPECT_TRUE(plan64.Rundll32.empty());
    const TPlacementPlan plan32 = PlanPlacement(false, false, L"C:\\Tessaline", L"C:\\Windows", 0x10086, 7);
    EXPECT_TRUE(plan32.InProcess);
    EXPECT_EQ(plan32.DllPath, L"C:\\Tessaline\\TarnwickHook32.dll");
}

TEST(TarnwickPlacement, OtherBitnessGoesThroughThatBitnessesRundll32) {
    // The shipped 32-bit Tarnwick on 64-bit Windows with its 64-bit Explorer.
    const TPlacementPlan up = PlanPlacement(false, true, L"D:\\My Apps\\Tessaline\\", L"C:\\Windows\\", 0x10086, 7);
    EXPECT_FALSE(up.InProcess);
    EXPECT_EQ(up.Rundll32, L"C:\\Windows\\Sysnative\\rundll32.exe");
    EXPECT_EQ(up.Rundll32Parameters, L"\"D:\\My Apps\\Tessaline\\TarnwickHook64.dll\",TarnwickPlaceRundll 65670 7");
    const TPlacementPlan down = PlanPlacement(true, false, L"C:\\T\\", L"C:\\Windows", 1, 2);
    EXPECT_EQ(down.Rundll32, L"C:\\Windows\\SysWOW64\\rundll32.exe");
    EXPECT_EQ(down.DllPath, L"C:\\T\\TarnwickHook32.dll");
}

TEST(TarnwickPlacement, TheDllReadsBackWhatThePlanPasses) {
    const uint32_t handle = HandleToWire(static_cast<uint64_t>(HandleFromWire(0xFFFF1234u)));
    const TPlacementPlan plan = PlanPlacement(false, true, L"C:\\T\\", L"C:\\Windows", handle, 0x7FFFFFFF);
    const std::wstring entry = L"TarnwickPlaceRundll ";
    const size_t at = plan.Rundll32Parameters.find(entry);
    ASSERT_NE(at, std::wstring::npos);
    // rundll32 hands the entry point the rest of its command line.
    const auto arguments = ParseRundllArguments(WideToUtf8(plan.Rundll32Parameters.substr(at + entry.size())));
    ASSERT_TRUE(arguments.has_value());
    EXPECT_EQ(*arguments, (TRundllArguments{0xFFFF1234u, 0x7FFFFFFFu}));
}

TEST(TarnwickPlacement, RundllArgumentsAreTwoNonZeroNumbers) {
    struct Case {
        const char* text;
        std::optional<TRundllArguments> expected;
    };
    for (const Case& c : {
             Case{"65670 7", TRundllArguments{65670, 7}},
             Case{" 65670\t7 ", TRundllArguments{65670, 7}},
             Case{"4294967295 1", TRundllArguments{4294967295u, 1}},
             Case{"4294967296 1", std::nullopt},
             Case{"65670", std::nullopt},
             Case{"65670 7 9", std::nullopt},
             Case{"0 7", std::nullopt},
             Case{"65670 0", std::nullopt},
             Case{"65670x 7", std::nullopt},
             Case{"-5 7", std::nullopt},
             Case{"", std::nullopt},
         }) {
        EXPECT_EQ(ParseRundllArguments(c.text), c.expected) << c.text;
    }
}

}  // namespace
}  // namespace tessaline
