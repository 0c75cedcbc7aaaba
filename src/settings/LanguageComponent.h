#pragma once
// What the language walk needs to see of a form and the components it owns. The component framework
// implements it for real windows; a form registers itself so that ApplyToApplication can reach it.

#include <cstddef>
#include <string>
#include <vector>

namespace tessaline {

enum class TComponentKind {
    Form,
    LabelNote,  // alternative texts as items
    ImageNote,  // hint
    Label,
    Button,  // push button, group box, check box, radio button
    MenuItem,
    ToolButton,  // tool-bar button, speed button, page of a page control
    RdLabel,
    ComboBox,  // items
    TreeView,  // items: every node in the tree's flat order
    ListView,  // columns
    Other,
};

class ILanguageComponent {
  public:
    virtual ~ILanguageComponent() = default;

    virtual std::wstring Name() const = 0;
    virtual TComponentKind Kind() const = 0;
    // The class name, for the report components that are localised like forms ("TReportTab", "TReportContent").
    virtual std::wstring ClassName() const { return {}; }

    virtual std::wstring Caption() const { return {}; }
    virtual void SetCaption(const std::wstring&) {}
    virtual bool ShowHint() const { return false; }
    virtual std::wstring Hint() const { return {}; }
    virtual void SetHint(const std::wstring&) {}

    virtual size_t ItemCount() const { return 0; }
    virtual std::wstring ItemText(size_t) const { return {}; }
    virtual void SetItemText(size_t, const std::wstring&) {}
    virtual size_t ColumnCount() const { return 0; }
    virtual std::wstring ColumnText(size_t) const { return {}; }
    virtual void SetColumnText(size_t, const std::wstring&) {}
    // After the items changed (combo boxes repaint).
    virtual void Repaint() {}

    // The components this one owns, in ownership order.
    virtual size_t ComponentCount() const { return 0; }
    virtual ILanguageComponent* Component(size_t) const { return nullptr; }
};

// The forms of the process in creation order. User-interface thread only.
void RegisterForm(ILanguageComponent* form);
void UnregisterForm(ILanguageComponent* form);
const std::vector<ILanguageComponent*>& ApplicationForms();

}  // namespace tessaline
