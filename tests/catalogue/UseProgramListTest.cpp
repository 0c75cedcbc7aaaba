#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "base/Strings.h"
#include "base/Trace.h"
#include "catalogue/UseProgramList.h"
#include "catalogue/UserAssist.h"

namespace tessaline {
namespace {

constexpr wchar_t kCommonPrograms[] = L"{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8}";
constexpr wchar_t kProgramsFolder[] = L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\";

// Shortcuts with the targets the shell resolves them to, and the program files; paths ignore case.
const std::map<std::wstring, std::wstring> kLinks = {
    {std::wstring(kProgramsFolder) + L"Accessories\\Notepad.lnk", L"C:\\Windows\\notepad.exe"},
    {L"C:\\Users\\Ann\\Desktop\\Notepad.lnk", L"  C:\\WINDOWS\\Notepad.exe "},  // same program
    {L"C:\\Tools\\Calc.lnk", L"C:\\Tools\\calc.exe"},
    {L"C:\\Tools\\Paint.lnk", L"C:\\Tools\\paint.exe"},
    {L"C:\\Tools\\Mail.lnk", L"C:\\Tools\\mail.exe"},
    {L"C:\\Tools\\Readme.lnk", L"C:\\Tools\\readme.txt"},  // not a program
    {L"C:\\Tools\\Gone.lnk", L"C:\\Tools\\gone.exe"},      // target deleted
};
const std::set<std::wstring> kFiles = {L"c:\\windows\\notepad.exe", L"c:\\tools\\calc.exe",   L"c:\\tools\\paint.exe",
                                       L"c:\\tools\\mail.exe",      L"c:\\tools\\readme.txt", L"c:\\tools\\app.exe"};

const TUseProgramShell kShell{
    .FileExists = [](const std::wstring& p) { return kFiles.contains(LowerAZ(p)) || kLinks.contains(p); },
    .ResolveLinkTarget = [](const std::wstring& p) { return kLinks.contains(p) ? kLinks.at(p) : L""; },
    .GetShellDisplayName = [](const std::wstring& p) { return L"name of " + p; },
    .GetStartMenuKnownFolder = [](const std::wstring& guid) { return guid == kCommonPrograms ? kProgramsFolder : L""; },
    .FileTimeToLocal = [](uint64_t hour) { return TDateTime{2024, 3, 15, static_cast<int32_t>(hour), 0, 0}; },
};

TUserAssistValue Value(const std::wstring& path, int hour) {
    std::string data(72, '\0');
    data[60] = static_cast<char>(hour);
    return {Rot13(path), data};
}

TEST(UseProgramList, BothSourcesMergeByTargetAndSortNewestFirst) {
    const std::vector<TUserAssistValue> values = {
        Value(std::wstring(kCommonPrograms) + L"\\Accessories\\Notepad.lnk", 0),  // zero time: none
        Value(L"C:\\Tools\\Readme.lnk", 23),
        Value(L"C:\\Tools\\Gone.lnk", 23),
        Value(L"C:\\Tools\\Missing.lnk", 23),
        Value(L"C:\\Tools\\Calc.lnk", 10),
        {Rot13(L"C:\\Tools\\Paint.lnk"), "short"},  // no usable time: listed, last
        Value(L"UEME_CTLSESSION", 23),
    };
    const std::vector<std::wstring> lines = {
        L"C:\\Users\\Ann\\Desktop\\Notepad.lnk;03/15/2024 12:00:00;1",
        L"C:\\Tools\\Calc.lnk;03/15/2024 08:00:00;1",  // older than the registry's time
        L"C:\\Tools\\Mail.lnk;03/15/2024 11:00:00;1",  // started only from this menu
        L"C:\\Tools\\app.exe;03/15/2024 22:00:00;1",   // a program file itself: only shortcuts count
        L"garbage",
    };
    std::vector<std::wstring> traces;
    const TraceSink previous = SetTraceSink([&](const std::wstring& line) { traces.push_back(line); });
    TUseProgramList list;
    list.Rebuild(values, lines, kShell);
    SetTraceSink(previous);

    ASSERT_EQ(list.Count(), 4);
    const TUseProgramInfo& notepad = *list.GetItem(0);
    EXPECT_EQ(notepad.TargetPath, L"C:\\Windows\\notepad.exe");
    EXPECT_EQ(notepad.LinkPath, std::wstring(kProgramsFolder) + L"Accessories\\Notepad.lnk");  // first source
    EXPECT_EQ(notepad.UserAssistName, values[0].Name);
    EXPECT_EQ(notepad.DisplayName, L"name of C:\\Users\\Ann\\Desktop\\Notepad.lnk");  // last source
    EXPECT_EQ(notepad.LastRun, (TDateTime{2024, 3, 15, 12, 0, 0}));
    EXPECT_EQ(list.GetItem(1)->LinkPath, L"C:\\Tools\\Mail.lnk");
    EXPECT_TRUE(list.GetItem(1)->UserAssistName.empty());
    EXPECT_EQ(list.GetItem(2)->LastRun, (TDateTime{2024, 3, 15, 10, 0, 0}));
    EXPECT_EQ(list.GetItem(3)->TargetPath, L"C:\\Tools\\paint.exe");
    EXPECT_TRUE(list.GetItem(3)->LastRun.IsZero());
    EXPECT_EQ(list.GetItem(4), nullptr);
    EXPECT_EQ(list.GetItem(-1), nullptr);
    EXPECT_EQ(list.FindByTarget(L"c:\\tools\\CALC.EXE"), list.GetItem(2));
    // Every resolved target is traced, also those then left out.
    EXPECT_EQ(std::ranges::count(traces, L"GetStartProgram: C:\\Tools\\readme.txt"), 1);
    EXPECT_EQ(std::ranges::count(traces, L"GetStartProgram: C:\\Tools\\gone.exe"), 1);
}

TEST(UseProgramList, DisplayNamesAreAskedOnlyForTheEntriesRead) {
    int asked = 0;
    TUseProgramShell shell = kShell;
    shell.GetShellDisplayName = [&](const std::wstring& p) {
        ++asked;
        return L"name of " + p;
    };
    TUseProgramList list;
    list.Rebuild({Value(L"C:\\Tools\\Calc.lnk", 10), Value(L"C:\\Tools\\Paint.lnk", 9)},
                 {L"C:\\Tools\\Mail.lnk;03/15/2024 11:00:00;1"}, shell);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(list.GetItem(0)->DisplayName, L"name of C:\\Tools\\Mail.lnk");
    EXPECT_EQ(list.GetItem(0)->DisplayName, L"name of C:\\Tools\\Mail.lnk");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(list.FindByTarget(L"c:\\tools\\paint.exe")->DisplayName, L"name of C:\\Tools\\Paint.lnk");
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(list.GetItem(3), nullptr);
    EXPECT_EQ(asked, 2);
}

}  // namespace
}  // namespace tessaline
