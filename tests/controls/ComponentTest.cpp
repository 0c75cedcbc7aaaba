#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/Component.h"

namespace tessaline {
namespace {

using TLog = std::vector<std::wstring>;

// Logs its own destruction and Loaded, so tests see the order in which a tree is torn down or finished.
class TProbe : public TComponent {
  public:
    TProbe(TComponent* owner, TLog& log) : TComponent(owner), log_(log) {}
    ~TProbe() override { log_.push_back(L"~" + Name()); }

    bool LoadingWhenLoaded = true;

  protected:
    void Notification(TComponent* component) override { log_.push_back(Name() + L" hears of " + component->Name()); }

    void Loaded() override {
        LoadingWhenLoaded = Loading();
        log_.push_back(L"Loaded " + Name());
    }

  private:
    TLog& log_;
};

class TOtherKind : public TComponent {
  public:
    using TComponent::TComponent;
};

TEST(Component, OwnerFreesItsComponentsNewestFirst) {
    TLog log;
    auto* form = new TProbe(nullptr, log);
    form->SetName(L"Form");
    Create<TProbe>(form, L"a", log);
    Create<TProbe>(form, L"b", log);
    auto* c = Create<TProbe>(form, L"c", log);
    Create<TProbe>(c, L"c1", log);
    Create<TProbe>(c, L"c2", log);

    delete form;
    // A later component may point at an earlier one, so the newest goes first, each with what it owns.
    EXPECT_EQ(log, (TLog{L"~Form", L"~c", L"~c2", L"~c1", L"~b", L"~a"}));
}

TEST(Component, AComponentDeletedByHandLeavesItsOwnersList) {
    TLog log;
    {
        TProbe form(nullptr, log);
        form.SetName(L"Form");
        auto* a = Create<TProbe>(&form, L"a", log);
        auto* b = Create<TProbe>(&form, L"b", log);
        auto* c = Create<TProbe>(&form, L"c", log);

        delete b;
        ASSERT_EQ(form.ComponentCount(), 2u);
        EXPECT_EQ(form.Component(0), a);
        EXPECT_EQ(form.Component(1), c);
        EXPECT_EQ(form.Component(2), nullptr);
        EXPECT_EQ(form.FindComponent(L"b"), nullptr);
        log.clear();
    }
    // b is not freed a second time with its former owner.
    EXPECT_EQ(log, (TLog{L"~Form", L"~c", L"~a"}));
}

TEST(Component, FindComponentIgnoresTheCaseOfTheLettersAToZ) {
    TLog log;
    TProbe form(nullptr, log);
    auto* popMenu = Create<TProbe>(&form, L"ImageNote_PopMenu", log);
    auto* panel = Create<TProbe>(&form, L"Panel_Left", log);
    Create<TProbe>(panel, L"Label_User", log);
    Create<TProbe>(&form, L"", log);

    struct Case {
        const wchar_t* name;
        TComponent* expected;
    };
    for (const auto& [name, expected] : {
             Case{L"ImageNote_PopMenu", popMenu}, Case{L"imagenote_popmenu", popMenu},
             Case{L"IMAGENOTE_POPMENU", popMenu}, Case{L"ImageNote_Pop", nullptr},  // whole names only
             Case{L"ImageNote_PopMenu ", nullptr},                                  // no trimming
             Case{L"Label_User", nullptr},  // owned by the panel, not by the form
             Case{L"", nullptr},            // an unnamed component is never found
         }) {
        EXPECT_EQ(form.FindComponent(name), expected) << name;
    }
    EXPECT_NE(panel->FindComponent(L"label_user"), nullptr);
}

// FAULT: FindComponent folds accented and other non-ASCII letters too (it uses the name folding of the INI
// lookups), so a name that differs from another only in the case of É/é or Cyrillic letters finds it.
TEST(Component, FindComponentKeepsTheCaseOfLettersBeyondAToZ) {
    TLog log;
    TProbe form(nullptr, log);
    Create<TProbe>(&form, L"Label_\u00E9t\u00E9", log);  // "Label_été"
    Create<TProbe>(&form, L"Label_\u0434\u0430", log);   // Cyrillic "да"

    EXPECT_NE(form.FindComponent(L"LABEL_\u00E9t\u00E9"), nullptr);
    EXPECT_EQ(form.FindComponent(L"Label_\u00C9t\u00C9"), nullptr);
    EXPECT_EQ(form.FindComponent(L"Label_\u0414\u0410"), nullptr);
}

TEST(Component, CreateGivesTheNamedComponentToItsOwner) {
    TLog log;
    TProbe form(nullptr, log);
    form.SetName(L"Form");
    auto* label = Create<TProbe>(&form, L"Label_User", log);

    EXPECT_EQ(label->Owner(), &form);
    EXPECT_EQ(label->Name(), L"Label_User");
    EXPECT_EQ(form.Find<TProbe>(L"label_user"), label);
    EXPECT_EQ(form.Find<TOtherKind>(L"Label_User"), nullptr);  // found, but not of that kind

    // Without an owner nobody frees it.
    auto* loose = Create<TOtherKind>(nullptr, L"Loose");
    EXPECT_EQ(loose->Owner(), nullptr);
    EXPECT_EQ(form.FindComponent(L"Loose"), nullptr);
    delete loose;
}

TEST(Component, EndLoadingFinishesEveryOwnedComponentOnce) {
    TLog log;
    TProbe form(nullptr, log);
    form.SetName(L"Form");
    auto* a = Create<TProbe>(&form, L"a", log);
    auto* b = Create<TProbe>(&form, L"b", log);
    auto* b1 = Create<TProbe>(b, L"b1", log);
    for (TProbe* component : {&form, a, b, b1}) {
        component->BeginLoading();
    }

    form.EndLoading();

    std::sort(log.begin(), log.end());
    EXPECT_EQ(log, (TLog{L"Loaded Form", L"Loaded a", L"Loaded b", L"Loaded b1"}));
    for (TProbe* component : {&form, a, b, b1}) {
        EXPECT_FALSE(component->Loading()) << component->Name();
        // Loaded may use the setters' side effects: loading is over for the component by then.
        EXPECT_FALSE(component->LoadingWhenLoaded) << component->Name();
    }
}

TEST(Component, FreeNotificationTellsTheSurvivorWhicheverGoesFirst) {
    TLog log;
    TComponent form(nullptr);
    auto* label = new TProbe(&form, log);
    label->SetName(L"label");
    auto* edit = new TProbe(&form, log);
    edit->SetName(L"edit");
    auto* other = new TProbe(&form, log);
    other->SetName(L"other");
    label->FreeNotification(edit);
    label->FreeNotification(edit);  // once is enough
    other->FreeNotification(label);

    delete edit;
    EXPECT_EQ(log, (TLog{L"~edit", L"label hears of edit"}));
    log.clear();
    // The link is gone with the edit: the label's end tells only the one still asking.
    delete label;
    EXPECT_EQ(log, (TLog{L"~label", L"other hears of label"}));
    log.clear();

    auto* again = new TProbe(&form, log);
    again->SetName(L"again");
    other->FreeNotification(again);
    other->RemoveFreeNotification(again);
    delete again;
    EXPECT_EQ(log, (TLog{L"~again"}));
}

}  // namespace
}  // namespace tessaline
