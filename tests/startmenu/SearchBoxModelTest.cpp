// Enter's special forms, how each kind of result starts, and which rows belong to the text in the box.
#include <gtest/gtest.h>

#include <map>

#include "startmenu/SearchBoxModel.h"

namespace tessaline {
namespace {

using Kind = TSearchEnterAction::TKind;

TSearchEnterAction EnterOn(const std::wstring& text, bool noRows) {
    static const std::map<std::wstring, std::wstring> variables = {{L"WINDIR", L"C:\\Windows"}};
    return SearchEnterAction(text, noRows, [](const std::wstring& name) {
        const auto found = variables.find(name);
        return found != variables.end() ? found->second : std::wstring();
    });
}

TEST(SearchBoxModel, EntersSpecialFormsComeBeforeTheResults) {
    EXPECT_EQ(EnterOn(L"\\\\server\\share", false),
              (TSearchEnterAction{Kind::OpenNetworkPath, L"\\\\server\\share", L""}));
    EXPECT_EQ(EnterOn(L"ping localhost", false), (TSearchEnterAction{Kind::Ping, L"cmd.exe", L"/K ping localhost"}));
    // Only at the very start: a leading space is no ping, and the text is not trimmed for these two.
    EXPECT_EQ(EnterOn(L" ping localhost", true).Kind, Kind::SystemSearch);
    EXPECT_EQ(EnterOn(L" %WINDIR% ", false), (TSearchEnterAction{Kind::ExploreFolder, L"C:\\Windows", L""}));
}

TEST(SearchBoxModel, WithoutRowsOfThisTextEnterGoesToTheSystemSearch) {
    EXPECT_EQ(EnterOn(L"notepad", true), (TSearchEnterAction{Kind::SystemSearch, L"search-ms:query=notepad", L""}));
    EXPECT_EQ(EnterOn(L"notepad", false).Kind, Kind::StartFirstResult);
    // A variable without a value: the first result is opened as a document, or the system searches.
    EXPECT_EQ(EnterOn(L"%NOSUCH%", false).Kind, Kind::OpenFirstResult);
    EXPECT_EQ(EnterOn(L"%NOSUCH%", true), (TSearchEnterAction{Kind::SystemSearch, L"search-ms:query=%NOSUCH%", L""}));
    // "%" alone and "%%" name no variable and are never asked for.
    bool asked = false;
    const auto environment = [&](const std::wstring&) {
        asked = true;
        return std::wstring(L"C:\\");
    };
    EXPECT_EQ(SearchEnterAction(L"%", false, environment).Kind, Kind::OpenFirstResult);
    EXPECT_EQ(SearchEnterAction(L"%%", true, environment).Kind, Kind::SystemSearch);
    EXPECT_FALSE(asked);
}

TEST(SearchBoxModel, EachKindOfResultStartsItsOwnWay) {
    EXPECT_EQ(ResultStart(L".control", true), (TResultStart{true, false, false, false}));
    EXPECT_EQ(ResultStart(L".control", false), (TResultStart{true, false, false, false}));
    // A click names the window as owner and tries once more without the redirection.
    EXPECT_EQ(ResultStart(L".txt", true), (TResultStart{false, true, false, true}));
    EXPECT_EQ(ResultStart(L".exe", true), (TResultStart{false, true, false, true}));
    // From the keyboard, programs start with the redirection off at once; documents as they are.
    for (const wchar_t* program : {L".lnk", L".exe", L".msc"}) {
        EXPECT_EQ(ResultStart(program, false), (TResultStart{false, false, true, false})) << program;
    }
    EXPECT_EQ(ResultStart(L".txt", false), (TResultStart{}));
}

TEST(SearchBoxModel, RowsCountAsCurrentOnlyForTheLastHandOver) {
    TSearchHandOvers handOvers;
    EXPECT_TRUE(handOvers.RowsCurrent(false)) << "nothing handed over yet";
    handOvers.HandedOver(1);
    EXPECT_FALSE(handOvers.RowsCurrent(true)) << "the rows shown are of no hand-over yet";
    handOvers.RowsCleared(1);
    EXPECT_FALSE(handOvers.RowsCurrent(false)) << "cleared, no row yet";
    EXPECT_TRUE(handOvers.RowsCurrent(true));

    handOvers.HandedOver(2);  // the user typed on: the rows of 1 are stale
    EXPECT_TRUE(handOvers.Stale(1));
    EXPECT_FALSE(handOvers.Stale(2));
    EXPECT_FALSE(handOvers.RowsCurrent(true));
    handOvers.PassEnded(2);  // a pass that found nothing still answers
    EXPECT_TRUE(handOvers.RowsCurrent(false));

    handOvers.Reset();
    EXPECT_FALSE(handOvers.Stale(1));
}

}  // namespace
}  // namespace tessaline
