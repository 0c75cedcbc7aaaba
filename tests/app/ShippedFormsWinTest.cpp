// Every window the program builds from a description builds whole: no row skipped, no property ignored.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/SetMainWin.h"
#include "app/StartButtonFormWin.h"
#include "controls/FormWin.h"
#include "controls/PictureLoader.h"
#include "controls/StandardClasses.h"
#include "startmenu/StartMenuForm.h"

namespace tessaline {
namespace {

TEST(ShippedForms, EachBuildsWithNothingLeftOut) {
    EnsureGdiplus();
    RegisterStandardClasses();
    const std::vector<std::pair<const wchar_t*, const TFormDescription*>> forms = {
        {L"start menu", &StartMenuFormDescription()},
        {L"settings", &SettingFormDescription()},
        {L"Start button", &StartButtonFormDescription()},
    };
    for (const auto& [name, description] : forms) {
        TForm form(nullptr);
        TPropertyContext context;
        context.Pictures = [](const std::wstring& picture) { return LoadPictureResource(picture); };
        context.Form = &form;
        TBuildReport report;
        EXPECT_EQ(BuildForm(form, *description, context, &report), 0) << testing::PrintToString(name);
        EXPECT_EQ(report.SkippedRows + report.IgnoredProperties, 0)
            << testing::PrintToString(name) << " left out " << testing::PrintToString(report.Left);
        EXPECT_GT(form.ComponentCount(), 3u) << testing::PrintToString(name);
    }
}

}  // namespace
}  // namespace tessaline
