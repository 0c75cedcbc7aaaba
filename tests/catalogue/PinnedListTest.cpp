#include <gtest/gtest.h>

#include <map>

#include "catalogue/PinnedList.h"

namespace tessaline {
namespace {

constexpr wchar_t kPinFolder[] = L"C:\\Users\\Ann\\Start Menu\\Programs\\";

TEST(PinnedList, OneEntryPerProgramNewestPinFirstDocumentsIncluded) {
    const std::wstring folder = kPinFolder;
    int namesAsked = 0;
    const std::map<std::wstring, std::pair<std::wstring, int>> links = {
        // target, day pinned
        {folder + L"Notepad.lnk", {L"C:\\Windows\\notepad.exe", 1}},
        {folder + L"Editor.lnk", {L"c:\\windows\\NOTEPAD.EXE", 9}},  // second shortcut to it: left out
        {folder + L"Budget.lnk", {L"C:\\Docs\\budget.xlsx", 3}},
        {folder + L"Old.lnk", {L"C:\\Gone\\old.exe", 5}},
        {folder + L"Broken.lnk", {L"", 7}},
    };
    const TPinnedShell shell{
        .FileExists =
            [&](const std::wstring& p) {
                return links.contains(p) || p.starts_with(L"C:\\Windows") || p.starts_with(L"C:\\Docs");
            },
        .ResolveLinkTarget = [&](const std::wstring& p) { return links.at(p).first; },
        .GetShellDisplayName =
            [&](const std::wstring& p) {
                ++namesAsked;
                return p.substr(p.rfind(L'\\') + 1);
            },
        .GetCreationTime = [&](const std::wstring& p) { return TDateTime{2024, 3, links.at(p).second, 0, 0, 0}; },
    };
    TUserPinedList list;
    list.Rebuild(folder, {L"Notepad.lnk", L"Editor.lnk", L"Budget.lnk", L"Old.lnk", L"Broken.lnk", L"Absent.lnk"},
                 shell);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(namesAsked, 0);  // display names are asked for when an entry is read, once
    EXPECT_EQ(list.GetItem(0)->LinkPath, folder + L"Budget.lnk");
    EXPECT_EQ(list.GetItem(1)->LinkPath, folder + L"Notepad.lnk");
    EXPECT_EQ(list.GetItem(1)->DisplayName, L"Notepad.lnk");
    EXPECT_EQ(list.FindByTarget(L"C:\\WINDOWS\\notepad.exe"), list.GetItem(1));
    EXPECT_EQ(list.GetItem(2), nullptr);
    EXPECT_EQ(namesAsked, 2);

    list.Rebuild(L"", {L"Notepad.lnk"}, shell);  // no Programs folder: never the current directory
    EXPECT_EQ(list.Count(), 0);
}

TEST(PinnedList, PinShortcutStaysInsideThePinFolder) {
    struct Case {
        const wchar_t* folder;
        const wchar_t* caption;
        const wchar_t* expected;
    };
    for (auto [folder, caption, expected] : {
             Case{kPinFolder, L"Paint", L"C:\\Users\\Ann\\Start Menu\\Programs\\Paint.lnk"},
             Case{L"C:\\P", L"Paint", L"C:\\P\\Paint.lnk"},
             Case{L"C:\\P\\", L"..\\..\\Startup\\Paint", L"C:\\P\\.._.._Startup_Paint.lnk"},
             Case{L"C:\\P\\", L"A: \"B\"?*<>|/", L"C:\\P\\A_ _B_______.lnk"},
             Case{L"C:\\P\\", L"", L"C:\\P\\mspaint.lnk"},
             Case{L"C:\\P\\", L"..", L"C:\\P\\mspaint.lnk"},
             Case{L"", L"Paint", L""},
         }) {
        EXPECT_EQ(PinLinkPath(folder, caption, L"C:\\Windows\\mspaint.exe"), expected)
            << testing::PrintToString(std::wstring(caption));
    }
}

TEST(PinnedList, PinningChoosesANameThatLosesNoOtherProgramsShortcut) {
    const std::wstring target = L"C:\\Windows\\notepad.exe";
    // What each name holds: a target, "" for a shortcut that cannot be read; missing names are free.
    const auto folder = [](std::map<std::wstring, std::wstring> held) {
        return [held](const std::wstring& path) -> std::optional<std::wstring> {
            const auto found = held.find(path);
            return found == held.end() ? std::nullopt : std::optional<std::wstring>(found->second);
        };
    };
    const std::wstring wanted = L"C:\\P\\Pad.lnk";
    EXPECT_EQ(FreePinLinkPath(wanted, target, folder({})), wanted);
    EXPECT_EQ(FreePinLinkPath(wanted, target, folder({{wanted, L"c:\\windows\\NOTEPAD.exe"}})), wanted)
        << "the same program's shortcut is written over";
    EXPECT_EQ(FreePinLinkPath(wanted, target, folder({{wanted, L"C:\\Tools\\pad.exe"}})), L"C:\\P\\Pad (2).lnk");
    EXPECT_EQ(FreePinLinkPath(wanted, target, folder({{wanted, L""}})), L"C:\\P\\Pad (2).lnk")
        << "an unreadable shortcut is kept";
    EXPECT_EQ(FreePinLinkPath(wanted, target, folder({{wanted, L"C:\\A.exe"}, {L"C:\\P\\Pad (2).lnk", L"C:\\B.exe"}})),
              L"C:\\P\\Pad (3).lnk");
    EXPECT_EQ(FreePinLinkPath(wanted, target, folder({{wanted, L"C:\\A.exe"}, {L"C:\\P\\Pad (2).lnk", target}})),
              L"C:\\P\\Pad (2).lnk")
        << "pinned before under the second name";
    std::map<std::wstring, std::wstring> full{{wanted, L"C:\\A.exe"}};
    for (int n = 2; n <= 99; ++n) {
        full[L"C:\\P\\Pad (" + std::to_wstring(n) + L").lnk"] = L"C:\\A.exe";
    }
    EXPECT_EQ(FreePinLinkPath(wanted, target, folder(full)), L"");
    EXPECT_EQ(FreePinLinkPath(L"C:\\P\\Pad.txt", target, folder({})), L"");
}

TEST(PinnedList, TaskbarPinningNeedsNoSubstituteFromWindows7On) {
    struct Version {
        unsigned major;
        unsigned minor;
        bool seven;
    };
    for (auto [major, minor, seven] :
         {Version{5, 1, false}, Version{6, 0, false}, Version{6, 1, true}, Version{6, 2, true}, Version{10, 0, true}}) {
        EXPECT_EQ(IsWindows7OrLater(major, minor), seven) << major << "." << minor;
    }
}

}  // namespace
}  // namespace tessaline
