// Starting control-panel items for real: a program line starts directly, a ".cpl" through the control panel's
// runner, and a line the ANSI code page cannot carry does not start at all.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "search/ControlPanelLaunchWin.h"

namespace tessaline {
namespace {

std::wstring SystemDirectory() {
    wchar_t path[MAX_PATH] = {};
    GetSystemDirectoryW(path, MAX_PATH);
    return path;
}

TEST(ControlPanelLaunchWin, AProgramLineStartsDirectly) {
    test::TempFolder folder;
    const std::wstring marker = folder.File(L"started.txt");
    const std::wstring line = SystemDirectory() + L"\\cmd.exe /c echo started> \"" + marker + L"\"";

    EXPECT_EQ(StartControlPanelItem(line), TControlPanelStart::Direct);
    EXPECT_EQ(test::AwaitFile(marker).rfind("started", 0), 0u);
}

TEST(ControlPanelLaunchWin, AnAppletThatIsNoProgramGoesThroughTheRunner) {
    // The table's one ".cpl" row: no program of that name, so only the second form starts it.
    EXPECT_EQ(StartControlPanelItem(SystemDirectory() + L"\\ntvdmcpl.cpl"), TControlPanelStart::ControlRun);
}

TEST(ControlPanelLaunchWin, ALineTheAnsiCodePageCannotCarryStartsNothing) {
    if (GetACP() == CP_UTF8) {
        GTEST_SKIP() << "every character converts with UTF-8 as the system code page";
    }
    test::TempFolder folder;
    const std::wstring cmd = SystemDirectory() + L"\\cmd.exe /c echo started> \"" + folder.Path() + L"\\";
    // A character with no equivalent, and one the code page would "best fit" to a plain letter.
    for (const wchar_t* name : {L"\u4e2d.txt", L"\uff46.txt"}) {
        EXPECT_EQ(StartControlPanelItem(cmd + name + L"\""), TControlPanelStart::NotStarted) << name;
    }
}

}  // namespace
}  // namespace tessaline
