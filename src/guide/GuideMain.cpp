// Tessaline_Guide.exe: the first-run guide, two illustrated pages on a window shaped by its artwork. It reads the
// language setting and writes nothing.

#include <windows.h>

#include "controls/ApplicationWin.h"
#include "controls/PictureLoader.h"
#include "guide/GuideFormWin.h"
#include "guide/GuideLanguage.h"
#include "settings/MainSettings.h"
#include "settings/PLanguage.h"
#include "system/DpiAware.h"

using namespace tessaline;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    SetDPIAware();
    EnsureGdiplus();
    // One guide at a time: a second start brings the first forward and ends without a window.
    if (!Application.CreateHandle() || !Application.CheckUniqueInstance()) {
        return 0;
    }
    GlobalLanguage = std::make_unique<TLanguage>(kAppName);
    const std::wstring language = ReadLanguageSetting();
    GlobalLanguage->LoadLanguage(language.empty() ? std::wstring(kDefaultLanguage) : language);
    TGuideLanguageForm texts;
    GlobalLanguage->ApplyToComponent(texts);

    {
        TfrmGuide guide;
        if (guide.Create(texts.Caption())) {
            Application.MainFormHandle = guide.Handle();
            guide.Show();
            Application.Run();
        }
        Application.MainFormHandle = nullptr;
    }
    DestroyWindow(Application.Handle());
    GlobalLanguage.reset();
    Application.ReleaseUniqueInstance();
    return 0;
}
