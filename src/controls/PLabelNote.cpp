#include "controls/PLabelNote.h"

#include <algorithm>
#include <cstddef>

#include "base/Strings.h"

namespace tessaline {

TLabelItem* TLabelCollection::Item(size_t index) const {
    return index < items_.size() ? items_[index].get() : nullptr;
}

TLabelItem& TLabelCollection::Add() {
    auto item = std::make_unique<TLabelItem>();
    item->Text = L"Text_" + IntToText(static_cast<int64_t>(items_.size()));
    items_.push_back(std::move(item));
    return *items_.back();
}

TLabelItem& TLabelCollection::Insert(size_t index) {
    TLabelItem& item = Add();
    const size_t target = std::min(index, items_.size() - 1);
    std::rotate(items_.begin() + static_cast<std::ptrdiff_t>(target), items_.end() - 1, items_.end());
    return item;
}

void TLabelCollection::Delete(size_t index) {
    if (index < items_.size()) {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

void TLabelNote::SetTextIndex(int index) {
    if (Loading()) {
        textIndex_ = index;
        return;
    }
    if (index >= 0 && static_cast<size_t>(index) < items_.Count()) {
        textIndex_ = index;
        SetCaption(items_.Item(static_cast<size_t>(index))->Text);
    }
}

std::wstring TLabelNote::ItemText(size_t index) const {
    const TLabelItem* item = items_.Item(index);
    return item != nullptr ? item->Text : std::wstring();
}

void TLabelNote::SetItemText(size_t index, const std::wstring& text) {
    if (TLabelItem* item = items_.Item(index)) {
        item->Text = text;
    }
}

}  // namespace tessaline
