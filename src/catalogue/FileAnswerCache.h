#pragma once
// Answers of slow shell questions about a file (its display name, a shortcut's target, its icon), kept while the
// file is unchanged: the same last-write time and size give the same answer, so a second showing of the menu
// asks the shell only about what changed. Any thread; one mutex guards the table.

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

template <typename Answer = std::wstring>
class TFileAnswerCache {
  public:
    explicit TFileAnswerCache(size_t capacity = 4096) : capacity_(capacity) {}

    // The kept answer for `key` when its file's stamp is unchanged; otherwise `ask` is asked (outside the lock)
    // and its answer kept. A failed answer (empty, -1) is kept as well: the shell failing on an unchanged file
    // fails again.
    Answer Get(const std::wstring& key, const TFileStamp& stamp, const std::function<Answer()>& ask) {
        if (stamp.WriteTime == 0) {
            return ask();
        }
        {
            std::lock_guard lock(mutex_);
            const auto found = entries_.find(key);
            if (found != entries_.end() && found->second.Stamp == stamp) {
                return found->second.Value;
            }
        }
        Answer answer = ask();
        std::lock_guard lock(mutex_);
        if (entries_.size() >= capacity_ && entries_.find(key) == entries_.end()) {
            entries_.clear();  // a profile larger than the table starts over rather than growing without end
        }
        entries_[key] = {stamp, answer};
        return answer;
    }

    size_t Size() const {
        std::lock_guard lock(mutex_);
        return entries_.size();
    }

  private:
    struct TEntry {
        TFileStamp Stamp;
        Answer Value;
    };
    const size_t capacity_;
    mutable std::mutex mutex_;
    std::unordered_map<std::wstring, TEntry> entries_;
};

}  // namespace tessaline
