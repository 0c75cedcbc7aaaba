#include "guide/GuideLanguage.h"

#include "guide/GuideModel.h"

namespace tessaline {

TGuideLanguageForm::TGuideLanguageForm() : caption_(GuideCaption()) {
    size_t i = 0;
    for (const wchar_t* button :
         {L"ImageNote_Back", L"ImageNote_Next", L"ImageNote_Close", L"ImageNote_Dot1", L"ImageNote_Dot2"}) {
        parts_[i++] = TPart(button, TComponentKind::ImageNote, L"");
    }
    // The labels carry the texts the renderer draws; the walk passes over their class.
    const std::vector<TGuideDraw> page0 = TGuideModel().DrawList();
    TGuideModel second;
    second.SwitchPage(1);
    const std::vector<TGuideDraw> page1 = second.DrawList();
    const wchar_t* const names[] = {L"lbl_SkipMetrolScreen", L"lbl_MetrolHotCorners", L"lbl_MetrolSidebar",
                                    L"lbl_Startbutton", L"lbl_MorefantasticSkins"};
    size_t name = 0;
    for (const std::vector<TGuideDraw>* page : {&page0, &page1}) {
        for (const TGuideDraw& draw : *page) {
            if (draw.IsText && name < std::size(names)) {
                parts_[i++] = TPart(names[name++], TComponentKind::Other, draw.Text);
            }
        }
    }
}

ILanguageComponent* TGuideLanguageForm::Component(size_t index) const {
    return index < parts_.size() ? &parts_[index] : nullptr;
}

}  // namespace tessaline
