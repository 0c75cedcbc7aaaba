#include <gtest/gtest.h>

#include "TestSupport.h"
#include "settings/PLanguage.h"

namespace tessaline {
namespace {

using test::TempFolder;

// A component as the framework will present it: only what the walk reads and writes.
struct Node : ILanguageComponent {
    std::wstring name;
    TComponentKind kind = TComponentKind::Other;
    std::wstring className;
    std::wstring caption;
    std::wstring hint;
    bool showHint = false;
    std::vector<std::wstring> items;
    std::vector<std::wstring> columns;
    std::vector<Node*> owned;
    int selected = -1;
    int repaints = 0;

    Node(std::wstring n, TComponentKind k, std::wstring c = L"") : name(std::move(n)), kind(k), caption(std::move(c)) {}

    std::wstring Name() const override { return name; }
    TComponentKind Kind() const override { return kind; }
    std::wstring ClassName() const override { return className; }
    std::wstring Caption() const override { return caption; }
    void SetCaption(const std::wstring& text) override { caption = text; }
    bool ShowHint() const override { return showHint; }
    std::wstring Hint() const override { return hint; }
    void SetHint(const std::wstring& text) override { hint = text; }
    size_t ItemCount() const override { return items.size(); }
    std::wstring ItemText(size_t i) const override { return items[i]; }
    void SetItemText(size_t i, const std::wstring& text) override { items[i] = text; }
    size_t ColumnCount() const override { return columns.size(); }
    std::wstring ColumnText(size_t i) const override { return columns[i]; }
    void SetColumnText(size_t i, const std::wstring& text) override { columns[i] = text; }
    void Repaint() override { ++repaints; }
    size_t ComponentCount() const override { return owned.size(); }
    ILanguageComponent* Component(size_t i) const override { return owned[i]; }
};

class Language : public testing::Test {
  protected:
    TempFolder folder;
    std::wstring Dir() const { return folder.Path(); }
    void Write(const std::wstring& file, const std::string& utf8) {
        test::WriteBytes(folder.File(file), "\xEF\xBB\xBF" + utf8);
    }
};

TEST_F(Language, ScanListsEveryFileWithItsDisplayNameAndLoadsTheLast) {
    Write(L"English.lng", "[Main]\nDisplayName=English\n[Tessaline_M]\nlbl_Program_back=Back\n");
    Write(L"Deutsch.lng",
          "[Tessaline_M]\nlbl_Program_back=Zur\xC3\xBC"
          "ck\n");  // no DisplayName
    Write(L"notes.txt", "[Main]\nDisplayName=Not a language\n");
    TLanguage language(L"Tessaline", Dir());

    ASSERT_EQ(language.Names().size(), 2u);
    ASSERT_EQ(language.DisplayNames().size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const std::wstring expected = language.Names()[i] == L"English" ? L"English" : L"Deutsch";
        EXPECT_EQ(language.DisplayNames()[i], expected);
    }
    EXPECT_EQ(language.CurrentIndex(), 1);
    EXPECT_EQ(language.LanguageDir(), Dir());
}

TEST_F(Language, LoadingFindsNamesWhateverTheirCaseAndFallsBackToEnglish) {
    Write(L"English.lng", "[Tessaline_M]\nlbl_Program_back=Back\n");
    Write(L"French.lng",
          "[Tessaline_M]\nlbl_Program_back=Pr\xC3\xA9"
          "c\xC3\xA9"
          "dent\n");
    TLanguage language(L"Tessaline", Dir() + L"\\");
    EXPECT_EQ(language.LanguageDir(), Dir());

    EXPECT_TRUE(language.LoadLanguage(L"fReNcH"));
    EXPECT_EQ(language.GetMessage(L"LBL_PROGRAM_BACK", L"Back"),
              L"Pr\x00E9"
              L"c\x00E9"
              L"dent");

    for (const wchar_t* name : {L"", L"Klingon"}) {
        EXPECT_TRUE(language.LoadLanguage(name));
        EXPECT_EQ(language.GetMessage(L"lbl_Program_back", L"?"), L"Back");
        EXPECT_EQ(language.Names()[static_cast<size_t>(language.CurrentIndex())], L"English");
    }
}

TEST_F(Language, WithoutEnglishAnUnknownNameChangesNothing) {
    Write(L"French.lng", "[Tessaline_M]\nlbl_Program_back=Retour\n");
    TLanguage language(L"Tessaline", Dir());
    ASSERT_TRUE(language.LoadLanguage(L"French"));
    EXPECT_FALSE(language.LoadLanguage(L"German"));
    EXPECT_EQ(language.GetMessage(L"lbl_Program_back", L"Back"), L"Retour");
}

TEST_F(Language, NoFolderMeansBuiltInTexts) {
    TLanguage language(L"Tessaline", folder.File(L"absent"));
    EXPECT_TRUE(language.Names().empty());
    EXPECT_EQ(language.CurrentIndex(), -1);
    EXPECT_FALSE(language.LoadLanguage(L"English"));
    EXPECT_EQ(language.GetMessage(L"Edit_Search_Title", L"Search programs and files"), L"Search programs and files");
}

TEST_F(Language, AnUnreadableFileKeepsThePreviousTexts) {
    Write(L"English.lng", "[Main]\nDisplayName=English\n[Tessaline_M]\nlbl_Program_back=Back\n");
    // An entry named like a language that is a folder cannot be read as a file.
    test::WriteBytes(folder.File(L"Broken.lng\\inside.txt"), "x");
    TLanguage language(L"Tessaline", Dir());
    ASSERT_EQ(language.Names().size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(language.DisplayNames()[i], language.Names()[i]);  // never the other file's DisplayName
    }
    language.LoadLanguage(L"English");
    language.LoadLanguage(L"Broken");
    EXPECT_EQ(language.GetMessage(L"lbl_Program_back", L"-"), L"Back");
}

TEST_F(Language, MessagesComeFromTheAppSectionOnly) {
    Write(L"English.lng", "[Other_M]\nx=other\n[Tessaline_M]\nEmpty=\nx=mine\nx=second\n");
    TLanguage language(L"Tessaline", Dir());
    EXPECT_EQ(language.GetMessage(L"x", L"-"), L"mine");
    EXPECT_EQ(language.GetMessage(L"Empty", L"default"), L"");
    EXPECT_EQ(language.GetMessage(L"absent", L"default"), L"default");
    EXPECT_EQ(language.ReadText(L"Other_M", L"x", L"-"), L"other");

    Write(L"Bare.lng", "[Main]\nDisplayName=Bare\n");
    TLanguage bare(L"Tessaline", Dir());
    ASSERT_TRUE(bare.LoadLanguage(L"Bare"));
    EXPECT_EQ(bare.GetMessage(L"x", L"default"), L"default");
}

TEST_F(Language, TwoInstancesHoldIndependentTexts) {
    Write(L"English.lng", "[Tessaline_M]\nSearch_Power_Options=Power Options\n");
    Write(L"German.lng", "[Tessaline_M]\nSearch_Power_Options=Energieoptionen\n");
    TLanguage current(L"Tessaline_M", Dir());
    TLanguage english(L"Tessaline_M", Dir());
    current.LoadLanguage(L"German");
    english.LoadLanguage(L"English");
    EXPECT_EQ(current.ReadText(L"Tessaline_M", L"Search_Power_Options", L"-"), L"Energieoptionen");
    EXPECT_EQ(english.ReadText(L"Tessaline_M", L"Search_Power_Options", L"-"), L"Power Options");
}

TEST_F(Language, TheWalkLocalisesEachKindByItsKeys) {
    Write(L"German.lng",
          "[Tessaline_frmSetting]\n"
          "frmSetting.Caption=Oberfl\xC3\xA4"
          "che\n"
          "btn_ok.Caption=\n"
          "Label_Skin.Caption=Aussehen\n"
          "Note.Items[1].Caption=Zweiter\n"
          "Note.Caption=never used\n"
          "Image_Close.Hint=Schlie\xC3\x9F"
          "en\n"
          "Image_Quiet.Hint=unused\n"
          "Menu_Exit.Caption=Beenden\n"
          "ComboBox_Skin.Items[0].Caption=Klassisch\n"
          "Tree.Items[2].Caption=Enkel\n"
          "List.Columns[1].Caption=Pfad\n"
          "Report.Caption=not a form\n"
          "[Tessaline_Report]\n"
          "Inner.Caption=Innen\n"
          "[Tessaline_M]\n");
    TLanguage language(L"Tessaline", Dir());
    ASSERT_TRUE(language.LoadLanguage(L"German"));

    Node form(L"frmSetting", TComponentKind::Form, L"User Interface");
    Node ok(L"btn_ok", TComponentKind::Button, L"OK");
    Node cancel(L"btn_Cancel", TComponentKind::Button, L"Cancel");
    Node label(L"Label_Skin", TComponentKind::Label, L"Skin");
    Node note(L"Note", TComponentKind::LabelNote, L"caption");
    note.items = {L"First", L"Second"};
    Node close(L"Image_Close", TComponentKind::ImageNote);
    close.showHint = true;
    close.hint = L"Close";
    Node quiet(L"Image_Quiet", TComponentKind::ImageNote);
    quiet.hint = L"Quiet";
    Node exit(L"Menu_Exit", TComponentKind::MenuItem, L"Exit");
    Node combo(L"ComboBox_Skin", TComponentKind::ComboBox);
    combo.items = {L"Classic", L"Metro"};
    combo.selected = 1;
    Node tree(L"Tree", TComponentKind::TreeView);
    tree.items = {L"Root", L"Child", L"Grandchild"};
    Node list(L"List", TComponentKind::ListView);
    list.columns = {L"Name", L"Path"};
    Node report(L"Report", TComponentKind::Other, L"keep");
    report.className = L"TReportTab";
    Node inner(L"Inner", TComponentKind::Label, L"Inner");
    report.owned = {&inner};
    Node other(L"Other", TComponentKind::Other, L"keep");
    form.owned = {&ok, &cancel, &label, &note, &close, &quiet, &exit, &combo, &tree, &list, &report, &other};

    language.ApplyToComponent(form);

    EXPECT_EQ(form.caption,
              L"Oberfl\x00E4"
              L"che");
    EXPECT_EQ(ok.caption, L"");            // present and empty: emptied
    EXPECT_EQ(cancel.caption, L"Cancel");  // absent: kept
    EXPECT_EQ(label.caption, L"Aussehen");
    EXPECT_EQ(note.items, (std::vector<std::wstring>{L"First", L"Zweiter"}));
    EXPECT_EQ(note.caption, L"caption");
    EXPECT_EQ(close.hint,
              L"Schlie\x00DF"
              L"en");
    EXPECT_EQ(quiet.hint, L"Quiet");  // shows no hints
    EXPECT_EQ(exit.caption, L"Beenden");
    EXPECT_EQ(combo.items, (std::vector<std::wstring>{L"Klassisch", L"Metro"}));
    EXPECT_EQ(combo.selected, 1);
    EXPECT_EQ(combo.repaints, 1);
    EXPECT_EQ(tree.items, (std::vector<std::wstring>{L"Root", L"Child", L"Enkel"}));
    EXPECT_EQ(list.columns, (std::vector<std::wstring>{L"Name", L"Pfad"}));
    EXPECT_EQ(report.caption, L"keep");
    EXPECT_EQ(inner.caption, L"Innen");
    EXPECT_EQ(other.caption, L"keep");
}

TEST_F(Language, ApplyToApplicationVisitsRegisteredFormsAndSkipsNamelessOnes) {
    Write(L"English.lng",
          "[Tessaline_A]\nA.Caption=First form\n[Tessaline_B]\nB.Caption=Second form\n[Tessaline_]\n.Caption=x\n");
    TLanguage language(L"Tessaline", Dir());
    Node a(L"A", TComponentKind::Form, L"a");
    Node b(L"B", TComponentKind::Form, L"b");
    Node nameless(L"", TComponentKind::Form, L"n");
    RegisterForm(&a);
    RegisterForm(&nameless);
    RegisterForm(&b);
    RegisterForm(&a);  // once only
    language.ApplyToApplication();
    UnregisterForm(&a);
    UnregisterForm(&b);
    UnregisterForm(&nameless);
    EXPECT_EQ(a.caption, L"First form");
    EXPECT_EQ(b.caption, L"Second form");
    EXPECT_EQ(nameless.caption, L"n");
    EXPECT_TRUE(ApplicationForms().empty());
}

}  // namespace
}  // namespace tessaline
