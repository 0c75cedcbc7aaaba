#pragma once
// Display names asked of the shell only when an entry is first read: each costs milliseconds, and the panes
// read only the entries they show. One per list; same thread as the list.

#include <functional>
#include <string>
#include <vector>

namespace tessaline {

class TLazyDisplayNames {
  public:
    using Ask = std::function<std::wstring(const std::wstring& path)>;

    void Reset(size_t count, Ask ask) {
        named_.assign(count, false);
        ask_ = std::move(ask);
    }
    void Clear() { named_.clear(); }
    // Sets `name` from `source` the first time entry `index` is read.
    void Ensure(size_t index, const std::wstring& source, std::wstring& name) const {
        if (index < named_.size() && !named_[index]) {
            named_[index] = true;
            if (ask_) {
                name = ask_(source);
            }
        }
    }

  private:
    mutable std::vector<bool> named_;
    Ask ask_;
};

}  // namespace tessaline
