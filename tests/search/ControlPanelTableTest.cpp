#include <gtest/gtest.h>

#include "search/ControlPanelTable.h"

namespace tessaline {
namespace {

const std::wstring kSystem = L"C:\\Windows\\System32";

std::wstring Keep(const std::wstring&, const std::wstring& fallback) {
    return fallback;
}

TEST(ControlPanelTable, EnglishRowsCarryNameAndCommandLine) {
    const auto rows = BuildControlPanelTable(kSystem, L"English", Keep, Keep);
    ASSERT_EQ(rows.size(), 48u);
    EXPECT_EQ(rows[2],
              L"Taskbar|QuorvanSpliterFlagA|C:\\Windows\\System32\\control.exe /name "
              L"Microsoft.TaskbarAndStartMenu");
    EXPECT_EQ(rows[0],
              L"Power Options|QuorvanSpliterFlagA|C:\\Windows\\System32\\control.exe /name  "
              L"Microsoft.PowerOptions");
    // The control-panel file by its full path too: a bare name is looked for in the current folder first.
    EXPECT_EQ(rows[47], L"16-Bit Application Support|QuorvanSpliterFlagA|" + std::wstring(kSystem) + L"\\ntvdmcpl.cpl");
    EXPECT_EQ(rows[45], L"File History|QuorvanSpliterFlagA|C:\\Windows\\System32\\FileHistory.exe");
    // Two names, one item.
    EXPECT_EQ(SplitControlPanelRow(rows[12]).CommandLine, SplitControlPanelRow(rows[34]).CommandLine);
    EXPECT_EQ(SplitControlPanelRow(rows[34]).LocalName, L"Language");
}

TEST(ControlPanelTable, OtherLanguagesCarryTheEnglishNameAndMissingKeysKeepIt) {
    const auto french = [](const std::wstring& key, const std::wstring& fallback) {
        return key == L"Search_Mouse" ? std::wstring(L"Souris") : fallback;
    };
    const auto english = [](const std::wstring& key, const std::wstring& fallback) {
        return key == L"Search_Mouse" ? std::wstring(L"Mouse settings") : fallback;
    };
    const auto rows = BuildControlPanelTable(kSystem, L"Fran\u00e7ais", french, english);
    ASSERT_EQ(rows.size(), 48u);
    EXPECT_EQ(rows[33],
              L"Fonts|QuorvanSpliterFlagB|Fonts|QuorvanSpliterFlagA|C:\\Windows\\System32\\control.exe "
              L"/name Microsoft.Fonts");
    const TControlPanelRow mouse = SplitControlPanelRow(rows[14]);
    EXPECT_EQ(mouse.LocalName, L"Souris");
    EXPECT_EQ(mouse.EnglishName, L"Mouse settings");
    EXPECT_EQ(mouse.CommandLine, L"C:\\Windows\\System32\\control.exe /name Microsoft.Mouse");
    // "English" must match exactly to give the short form.
    EXPECT_NE(BuildControlPanelTable(kSystem, L"english", Keep, Keep)[2].find(kSplitterB), std::wstring::npos);
}

TEST(ControlPanelTable, SplittingToleratesRowsOfTheOtherForm) {
    const TControlPanelRow shortForm = SplitControlPanelRow(L"Taskbar|QuorvanSpliterFlagA|x.exe");
    EXPECT_EQ(shortForm.LocalName, L"Taskbar");
    EXPECT_EQ(shortForm.EnglishName, L"Taskbar");
    EXPECT_EQ(shortForm.CommandLine, L"x.exe");
    const TControlPanelRow noCommand = SplitControlPanelRow(L"just a name");
    EXPECT_EQ(noCommand.LocalName, L"just a name");
    EXPECT_EQ(noCommand.CommandLine, L"");
    EXPECT_EQ(ControlPanelFallbackCommand(L"C:\\Windows\\System32", L"C:\\Windows\\System32\\ntvdmcpl.cpl"),
              L"C:\\Windows\\System32\\rundll32.exe shell32,Control_RunDLL C:\\Windows\\System32\\ntvdmcpl.cpl");
}

}  // namespace
}  // namespace tessaline
