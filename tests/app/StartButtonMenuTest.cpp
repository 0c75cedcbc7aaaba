// The options menu as settings: check marks from Main.ini, and what a click stores and posts.
#include "app/StartButtonMenu.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace tessaline {
namespace {

// Each test gets its own profile folder, so its own Main.ini.
class StartButtonMenu : public testing::Test {
  protected:
    test::TempFolder profile;
    test::ScopedEnv env{L"USERPROFILE", profile.Path().c_str()};
};

TEST_F(StartButtonMenu, AbsentKeysShowEveryCheckMark) {
    EXPECT_EQ(ReadStartButtonMenuChecks(), (TStartButtonMenuChecks{true, true, true, true}));
}

TEST_F(StartButtonMenu, EachOptionStoresItsKeyAndOnlyHotCornersTellTheTaskbarSide) {
    struct Case {
        TStartButtonOption option;
        bool checked;
        std::optional<TWindowMessage> message;
        TStartButtonMenuChecks after;
    };
    for (auto [option, checked, message, after] : {
             Case{TStartButtonOption::Startup, false, std::nullopt, {false, true, true, true}},
             Case{TStartButtonOption::SkipMetro, false, std::nullopt, {false, false, true, true}},
             Case{TStartButtonOption::HotCorners,
                  false,
                  TWindowMessage{WMSetHotCorners, 0, 0},
                  {false, false, false, true}},
             Case{TStartButtonOption::HotSidebar,
                  false,
                  TWindowMessage{WMSetHotSidebar, 0, 0},
                  {false, false, false, false}},
             Case{TStartButtonOption::HotSidebar,
                  true,
                  TWindowMessage{WMSetHotSidebar, 0, 1},
                  {false, false, false, true}},
             Case{TStartButtonOption::Startup, true, std::nullopt, {true, false, false, true}},
         }) {
        EXPECT_EQ(StoreStartButtonOption(option, checked), message) << static_cast<int>(option) << checked;
        EXPECT_EQ(ReadStartButtonMenuChecks(), after) << static_cast<int>(option) << checked;
    }
}

}  // namespace
}  // namespace tessaline
