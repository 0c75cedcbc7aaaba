#include "Pictures.h"

#include <gtest/gtest.h>

#include <sstream>

namespace artwork {
namespace {

void Nothing(cairo_t*) {}

TPictureDef Embedded(const std::string& resource, const std::string& file) {
    return {TFolder::Embedded, resource, file, 4, 4, Nothing};
}

TPictureDef Skin(const std::string& file) {
    return {TFolder::Skins, "", file, 54, 54, Nothing};
}

TEST(ArtworkCatalogue, ShippedListIsSound) {
    for (const std::string& fault : CheckList(AllPictures())) {
        ADD_FAILURE() << fault;
    }
}

TEST(ArtworkCatalogue, FaultsThatBreakTheOutputAreReported) {
    struct Case {
        const char* what;
        TPictureList list;
    };
    const Case cases[] = {
        {"resource name used twice", {Embedded("A_B", "x/a.png"), Embedded("A_B", "x/b.png")}},
        {"lower-case resource name", {Embedded("a_b", "x/a.png")}},
        {"resource name starting with a digit", {Embedded("1A", "x/a.png")}},
        {"upper case in an embedded file", {Embedded("A", "x/A.png")}},
        {"not a png", {Embedded("A", "x/a.bmp")}},
        {"same file twice", {Embedded("A", "x/a.png"), Embedded("B", "x/a.png")}},
        {"files that differ only in case",
         {Skin("Blue_normal.png"), Skin("blue_normal.png"), Skin("Blue_hover.png"), Skin("Blue_click.png")}},
        {"skin without its click picture", {Skin("Blue_normal.png"), Skin("Blue_hover.png")}},
        {"skin name with an underscore",
         {Skin("Deep_Blue_normal.png"), Skin("Deep_Blue_hover.png"), Skin("Deep_Blue_click.png")}},
        {"skin file without a state", {Skin("Blue.png")}},
        {"resource name on a data file", {{TFolder::Resources, "USER", "user.png", 4, 4, Nothing}}},
        {"empty size", {{TFolder::Embedded, "A", "x/a.png", 0, 4, Nothing}}},
        {"nothing draws it", {{TFolder::Embedded, "A", "x/a.png", 4, 4, nullptr}}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(CheckList(c.list).empty()) << c.what;
    }
}

TEST(ArtworkCatalogue, CompleteSkinsAndPlainNamesPass) {
    const TPictureList list = {Skin("Blue_normal.png"),
                               Skin("Blue_hover.png"),
                               Skin("Blue_click.png"),
                               Embedded("GUIDE_DOT_ON", "guide/dot_on.png"),
                               {TFolder::Resources, "", "userframe.png", 64, 64, Nothing}};
    EXPECT_TRUE(CheckList(list).empty());
}

TEST(ArtworkCatalogue, ManifestListsEmbeddedPicturesOnly) {
    const TPictureList list = {Embedded("STARTMENU_STEP", "startmenu/step.png"),
                               Skin("Blue_normal.png"),
                               {TFolder::Embedded, "GUIDE_BACKGROUND", "guide/background.png", 807, 442, Nothing}};
    std::istringstream text(ManifestText(list));
    std::vector<std::string> entries;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line[0] != '#') {
            entries.push_back(line);
        }
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"STARTMENU_STEP startmenu/step.png 4x4",
                                                 "GUIDE_BACKGROUND guide/background.png 807x442"}));
}

}  // namespace
}  // namespace artwork
