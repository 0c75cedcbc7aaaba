#pragma once
// Answers of slow shell questions about a file (its display name, a shortcut's target), kept while the file is
// unchanged: the same last-write time and size give the same answer, so a second showing of the menu asks the
// shell only about what changed. Any thread; one mutex guards the table.

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>

namespace tessaline {

struct TFileStamp {
    uint64_t WriteTime = 0;  // 0: the file could not be looked at (nothing is kept then)
    uint64_t Size = 0;
    friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
};

class TFileAnswerCache {
  public:
    explicit TFileAnswerCache(size_t capacity = 4096) : capacity_(capacity) {}

    // The kept answer for `path` when its stamp is unchanged; otherwise `ask` is asked (outside the lock) and its
    // answer kept. An empty answer is kept as well: the shell failing on an unchanged file fails again.
    std::wstring Get(const std::wstring& path, const TFileStamp& stamp, const std::function<std::wstring()>& ask);
    size_t Size() const;

  private:
    struct TEntry {
        TFileStamp Stamp;
        std::wstring Answer;
    };
    const size_t capacity_;
    mutable std::mutex mutex_;
    std::unordered_map<std::wstring, TEntry> entries_;
};

}  // namespace tessaline
