// The search's file system and shell against Wine's real ones: a real tree with a shortcut, the system
// directory's programs, locale comparison, per-thread redirection and two threads using one object at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "WinTestSupport.h"
#include "search/SearchFileSystemWin.h"

namespace tessaline {
namespace {

using Listing = std::map<std::wstring, bool>;  // name -> is a folder

std::wstring SystemDirectory() {
    wchar_t path[MAX_PATH] = {};
    GetSystemDirectoryW(path, MAX_PATH);
    return path;
}

Listing List(ISearchFileSystem& fs, const std::wstring& folder, bool* listed = nullptr) {
    Listing out;
    const bool ok = fs.ListFolder(folder, [&](const TSearchFolderEntry& entry) {
        out[entry.Name] = entry.IsFolder;
        return true;
    });
    if (listed != nullptr) {
        *listed = ok;
    }
    return out;
}

// The machine field of a PE file's header, 0 when it cannot be read.
WORD PeMachine(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 0;
    }
    unsigned char header[4096] = {};
    DWORD read = 0;
    ReadFile(file, header, sizeof header, &read, nullptr);
    CloseHandle(file);
    if (read < 0x40) {
        return 0;
    }
    DWORD peOffset = 0;
    std::memcpy(&peOffset, header + 0x3C, sizeof peOffset);
    if (peOffset > read - 6) {
        return 0;
    }
    WORD machine = 0;
    std::memcpy(&machine, header + peOffset + 4, sizeof machine);
    return machine;
}

bool RunsUnderWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

class SearchFileSystemWin : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(com.Ok());
        root = folder.Path() + L"\\";
        test::WriteBytes(root + L"Tool.exe", "MZ");
        test::WriteBytes(root + L"notes.txt", "x");
        ASSERT_TRUE(CreateDirectoryW((root + L"Sub").c_str(), nullptr));
        test::WriteBytes(root + L"Sub\\Inner.exe", "MZ");
        ASSERT_TRUE(test::SaveShortcut(root + L"My Tool.lnk", root + L"Tool.exe"));
    }

    test::ComScope com;
    test::TempFolder folder;
    std::wstring root;  // with its trailing backslash, as the search hands folders over
    TShellSearchFileSystem fs;
};

TEST_F(SearchFileSystemWin, ListsFilesAndFoldersOfOneLevelWithoutTheDots) {
    bool listed = false;
    const Listing expected{{L"Tool.exe", false}, {L"notes.txt", false}, {L"Sub", true}, {L"My Tool.lnk", false}};
    EXPECT_EQ(List(fs, root, &listed), expected);
    EXPECT_TRUE(listed);
    EXPECT_EQ(List(fs, folder.Path()), expected);  // without the trailing backslash too
}

TEST_F(SearchFileSystemWin, ListingStopsWhenTheCallbackDeclines) {
    int calls = 0;
    EXPECT_TRUE(fs.ListFolder(root, [&](const TSearchFolderEntry&) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
}

TEST_F(SearchFileSystemWin, MissingFolderIsNotListedButAnEmptyOneIs) {
    bool listed = true;
    EXPECT_TRUE(List(fs, root + L"Missing\\", &listed).empty());
    EXPECT_FALSE(listed);
    EXPECT_TRUE(List(fs, root + L"Missing\\Deeper\\", &listed).empty());
    EXPECT_FALSE(listed);

    ASSERT_TRUE(CreateDirectoryW((root + L"Empty").c_str(), nullptr));
    EXPECT_TRUE(List(fs, root + L"Empty\\", &listed).empty());
    EXPECT_TRUE(listed);
}

TEST_F(SearchFileSystemWin, ExistenceTellsFilesFromFolders) {
    struct Case {
        std::wstring path;
        bool file;
        bool directory;
    };
    for (const auto& [path, file, directory] :
         {Case{root + L"Tool.exe", true, false}, Case{root + L"My Tool.lnk", true, false},
          Case{root + L"Sub", false, true}, Case{root + L"Sub\\", false, true}, Case{root + L"Gone.exe", false, false},
          Case{root + L"Gone\\Tool.exe", false, false}}) {
        EXPECT_EQ(fs.FileExists(path), file) << path;
        EXPECT_EQ(fs.DirectoryExists(path), directory) << path;
    }
}

TEST_F(SearchFileSystemWin, DisplayNameOfAShortcutHidesItsExtension) {
    EXPECT_EQ(fs.DisplayName(root + L"My Tool.lnk"), L"My Tool");
    EXPECT_EQ(fs.DisplayName(root + L"Gone.lnk"), L"");
}

TEST_F(SearchFileSystemWin, SmallIconOfASystemProgramIsAnIndexAndNoneForAMissingFile) {
    const std::wstring cmd = SystemDirectory() + L"\\cmd.exe";
    ASSERT_TRUE(fs.FileExists(cmd));
    EXPECT_GE(fs.SmallIconIndex(cmd), 0);
    EXPECT_GE(fs.SmallIconIndex(root + L"My Tool.lnk"), 0);
    EXPECT_EQ(fs.SmallIconIndex(root + L"Gone.exe"), -1);
}

TEST_F(SearchFileSystemWin, SameNameIgnoresCaseBeyondAsciiButNothingElse) {
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        bool same;
    };
    for (auto [a, b, same] :
         {Case{L"abc", L"ABC", true}, Case{L"\u00e9", L"\u00c9", true}, Case{L"Notepad", L"notepad", true},
          Case{L"abc", L"abd", false}, Case{L"abc", L"abc ", false}, Case{L"e", L"\u00e9", false}, Case{L"", L"", true},
          Case{L"abc", L"", false}}) {
        EXPECT_EQ(fs.SameName(a, b), same) << a << L" / " << b;
    }
}

TEST_F(SearchFileSystemWin, RedirectionIsSwitchedForTheCallingThreadOnly) {
    // kernel32.dll of the system directory is the 64-bit one exactly when redirection is off under WOW64.
    const std::wstring kernel = SystemDirectory() + L"\\kernel32.dll";
    const WORD own = sizeof(void*) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386;
    const WORD native = RunsUnderWow64() ? IMAGE_FILE_MACHINE_AMD64 : own;
    ASSERT_EQ(PeMachine(kernel), own);

    fs.SetRedirectionOff(true);
    fs.SetRedirectionOff(true);  // a second "off" must not lose the value to restore
    EXPECT_EQ(PeMachine(kernel), native);
    WORD seenByOther = 0;
    std::thread other([&] { seenByOther = PeMachine(kernel); });
    other.join();
    EXPECT_EQ(seenByOther, own);

    fs.SetRedirectionOff(false);
    EXPECT_EQ(PeMachine(kernel), own);
    fs.SetRedirectionOff(false);
    EXPECT_EQ(PeMachine(kernel), own);
}

TEST_F(SearchFileSystemWin, TwoThreadsCanUseOneObjectAtOnce) {
    const std::wstring cmd = SystemDirectory() + L"\\cmd.exe";
    const Listing expected = List(fs, root);
    const int icon = fs.SmallIconIndex(cmd);
    ASSERT_GE(icon, 0);

    constexpr int kRounds = 40;
    std::atomic<int> wrong{0};
    // Both threads begin together. Not std::latch: mingw's libstdc++ 12 waits for it without a futex and can miss
    // the wake-up, which left this test waiting for ever.
    std::atomic<int> arrived{0};
    const auto arriveAndWait = [&] {
        ++arrived;
        while (arrived.load() < 2) {
            std::this_thread::yield();
        }
    };
    auto work = [&] {
        test::ComScope threadCom;
        if (!threadCom.Ok()) {
            ++wrong;
            ++arrived;  // the other thread must not wait for this one for ever
            return;
        }
        arriveAndWait();
        for (int i = 0; i < kRounds; ++i) {
            fs.SetRedirectionOff(true);
            bool listed = false;
            if (List(fs, root, &listed) != expected || !listed) {
                ++wrong;
            }
            if (fs.DisplayName(root + L"My Tool.lnk") != L"My Tool" || fs.SmallIconIndex(cmd) != icon) {
                ++wrong;
            }
            if (!fs.FileExists(cmd) || !fs.DirectoryExists(root + L"Sub") || !fs.SameName(L"\u00e9", L"\u00c9")) {
                ++wrong;
            }
            fs.SetRedirectionOff(false);
        }
    };
    std::thread indexer(work);
    std::thread search(work);
    indexer.join();
    search.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace tessaline
