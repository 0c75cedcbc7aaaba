#pragma once
// What the language walk sees of the guide window: the form frmGuide, its five image buttons (hints off) and its
// five description texts, which are of the guide's own label class that the walk does not localise. So a language
// file can rename the window (frmGuide.Caption in Tessaline_frmGuide) and nothing else. Pure.

#include <array>
#include <string>

#include "settings/LanguageComponent.h"

namespace tessaline {

class TGuideLanguageForm : public ILanguageComponent {
  public:
    TGuideLanguageForm();

    std::wstring Name() const override { return L"frmGuide"; }
    TComponentKind Kind() const override { return TComponentKind::Form; }
    std::wstring Caption() const override { return caption_; }
    void SetCaption(const std::wstring& caption) override { caption_ = caption; }

    size_t ComponentCount() const override { return parts_.size(); }
    ILanguageComponent* Component(size_t index) const override;

  private:
    class TPart : public ILanguageComponent {
      public:
        TPart() = default;
        TPart(std::wstring name, TComponentKind kind, std::wstring caption)
            : name_(std::move(name)), kind_(kind), caption_(std::move(caption)) {}
        std::wstring Name() const override { return name_; }
        TComponentKind Kind() const override { return kind_; }
        std::wstring Caption() const override { return caption_; }
        void SetCaption(const std::wstring& caption) override { caption_ = caption; }

      private:
        std::wstring name_;
        TComponentKind kind_ = TComponentKind::Other;
        std::wstring caption_;
    };

    std::wstring caption_;
    mutable std::array<TPart, 10> parts_;
};

}  // namespace tessaline
