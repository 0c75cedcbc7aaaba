// Tessaline as a user installed it: the release's programs in a folder of their own (unpacked from the zip, or
// put there by the installer), run from there against the demo taskbar host with the real helpers.
// scripts/test-install.sh runs these after it installed a package: TESSALINE_INSTALLED names the folder, and
// TESSALINE_MSIEXEC the arguments of the installer run that must end a running program. Without them (the
// ordinary run of the scenarios) they are skipped.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "Desktop.h"
#include "base/FileSystem.h"
#include "base/WideText.h"

namespace tessaline::test {
namespace {

namespace fs = std::filesystem;

std::wstring Variable(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value != nullptr ? value : L"";
}

// Every file below a folder with its size and time of last writing: what a run may not change.
std::map<std::wstring, std::pair<uintmax_t, fs::file_time_type>> Snapshot(const std::wstring& folder) {
    std::map<std::wstring, std::pair<uintmax_t, fs::file_time_type>> files;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        files[fs::relative(it->path(), folder).wstring()] = {it->is_regular_file() ? it->file_size() : 0,
                                                             it->last_write_time()};
    }
    return files;
}

bool Ended(const PROCESS_INFORMATION& process, DWORD timeoutMs) {
    return WaitUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
}

void Close(PROCESS_INFORMATION& process) {
    if (process.hProcess != nullptr) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process.hProcess, 1);
        }
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        process = {};
    }
}

TEST(InstalledE2E, DocksOpensOnTheWindowsKeyStartsTheGuideAndExitsWritingNothingBesideThePrograms) {
    const std::wstring folder = Variable(L"TESSALINE_INSTALLED");
    if (folder.empty()) {
        GTEST_SKIP() << "no installed copy named (scripts/test-install.sh names one)";
    }
    ASSERT_TRUE(FileExists(folder + L"\\Tessaline.exe")) << WideToUtf8(folder);
    const auto before = Snapshot(folder);
    TDesktopOptions options;
    options.ProgramFolder = folder;
    TDesktop desktop(options);
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline()) << "no docked button";
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 54);

    // A lone Windows key opens the menu, Esc closes it.
    HWND menu = desktop.StartMenu();
    SendKey(VK_LWIN);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(menu) != FALSE; }, 5000)) << "the Windows key";
    SendKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(menu) == FALSE; }, 5000));

    // The guide, as its Start Menu shortcut starts it, shows its window and ends on Esc.
    PROCESS_INFORMATION guide{};
    ASSERT_TRUE(desktop.StartProgram(L"Tessaline_Guide.exe", guide));
    EXPECT_TRUE(WaitUntil([&] { return !VisibleWindowsOf(guide.dwProcessId, L"TfrmGuide").empty(); }, 10000));
    EXPECT_TRUE(WaitUntil(
        [&] {
            const auto windows = VisibleWindowsOf(guide.dwProcessId, L"TfrmGuide");
            return !windows.empty() && GetForegroundWindow() == windows.front();
        },
        5000));
    SendKey(VK_ESCAPE);
    EXPECT_TRUE(Ended(guide, 5000)) << "the guide did not end on Esc";
    Close(guide);

    // Exit in the button's menu, chosen with the mouse and the keys: the band gets its room back.
    ClickAt(ButtonPoint(desktop), true);
    const DWORD thread = GetWindowThreadProcessId(desktop.Button(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return OpenStandardMenu(thread) != nullptr; }, 5000));
    SendKey(VK_UP);  // from nothing marked, Up marks the last item: Exit
    SendKey(VK_RETURN);
    EXPECT_EQ(desktop.WaitTessalineExit(10000), 0u);
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 11);

    // The settings went to the user's data directory; the programs' folder is as it was.
    EXPECT_TRUE(FileExists(desktop.MainIni()));
    EXPECT_TRUE(Snapshot(folder) == before) << "something was written beside the programs";
}

TEST(InstalledE2E, TheInstallerEndsTheRunningProgramTheCleanWay) {
    const std::wstring folder = Variable(L"TESSALINE_INSTALLED");
    const std::wstring arguments = Variable(L"TESSALINE_MSIEXEC");
    if (folder.empty() || arguments.empty()) {
        GTEST_SKIP() << "no installer run named (scripts/test-install.sh names one)";
    }
    TDesktopOptions options;
    options.ProgramFolder = folder;
    TDesktop desktop(options);
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline()) << "no docked button";

    std::wstring commandLine = L"msiexec.exe " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION installer{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &installer));
    EXPECT_TRUE(Ended(installer, 120000)) << "the installer did not end";
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(installer.hProcess, &code);
    EXPECT_EQ(code, 0u) << WideToUtf8(commandLine);
    Close(installer);

    // Ended by its own hand (exit code 0, not killed), with the band back where it was before the button.
    EXPECT_EQ(desktop.WaitTessalineExit(10000), 0u);
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 11);
    EXPECT_TRUE(FileExists(desktop.MainIni())) << "the settings went with the programs";
}

}  // namespace
}  // namespace tessaline::test
