// TSafeIniFile, the profile readers and TLanguage against the real Win32 file and profile functions.

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "TestSupport.h"
#include "base/TextFile.h"
#include "settings/IniFile.h"
#include "settings/PLanguage.h"
#include "settings/PSafeIniFile.h"

namespace tessaline {
namespace {

using test::TempFolder;

std::wstring ProfileRead(const std::wstring& path, const wchar_t* section, const wchar_t* key, const wchar_t* def) {
    wchar_t buffer[512] = {};
    GetPrivateProfileStringW(section, key, def, buffer, 512, path.c_str());
    return buffer;
}

// Holds a file open with no sharing at all, as a backup or scanning program may.
struct ExclusiveOpen {
    HANDLE handle;
    explicit ExclusiveOpen(const std::wstring& path)
        : handle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~ExclusiveOpen() { CloseHandle(handle); }
};

TEST(ProfileInterop, TheOsProfileFunctionsReadExactlyWhatTheWriterWrote) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    {
        TSafeIniFile ini(path);
        ini.WriteBool(L"Main", L"HotCorners", false);
        ini.WriteString(L"Main", L"SkinName", L"Gl\x00E4nzend \x4E2D");
        ini.WriteString(L"Main", L"Language", L"");
        ini.WriteInteger(L"Main", L"HeightWidth", 54);
    }
    EXPECT_EQ(ProfileRead(path, L"Main", L"HotCorners", L"-"), L"0");
    EXPECT_EQ(ProfileRead(path, L"MAIN", L"skinname", L"-"), L"Gl\x00E4nzend \x4E2D");
    EXPECT_EQ(ProfileRead(path, L"Main", L"Language", L"-"), L"");
    EXPECT_EQ(ProfileRead(path, L"Main", L"Startup", L"dflt"), L"dflt");

    TIniFile reader(path);
    EXPECT_FALSE(reader.ReadBool(L"Main", L"HotCorners", true));
    EXPECT_TRUE(reader.ReadBool(L"Main", L"Startup", true));
    EXPECT_EQ(reader.ReadInteger(L"Main", L"HeightWidth", 0), 54);
    EXPECT_TRUE(reader.ValueExists(L"Main", L"Language"));
    EXPECT_FALSE(reader.ValueExists(L"Main", L"Startup"));
}

TEST(ProfileInterop, TheProgramReaderWritesThroughTheProfileFunctions) {
    TempFolder folder;
    const std::wstring path = folder.File(L"sub\\Main.ini");
    TIniFile ini(path);  // makes the folder
    ini.WriteString(L"Main", L"SkinName", L"Metro");
    EXPECT_EQ(TSafeIniFile(path).ReadString(L"Main", L"SkinName", L"-"), L"Metro");
    EXPECT_EQ(ini.ReadString(L"Main", L"SkinName", L"-"), L"Metro");
}

TEST(ProfileInterop, AnsiFilesAreReadInTheSystemCodePage) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    const std::string ansi = "[Main]\r\nSkinName=Caf\xE9\r\n";
    test::WriteBytes(path, ansi);
    wchar_t expected[16] = {};
    MultiByteToWideChar(CP_ACP, 0, "Caf\xE9", 4, expected, 16);
    EXPECT_EQ(TSafeIniFile(path).ReadString(L"Main", L"SkinName", L"-"), expected);
    EXPECT_EQ(ProfileRead(path, L"Main", L"SkinName", L"-"), expected);
}

TEST(ProfileInterop, AFileThatCannotBeReadIsNeverOverwritten) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    const std::string precious = test::Utf16LeWithBom(L"[Main]\r\nSkinName=Mine\r\nLanguage=German\r\n");
    test::WriteBytes(path, precious);
    {
        ExclusiveOpen lock(path);
        ASSERT_NE(lock.handle, INVALID_HANDLE_VALUE);
        TSafeIniFile ini(path);
        EXPECT_EQ(ini.ReadString(L"Main", L"SkinName", L"Classic"), L"Classic");
        ini.WriteBool(L"Main", L"Startup", false);
        EXPECT_FALSE(ini.SaveFile(path));
    }
    EXPECT_EQ(test::ReadBytes(path), precious);
    EXPECT_EQ(TSafeIniFile(path).ReadString(L"Main", L"SkinName", L"-"), L"Mine");
}

TEST(ProfileInterop, ASaveInterruptedBeforeTheRenameLeavesTheOldFile) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    { TSafeIniFile(path).WriteString(L"Main", L"SkinName", L"Old"); }
    const std::string before = test::ReadBytes(path);

    std::wstring tempSeen;
    SetReplaceInterruptionForTest([&](TReplaceStep step, const std::wstring& temp) {
        tempSeen = temp;
        return step != TReplaceStep::Complete;  // the process "dies" here
    });
    {
        TSafeIniFile ini(path);
        ini.WriteString(L"Main", L"SkinName", L"New");
    }
    SetReplaceInterruptionForTest(nullptr);

    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_EQ(ProfileRead(path, L"Main", L"SkinName", L"-"), L"Old");
    ASSERT_FALSE(tempSeen.empty());
    EXPECT_EQ(tempSeen.rfind(path, 0), 0u);  // the temporary file lies beside the real one
}

TEST(ProfileInterop, ARenameRefusedByTheSystemLeavesTheOldFileAndNoLeftovers) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    { TSafeIniFile(path).WriteString(L"Main", L"SkinName", L"Old"); }
    const std::string before = test::ReadBytes(path);
    {
        // Open for reading without delete sharing: reading works, replacing the file does not.
        HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(reader, INVALID_HANDLE_VALUE);
        TSafeIniFile ini(path);
        ini.WriteString(L"Main", L"SkinName", L"New");
        EXPECT_FALSE(ini.SaveFile(path));
        CloseHandle(reader);
        ini.SaveFile(L"");  // nothing
    }
    // The destructor's own save came after the handle closed and went through.
    EXPECT_EQ(ProfileRead(path, L"Main", L"SkinName", L"-"), L"New");
    EXPECT_EQ(test::CountFiles(folder.Path(), L".tmp"), 0);
    (void)before;
}

TEST(ProfileInterop, ASaveWaitsForAProgramThatHoldsTheFileForAMoment) {
    TempFolder folder;
    for (const wchar_t* name : {L"Main.ini", L"UserData.ini"}) {
        const std::wstring path = folder.File(name);
        ASSERT_TRUE(WriteUtf16LeLinesAtomic(path, {L"[Main]", L"SkinName=Old", L""}));
        // A scanner opens the file without delete sharing and lets it go a third of a second later.
        HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(reader, INVALID_HANDLE_VALUE);
        std::thread scanner([reader] {
            Sleep(300);
            CloseHandle(reader);
        });
        EXPECT_TRUE(WriteUtf16LeLinesAtomic(path, {L"[Main]", L"SkinName=New", L""}));
        scanner.join();
        EXPECT_EQ(ProfileRead(path, L"Main", L"SkinName", L"-"), L"New");
        EXPECT_EQ(test::CountFiles(folder.Path(), L".tmp"), 0);
    }
}

TEST(ProfileInterop, AFolderWhereMainIniShouldBeReadsAsDefaultsAndStays) {
    TempFolder folder;
    const std::wstring path = folder.File(L"Main.ini");
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    {
        TSafeIniFile ini(path);
        EXPECT_EQ(ini.ReadString(L"Main", L"SkinName", L"Classic"), L"Classic");
        ini.WriteString(L"Main", L"SkinName", L"Metro");
        EXPECT_FALSE(ini.SaveFile(path));
    }
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(test::CountFiles(folder.Path(), L".tmp"), 0);
    EXPECT_FALSE(test::Exists(path + kKeptBadSuffix));
}

TEST(ProfileInterop, ARelativeFileNameMeansTheSameFileToReaderAndWriter) {
    TempFolder folder;
    wchar_t old[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, old);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    { TSafeIniFile(L"Relative.ini").WriteString(L"Main", L"Language", L"French"); }
    const std::wstring read = TIniFile(L"Relative.ini").ReadString(L"Main", L"Language", L"English");
    SetCurrentDirectoryW(old);
    EXPECT_EQ(read, L"French");
}

TEST(ProfileInterop, ALanguageFileLockedByAnotherProgramKeepsThePreviousTexts) {
    TempFolder folder;
    test::WriteBytes(folder.File(L"English.lng"), "[Tessaline_M]\r\nlbl_Program_back=Back\r\n");
    test::WriteBytes(folder.File(L"German.lng"),
                     "[Tessaline_M]\r\nlbl_Program_back=Zur\xFC"
                     "ck\r\n");
    TLanguage language(kAppName, folder.Path());
    ASSERT_TRUE(language.LoadLanguage(L"English"));
    const int englishIndex = language.CurrentIndex();

    ExclusiveOpen lock(folder.File(L"German.lng"));
    ASSERT_NE(lock.handle, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(language.LoadLanguage(L"German"));
    EXPECT_EQ(language.GetMessage(L"lbl_Program_back", L"-"), L"Back");
    EXPECT_EQ(language.CurrentIndex(), englishIndex);

    // Scanning meets the locked file too and still lists it under its own name.
    TLanguage scanned(kAppName, folder.Path());
    EXPECT_EQ(scanned.Names().size(), 2u);
    EXPECT_EQ(scanned.DisplayNames(), scanned.Names());
}

}  // namespace
}  // namespace tessaline
