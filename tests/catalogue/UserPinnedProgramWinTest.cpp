// The pinned programs from real shortcuts in the prefix's Programs folder.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "WinTestSupport.h"
#include "base/FileSystem.h"
#include "base/Strings.h"
#include "catalogue/ShellItems.h"
#include "catalogue/UserPinnedProgram.h"

namespace tessaline {
namespace {

class UserPinnedProgram : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(com.Ok());
        ASSERT_FALSE(manage.PinFolder().empty());
        EXPECT_EQ(manage.PinFolder().back(), L'\\');
    }
    void TearDown() override {
        for (const auto& link : made) {
            DeleteFileW(link.c_str());
        }
    }

    std::wstring Program(const std::wstring& name) {
        const std::wstring exe = folder.File(name);
        test::WriteBytes(exe, "MZ");
        return exe;
    }
    // A shortcut in the pin folder, with its creation time set (minutes after 2020-01-01 00:00 UTC).
    std::wstring Pin(const std::wstring& linkName, const std::wstring& target, int minutes) {
        const std::wstring link = manage.PinFolder() + linkName;
        made.push_back(link);
        EXPECT_TRUE(test::SaveShortcut(link, target));
        SYSTEMTIME base{2020, 1, 3, 1, 0, 0, 0, 0};
        FILETIME time{};
        SystemTimeToFileTime(&base, &time);
        ULARGE_INTEGER value{{time.dwLowDateTime, time.dwHighDateTime}};
        value.QuadPart += static_cast<ULONGLONG>(minutes) * 60 * 10000000ULL;
        time = {value.LowPart, value.HighPart};
        HANDLE file =
            CreateFileW(link.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(file, &time, nullptr, nullptr);
        CloseHandle(file);
        return link;
    }
    const TUserPinedInfo* Find(const std::wstring& target) { return manage.FindByTarget(target); }

    test::ComScope com;
    test::TempFolder folder;
    TUserPinedManage manage;
    std::vector<std::wstring> made;
};

TEST_F(UserPinnedProgram, TwoShortcutsToOneProgramPinItOnceTheFirstListedWins) {
    const std::wstring exe = Program(L"Calc.exe");
    const std::wstring first = Pin(L"TessalineA Calc.lnk", exe, 1);
    const std::wstring second = Pin(L"TessalineB Calc.lnk", exe, 2);
    manage.Refresh();
    const TUserPinedInfo* info = Find(exe);
    ASSERT_NE(info, nullptr);
    // Whichever the directory listing returns first.
    std::wstring expected;
    for (const auto& name : ListFolder(manage.PinFolder(), L"*.lnk")) {
        if (EqualsNoCase(manage.PinFolder() + name, first) || EqualsNoCase(manage.PinFolder() + name, second)) {
            expected = manage.PinFolder() + name;
            break;
        }
    }
    EXPECT_TRUE(EqualsNoCase(info->LinkPath, expected));
    int count = 0;
    for (int i = 0; i < manage.Count(); ++i) {
        count += EqualsNoCase(manage.GetItem(i)->TargetPath, exe) ? 1 : 0;
    }
    EXPECT_EQ(count, 1);
}

TEST_F(UserPinnedProgram, DocumentsPinAndTheNewestPinComesFirst) {
    const std::wstring doc = folder.File(L"Notes.txt");
    test::WriteBytes(doc, "text");
    const std::wstring exe = Program(L"Paint.exe");
    Pin(L"TessalineOld Paint.lnk", exe, 10);
    Pin(L"TessalineNew Notes.lnk", doc, 20);
    manage.Refresh();
    ASSERT_NE(Find(doc), nullptr);
    ASSERT_NE(Find(exe), nullptr);
    int docIndex = -1;
    int exeIndex = -1;
    for (int i = 0; i < manage.Count(); ++i) {
        if (EqualsNoCase(manage.GetItem(i)->TargetPath, doc)) {
            docIndex = i;
        }
        if (EqualsNoCase(manage.GetItem(i)->TargetPath, exe)) {
            exeIndex = i;
        }
    }
    EXPECT_LT(docIndex, exeIndex);
    EXPECT_EQ(Find(doc)->DisplayName, L"TessalineNew Notes");
}

// What the list keeps of the pin folder's shortcuts between refreshes never hides a change: after each kind the
// list reads as one read afresh.
TEST_F(UserPinnedProgram, KeptShortcutsReadAsAFreshListAfterEachChange) {
    const auto rows = [](TUserPinedManage& from) {
        std::vector<std::wstring> described;
        for (int i = 0; i < from.Count(); ++i) {
            const TUserPinedInfo* info = from.GetItem(i);
            described.push_back(info->LinkPath + L"|" + info->TargetPath + L"|" + info->DisplayName);
        }
        return described;
    };
    const auto expectFresh = [&](const char* after) {
        test::LetFolderChangesArrive();
        manage.Refresh();
        TUserPinedManage fresh;
        fresh.Refresh();
        EXPECT_EQ(rows(manage), rows(fresh)) << after;
    };
    const std::wstring one = Program(L"One.exe");
    const std::wstring two = Program(L"Two.exe");
    const std::wstring three = Program(L"Three.exe");
    const std::wstring first = Pin(L"TessalineOne.lnk", one, 1);
    Pin(L"TessalineTwo.lnk", two, 2);
    expectFresh("the first reading");
    expectFresh("nothing");
    Pin(L"TessalineThree.lnk", three, 3);
    expectFresh("adding");
    ASSERT_NE(Find(three), nullptr);
    const std::wstring renamed = manage.PinFolder() + L"TessalineFirst.lnk";
    ASSERT_TRUE(MoveFileW(first.c_str(), renamed.c_str()));
    made.push_back(renamed);
    expectFresh("renaming");
    ASSERT_TRUE(EqualsNoCase(Find(one)->LinkPath, renamed));
    ASSERT_TRUE(test::SaveShortcut(manage.PinFolder() + L"TessalineTwo.lnk", three));
    expectFresh("retargeting");
    EXPECT_EQ(Find(two), nullptr);
    Pin(L"TessalineThree.lnk", three, 0);
    expectFresh("dating a pin earlier");
    ASSERT_TRUE(DeleteFileW(one.c_str()));
    expectFresh("deleting a program");
    EXPECT_EQ(Find(one), nullptr);
    ASSERT_TRUE(DeleteFileW((manage.PinFolder() + L"TessalineThree.lnk").c_str()));
    expectFresh("deleting a shortcut");
    ASSERT_NE(Find(three), nullptr);  // through the retargeted one

    // A program's folder moved away whole, as to the Recycle Bin: nothing changes inside the folder watched.
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"Apps").c_str(), nullptr));
    test::WriteBytes(folder.File(L"Apps\\Four.exe"), "MZ");
    Pin(L"TessalineFour.lnk", folder.File(L"Apps\\Four.exe"), 4);
    expectFresh("adding a program in a folder of its own");
    ASSERT_NE(Find(folder.File(L"Apps\\Four.exe")), nullptr);
    ASSERT_TRUE(MoveFileW(folder.File(L"Apps").c_str(), folder.File(L"Bin").c_str()));
    expectFresh("moving the program's folder away");
    EXPECT_EQ(Find(folder.File(L"Apps\\Four.exe")), nullptr);
}

TEST_F(UserPinnedProgram, ShortcutsWhoseTargetIsGoneAreLeftOut) {
    const std::wstring exe = Program(L"Gone.exe");
    Pin(L"TessalineGone.lnk", exe, 1);
    ASSERT_TRUE(DeleteFileW(exe.c_str()));
    test::WriteBytes(manage.PinFolder() + L"TessalineDamaged.lnk", "not a shortcut");
    made.push_back(manage.PinFolder() + L"TessalineDamaged.lnk");
    manage.Refresh();
    EXPECT_EQ(Find(exe), nullptr);
    for (int i = 0; i < manage.Count(); ++i) {
        EXPECT_FALSE(EqualsNoCase(manage.GetItem(i)->LinkPath, manage.PinFolder() + L"TessalineDamaged.lnk"));
    }
}

TEST_F(UserPinnedProgram, PinningKeepsAnotherProgramsShortcutOfTheSameCaptionAndUnpinDeletesOurs) {
    const std::wstring otherExe = Program(L"Other.exe");
    const std::wstring newExe = Program(L"New.exe");
    Pin(L"TessalineTool.lnk", otherExe, 1);
    ASSERT_TRUE(manage.PinProgram(newExe, L"TessalineTool"));
    made.push_back(manage.PinFolder() + L"TessalineTool (2).lnk");
    manage.Refresh();
    // The other program's shortcut is as it was; ours went beside it.
    EXPECT_TRUE(EqualsNoCase(ResolveLinkTarget(manage.PinFolder() + L"TessalineTool.lnk"), otherExe));
    ASSERT_NE(Find(otherExe), nullptr);
    const TUserPinedInfo* info = Find(newExe);
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(EqualsNoCase(info->LinkPath, manage.PinFolder() + L"TessalineTool (2).lnk"));
    // Pinned again: the same program's shortcut is written over, no third one.
    ASSERT_TRUE(manage.PinProgram(newExe, L"TessalineTool"));
    EXPECT_FALSE(FileExists(manage.PinFolder() + L"TessalineTool (3).lnk"));

    const TUserPinedInfo copy = *info;
    manage.Unpin(copy);
    EXPECT_FALSE(FileExists(copy.LinkPath));
    EXPECT_TRUE(FileExists(manage.PinFolder() + L"TessalineTool.lnk"));
    manage.Refresh();
    EXPECT_EQ(Find(newExe), nullptr);
    manage.Unpin(copy);  // already gone: ignored
}

TEST_F(UserPinnedProgram, ShortcutsAreWrittenOnlyToLnkFiles) {
    const std::wstring exe = Program(L"Tool.exe");
    EXPECT_FALSE(TUserPinedManage::CreateShortcut(exe, L"", folder.File(L"Tool.txt"), L"d"));
    EXPECT_FALSE(FileExists(folder.File(L"Tool.txt")));
    ASSERT_TRUE(TUserPinedManage::CreateShortcut(exe, L"--quiet", folder.File(L"Tool.LNK"), L"desc"));
    EXPECT_TRUE(EqualsNoCase(ResolveLinkTarget(folder.File(L"Tool.LNK")), exe));
}

TEST_F(UserPinnedProgram, PinToTaskbarWithoutTheShellsVerbDoesNothing) {
    const std::wstring exe = Program(L"Tool.exe");
    // Wine's shell offers no pin verb (or no verb text at all): nothing happens and nothing is reported. On
    // Windows 7 and later the verb goes to the program itself: no stand-in shortcut is made for it.
    EXPECT_FALSE(manage.PinToTaskbar(exe, L"Tool"));
    wchar_t roaming[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, roaming, CSIDL_APPDATA, FALSE));
    EXPECT_FALSE(FileExists(std::wstring(roaming) + L"\\Quorvan\\Tool.lnk"));
}

}  // namespace
}  // namespace tessaline
