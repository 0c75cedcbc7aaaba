// The special-folder codes: which folder each code answers, and what an unlisted code or a failed lookup does
// to the caller's string.
#include "controls/AppFrame_New.h"

#include <gtest/gtest.h>

#include <string>

#include "base/Strings.h"

namespace tessaline {
namespace {

// Answers that name their source, so a test sees which lookup a code ended in.
TFolderLookups NamingLookups() {
    return {[] { return std::wstring(L"windows"); }, [] { return std::wstring(L"system"); },
            [] { return std::wstring(L"temp"); }, [](int id) { return L"csidl " + IntToText(id); }};
}

std::wstring Folder(int code) {
    std::wstring path = L"untouched";
    ResolveFolder(NamingLookups(), code, path);
    return path;
}

std::wstring CommonFolder(int code) {
    std::wstring path = L"untouched";
    ResolveCommonFolder(NamingLookups(), code, path);
    return path;
}

// The codes other parts of the program pass; their meaning must not move.
TEST(AppFrameCodes, CodesInUseAnswerTheirFolders) {
    struct Case {
        int code;
        const wchar_t* folder;
    };
    for (auto [code, folder] : {
             Case{0, L"windows"}, Case{1, L"system"}, Case{2, L"temp"}, Case{8, L"csidl 2"},  // Programs
             Case{11, L"csidl 40"},                                                           // profile
             Case{12, L"csidl 26"},                                                           // application data
             Case{13, L"csidl 28"},                                                           // local application data
             Case{17, L"csidl 11"},                                                           // Start Menu
             Case{18, L"csidl 35"},  // all users' application data
             Case{35, L"csidl 5"},   // Documents
         }) {
        EXPECT_EQ(Folder(code), folder) << code;
    }
    EXPECT_EQ(CommonFolder(2), L"csidl 23");  // all users' Programs
    EXPECT_EQ(CommonFolder(3), L"csidl 22");  // all users' Start Menu
}

TEST(AppFrameCodes, DuplicateCodesAnswerTheSameFolder) {
    EXPECT_EQ(Folder(13), Folder(19));
    EXPECT_EQ(Folder(16), L"csidl 43");
    EXPECT_EQ(Folder(16), Folder(30));
    EXPECT_EQ(CommonFolder(5), CommonFolder(2));
}

TEST(AppFrameCodes, UnlistedCodesLeaveTheCallersStringAlone) {
    for (int code : {14, 36, -1, 1000}) {
        EXPECT_EQ(Folder(code), L"untouched") << code;
    }
    for (int code : {13, -1}) {
        EXPECT_EQ(CommonFolder(code), L"untouched") << code;
    }
}

TEST(AppFrameCodes, FailedLookupEmptiesTheCallersString) {
    TFolderLookups failing = NamingLookups();
    failing.WindowsDirectory = [] { return std::wstring(); };
    failing.CsidlPath = [](int) { return std::wstring(); };
    std::wstring path = L"stale";
    ResolveFolder(failing, 0, path);
    EXPECT_EQ(path, L"");
    path = L"stale";
    ResolveFolder(failing, 34, path);
    EXPECT_EQ(path, L"");
    path = L"stale";
    ResolveCommonFolder(failing, 12, path);
    EXPECT_EQ(path, L"");
}

}  // namespace
}  // namespace tessaline
