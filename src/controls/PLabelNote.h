#pragma once
// A label with a list of alternative texts, one of which is its caption, picked by TextIndex: the text
// counterpart of the picture button. The language walk translates the alternatives, not the caption.
// User-interface thread only.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "controls/RdLabel.h"

namespace tessaline {

class TLabelNote;

class TLabelItem {
  public:
    // "Text_<n>" from the position the item was appended at; it is also the item's display name.
    std::wstring Text;

    void Assign(const TLabelItem& source) { Text = source.Text; }
};

class TLabelCollection {
  public:
    explicit TLabelCollection(TLabelNote* owner) : owner_(owner) {}
    TLabelCollection(const TLabelCollection&) = delete;
    TLabelCollection& operator=(const TLabelCollection&) = delete;

    // The label the list belongs to (the owner a form description streams it under).
    TLabelNote* Owner() const { return owner_; }

    size_t Count() const { return items_.size(); }
    // The item at index, or null past the end.
    TLabelItem* Item(size_t index) const;
    TLabelItem& Add();
    // Appends, then moves the item to index (clamped to the end); the text keeps the appended position.
    TLabelItem& Insert(size_t index);
    void Delete(size_t index);
    void Clear() { items_.clear(); }

  private:
    TLabelNote* owner_;
    std::vector<std::unique_ptr<TLabelItem>> items_;  // boxed: item references survive inserts and deletes
};

class TLabelNote : public TRdCustomLabel {
  public:
    explicit TLabelNote(TComponent* owner) : TRdCustomLabel(owner) {}

    TComponentKind Kind() const override { return TComponentKind::LabelNote; }

    int TextIndex() const { return textIndex_; }
    // A valid index sets the caption from that item on every write; anything else, -1 included, is ignored.
    // While loading, only the number is kept.
    void SetTextIndex(int index);

    TLabelCollection& Items() { return items_; }
    const TLabelCollection& Items() const { return items_; }

    // The alternative texts, as the language walk sees them; the caption is left alone.
    size_t ItemCount() const override { return items_.Count(); }
    std::wstring ItemText(size_t index) const override;
    void SetItemText(size_t index, const std::wstring& text) override;

  private:
    int textIndex_ = -1;
    TLabelCollection items_{this};
};

}  // namespace tessaline
