#pragma once
// The state pictures of an image button: an ordered list of named pictures, each an owned copy. User-interface
// thread only.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "controls/Picture.h"

namespace tessaline {

class TImageNote;

class TPictureItem {
  public:
    // Free text for the designer; "Picture_<n>" from the position the item was appended at, never renumbered.
    std::wstring Name;

    const TPicture& Picture() const { return picture_; }
    // Copies the picture; the caller keeps its own.
    void SetPicture(const TPicture& picture) { picture_ = picture; }
    // Copies the picture only: the target keeps its name.
    void Assign(const TPictureItem& source) { picture_ = source.picture_; }

  private:
    TPicture picture_;
};

class TPictureCollection {
  public:
    explicit TPictureCollection(TImageNote* owner) : owner_(owner) {}
    TPictureCollection(const TPictureCollection&) = delete;
    TPictureCollection& operator=(const TPictureCollection&) = delete;

    // The image button the list belongs to (the owner a form description streams it under).
    TImageNote* Owner() const { return owner_; }

    size_t Count() const { return items_.size(); }
    // The item at index, or null past the end.
    TPictureItem* Item(size_t index) const;
    TPictureItem& Add();
    // Appends, then moves the item to index (clamped to the end); the name keeps the appended position.
    TPictureItem& Insert(size_t index);
    void Delete(size_t index);
    void Clear() { items_.clear(); }

  private:
    TImageNote* owner_;
    std::vector<std::unique_ptr<TPictureItem>> items_;  // boxed: item references survive inserts and deletes
};

}  // namespace tessaline
