#include <gtest/gtest.h>

#include "TestSupport.h"
#include "controls/PLabelNote.h"
#include "settings/PLanguage.h"

namespace tessaline {
namespace {

TEST(LabelNote, TextIndexShowsAValidItemOnEveryWriteAndIgnoresTheRest) {
    TLabelNote note(nullptr);
    note.Items().Add().Text = L"Off";
    note.Items().Add().Text = L"On";
    note.SetTextIndex(1);
    EXPECT_EQ(note.Caption(), L"On");
    for (int ignored : {-1, 2, -5}) {
        note.SetTextIndex(ignored);
        EXPECT_EQ(note.TextIndex(), 1);
        EXPECT_EQ(note.Caption(), L"On");
    }
    note.SetCaption(L"changed");
    note.SetTextIndex(1);
    EXPECT_EQ(note.Caption(), L"On");

    note.BeginLoading();
    note.SetTextIndex(0);
    note.EndLoading();
    EXPECT_EQ(note.TextIndex(), 0);
    EXPECT_EQ(note.Caption(), L"On");
    EXPECT_EQ(note.Items().Add().Text, L"Text_2");
}

TEST(LabelNote, TheLanguageWalkTranslatesTheAlternativesAndTheRdLabelCaption) {
    test::TempFolder folder;
    test::WriteBytes(folder.File(L"Deutsch.lng"),
                     "[Tessaline_frmGuide]\nNote.Items[1].Caption=An\nNote.Caption=nie\nTitle.Caption=Titel\n");
    TLanguage language(L"Tessaline", folder.Path());
    ASSERT_TRUE(language.LoadLanguage(L"Deutsch"));

    TControl form(nullptr);
    form.SetName(L"frmGuide");
    auto* note = Create<TLabelNote>(&form, L"Note");
    note->Items().Add().Text = L"Off";
    note->Items().Add().Text = L"On";
    note->SetTextIndex(0);
    auto* title = Create<TRdLabel>(&form, L"Title");
    title->SetCaption(L"Title");
    language.ApplyToComponent(form);

    EXPECT_EQ(note->ItemText(0), L"Off");
    EXPECT_EQ(note->ItemText(1), L"An");
    EXPECT_EQ(note->Caption(), L"Off");
    EXPECT_EQ(title->Caption(), L"Titel");
}

}  // namespace
}  // namespace tessaline
