// The Start button's picture: state from the menu and the mouse, skin files or the built-in three.
#include "app/StartButtonSkin.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tessaline {
namespace {

const std::wstring kFolder = StartButtonSkinFolder(L"C:\\Tessaline");

TEST(StartButtonSkin, TheOpenMenuKeepsTheButtonPressed) {
    struct Case {
        bool showStartMenu;
        bool mouseOver;
        TButtonPictureState state;
    };
    for (auto [showStartMenu, mouseOver, state] : {
             Case{false, false, TButtonPictureState::Normal},
             Case{false, true, TButtonPictureState::Hover},
             Case{true, false, TButtonPictureState::Pressed},
             Case{true, true, TButtonPictureState::Pressed},
         }) {
        EXPECT_EQ(ButtonPictureState(showStartMenu, mouseOver), state) << showStartMenu << mouseOver;
    }
}

TEST(StartButtonSkin, OnlyAllThreeFilesMakeASkin) {
    const std::wstring normal = kFolder + L"Metro_normal.png";
    const std::wstring hover = kFolder + L"Metro_hover.png";
    const std::wstring click = kFolder + L"Metro_click.png";
    struct Case {
        std::set<std::wstring> files;
        bool complete;
    };
    for (const auto& [files, complete] : {
             Case{{normal, hover, click}, true},
             Case{{normal, hover}, false},
             Case{{}, false},
         }) {
        EXPECT_EQ(ButtonSkinComplete(kFolder, L"Metro", [&](const std::wstring& p) { return files.count(p) > 0; }),
                  complete)
            << files.size();
    }
}

TEST(StartButtonSkin, FilesAreAskedClickHoverNormalUntilOneIsMissing) {
    std::vector<std::wstring> asked;
    const auto hoverMissing = [&](const std::wstring& path) {
        asked.push_back(path);
        return path.find(L"_hover") == std::wstring::npos;
    };
    EXPECT_FALSE(ButtonSkinComplete(kFolder, L"Classic", hoverMissing));
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"C:\\Tessaline\\StartButtonSkin\\Classic_click.png",
                                                kFolder + L"Classic_hover.png"}));
}

TEST(StartButtonSkin, NamesThatAreNoSkinOfTheFolderAreNeverLookedUp) {
    for (const wchar_t* name : {L"", L"..\\..\\Windows\\Web\\x", L"sub/skin", L"\\\\server\\share\\x"}) {
        bool asked = false;
        EXPECT_FALSE(ButtonSkinComplete(kFolder, name, [&](const std::wstring&) { return asked = true; })) << name;
        EXPECT_FALSE(asked) << name;
    }
}

TEST(StartButtonSkin, CompleteSkinGivesItsFileOtherwiseTheBuiltInPicture) {
    struct Case {
        TButtonPictureState state;
        bool complete;
        TButtonPicture picture;
    };
    for (const auto& [state, complete, picture] : {
             Case{TButtonPictureState::Normal, true, {kFolder + L"Metro_normal.png", 0}},
             Case{TButtonPictureState::Hover, true, {kFolder + L"Metro_hover.png", 1}},
             Case{TButtonPictureState::Pressed, true, {kFolder + L"Metro_click.png", 2}},
             Case{TButtonPictureState::Normal, false, {L"", 0}},
             Case{TButtonPictureState::Hover, false, {L"", 1}},
             Case{TButtonPictureState::Pressed, false, {L"", 2}},
         }) {
        EXPECT_EQ(ChooseButtonPicture(state, complete, kFolder, L"Metro"), picture) << picture.BuiltInIndex;
    }
}

}  // namespace
}  // namespace tessaline
