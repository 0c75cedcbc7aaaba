#include "controls/PictureCollection.h"

#include <algorithm>
#include <cstddef>

#include "base/Strings.h"

namespace tessaline {

TPictureItem* TPictureCollection::Item(size_t index) const {
    return index < items_.size() ? items_[index].get() : nullptr;
}

TPictureItem& TPictureCollection::Add() {
    auto item = std::make_unique<TPictureItem>();
    item->Name = L"Picture_" + IntToText(static_cast<int64_t>(items_.size()));
    items_.push_back(std::move(item));
    return *items_.back();
}

TPictureItem& TPictureCollection::Insert(size_t index) {
    TPictureItem& item = Add();
    const size_t target = std::min(index, items_.size() - 1);
    std::rotate(items_.begin() + static_cast<std::ptrdiff_t>(target), items_.end() - 1, items_.end());
    return item;
}

void TPictureCollection::Delete(size_t index) {
    if (index < items_.size()) {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

}  // namespace tessaline
