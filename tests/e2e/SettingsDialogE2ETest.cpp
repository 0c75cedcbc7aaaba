// The settings dialog as a person uses it: the Start button's menu, "Customize User Interface", the lists picked
// with the mouse and the keyboard, OK and Cancel; seen from outside Tessaline through Main.ini, the docked
// button's picture and the start menu's texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "SharedDesktop.h"
#include "base/FileSystem.h"
#include "base/TextFile.h"
#include "controls/PictureLoader.h"

namespace tessaline::test {
namespace {

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    SendBounded(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

POINT CenterOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The program starts without a Main.ini: the Classic skin and English, the defaults.
class SettingsDialogE2E : public TSharedDesktopTest {
  protected:
    static void SetUpTestSuite() { StartDesktop(); }
    static void TearDownTestSuite() { EndDesktop(); }
    void SetUp() override {
        TSharedDesktopTest::SetUp();
        EnsureGdiplus();
        skins_ = Desktop().StageFolder() + L"\\StartButtonSkin\\";
    }

    // Right-click on the docked button, then "Customize User Interface" with the keys; returns the dialog.
    HWND OpenDialog() { return OpenSettingsDialog(Desktop().Button(), ButtonPoint(), Desktop().TessalineProcessId()); }
    // The dialog's lists, top to bottom (language, then skin), and its buttons by caption.
    std::vector<HWND> Lists(HWND dialog) const {
        std::vector<HWND> lists;
        for (HWND c = FindWindowExW(dialog, nullptr, L"ComboBox", nullptr); c != nullptr;
             c = FindWindowExW(dialog, c, L"ComboBox", nullptr)) {
            lists.push_back(c);
        }
        std::sort(lists.begin(), lists.end(), [](HWND a, HWND b) { return CenterOf(a).y < CenterOf(b).y; });
        return lists;
    }
    HWND Button(HWND dialog, const wchar_t* caption) const {
        return FindWindowExW(dialog, nullptr, L"Button", caption);
    }
    std::wstring Selected(HWND list) const {
        const LRESULT index = SendBounded(list, CB_GETCURSEL);
        wchar_t text[256] = {};
        if (index >= 0 && SendBounded(list, CB_GETLBTEXTLEN, index) < 255) {
            SendBounded(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        }
        return text;
    }
    // A click opens the list, the first letter picks the entry, Enter takes it (Wine's list closes on the letter
    // already, Windows' waits for the Enter).
    ::testing::AssertionResult Pick(HWND list, wchar_t first) {
        const auto dropped = [list] { return SendBounded(list, CB_GETDROPPEDSTATE) != 0; };
        ClickAt(CenterOf(list));
        if (!WaitUntil(dropped, 3000)) {
            return ::testing::AssertionFailure() << "a click did not open the list";
        }
        SendKey(static_cast<WORD>(first));
        PumpFor(200);
        if (dropped()) {
            SendKey(VK_RETURN);
            if (!WaitUntil([&] { return !dropped(); }, 3000)) {
                return ::testing::AssertionFailure() << "Enter did not close the list";
            }
            PumpFor(100);
        }
        if (!IsWindowVisible(GetParent(list))) {
            return ::testing::AssertionFailure() << "taking the entry closed the dialog";
        }
        return ::testing::AssertionSuccess();
    }
    // A click opens the list, an arrow key moves to the entry beside the selected one, Enter takes it: the list
    // closes and the dialog stays.
    ::testing::AssertionResult PickBeside(HWND list) {
        const auto dropped = [list] { return SendBounded(list, CB_GETDROPPEDSTATE) != 0; };
        const LRESULT before = SendBounded(list, CB_GETCURSEL);
        ClickAt(CenterOf(list));
        if (!WaitUntil(dropped, 3000)) {
            return ::testing::AssertionFailure() << "a click did not open the list";
        }
        SendKey(before > 0 ? VK_UP : VK_DOWN);
        SendKey(VK_RETURN);
        if (!WaitUntil([&] { return !dropped(); }, 3000)) {
            return ::testing::AssertionFailure() << "Enter did not close the list";
        }
        PumpFor(200);
        if (!IsWindowVisible(GetParent(list))) {
            return ::testing::AssertionFailure() << "Enter in the open list closed the dialog";
        }
        if (SendBounded(list, CB_GETCURSEL) == before) {
            return ::testing::AssertionFailure() << "the selection did not move";
        }
        return ::testing::AssertionSuccess();
    }
    std::wstring MainIniText() const {
        std::string bytes;
        return ReadFileBytes(Desktop().MainIni(), bytes) == FileReadResult::Ok ? DecodeText(bytes) : L"";
    }
    bool MainIniHas(const std::wstring& line) const { return MainIniText().find(line) != std::wstring::npos; }
    POINT ButtonPoint() const { return test::ButtonPoint(Desktop()); }
    uint32_t SkinCenter(const std::wstring& file) const { return CenterOverBlack(LoadPictureFile(skins_ + file)); }

    std::wstring skins_;
};

TEST_F(SettingsDialogE2E, ASkinAndALanguagePickedAndTakenWithOkShowAtOnceAndCancelOrEscChangeNothing) {
    const std::wstring png = Desktop().StageFolder() + L"\\button.png";
    ASSERT_FALSE(NearColour(SkinCenter(L"Ember_normal.png"), SkinCenter(L"Classic_normal.png")));
    ASSERT_TRUE(NearColour(PrintedButtonCenter(png), SkinCenter(L"Classic_normal.png")));

    // Ember, with OK: saved, and the docked button shows it at once.
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr) << "Customize User Interface showed no dialog";
    EXPECT_EQ(WindowText(dialog), L"User Interface");
    std::vector<HWND> lists = Lists(dialog);
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(Selected(lists[0]), L"English");
    EXPECT_EQ(Selected(lists[1]), L"Classic");
    ASSERT_TRUE(Pick(lists[1], 'E'));
    EXPECT_EQ(Selected(lists[1]), L"Ember");
    ClickAt(CenterOf(Button(dialog, L"OK")));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) == FALSE; }, 3000));
    EXPECT_TRUE(WaitUntil([&] { return MainIniHas(L"SkinName=Ember"); }, 3000));
    PumpFor(300);
    EXPECT_TRUE(NearColour(PrintedButtonCenter(png), SkinCenter(L"Ember_normal.png")));

    // German, with OK: the start menu speaks German when it opens next.
    dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    lists = Lists(dialog);
    EXPECT_EQ(Selected(lists[1]), L"Ember");
    ASSERT_TRUE(Pick(lists[0], 'G'));
    EXPECT_EQ(Selected(lists[0]), L"German");
    SendKey(VK_RETURN);  // on the closed list: OK
    EXPECT_TRUE(WaitUntil([&] { return MainIniHas(L"Language=German"); }, 3000));
    EXPECT_TRUE(MainIniHas(L"SkinName=Ember"));
    ClickAt(ButtonPoint());
    HWND menu = Desktop().StartMenu();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(menu) != FALSE; }, 3000));
    EXPECT_EQ(WindowText(FindWindowExW(menu, nullptr, L"Edit", nullptr)), L"Programme/Dateien durchsuchen");
    SendKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(menu) == FALSE; }, 3000));

    // Both lists changed, then Cancel (the dialog now in German): Main.ini byte for byte, the button as it was.
    std::string before;
    ASSERT_EQ(ReadFileBytes(Desktop().MainIni(), before), FileReadResult::Ok);
    // A skin copied in while the program runs is there at the next showing.
    for (const wchar_t* state : {L"_normal.png", L"_hover.png", L"_click.png"}) {
        ASSERT_TRUE(CopyFileW((skins_ + L"Metro" + state).c_str(), (skins_ + L"Zinc" + state).c_str(), FALSE));
    }
    dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), L"Benutzeroberfl\u00e4che");
    lists = Lists(dialog);
    ASSERT_TRUE(Pick(lists[1], 'Z'));
    EXPECT_EQ(Selected(lists[1]), L"Zinc");
    ASSERT_TRUE(PickBeside(lists[0]));
    const std::wstring picked = Selected(lists[0]);
    EXPECT_NE(picked, L"German");
    // The menu item while the dialog shows: the same dialog in front, with what was picked so far.
    EXPECT_EQ(OpenDialog(), dialog);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }, 3000));
    EXPECT_EQ(Selected(lists[1]), L"Zinc");
    EXPECT_EQ(Selected(lists[0]), picked);
    ClickAt(CenterOf(Button(dialog, L"Abbrechen")));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) == FALSE; }, 3000));
    PumpFor(300);
    std::string after;
    ASSERT_EQ(ReadFileBytes(Desktop().MainIni(), after), FileReadResult::Ok);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(NearColour(PrintedButtonCenter(png), SkinCenter(L"Ember_normal.png")));

    // Esc is Cancel too. "More fantastic skins..." opens the skin folder, where new skins go.
    dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    SendKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) == FALSE; }, 3000));
    dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    POINT link{40, 210};
    ClientToScreen(dialog, &link);
    ClickAt(link);
    const std::vector<std::wstring> launches = WaitForLaunches(1);
    ASSERT_EQ(launches.size(), 1u) << Narrow(launches);
    EXPECT_TRUE(launches[0].starts_with(L"open\t") && launches[0].ends_with(L"\\StartButtonSkin\\\t"))
        << Narrow(launches);
    EndLaunched();
    ClickAt(CenterOf(Button(dialog, L"Abbrechen")));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) == FALSE; }, 3000));
    ASSERT_EQ(ReadFileBytes(Desktop().MainIni(), after), FileReadResult::Ok);
    EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace tessaline::test
