#include "catalogue/FileAnswerCache.h"

namespace tessaline {

std::wstring TFileAnswerCache::Get(const std::wstring& path,
                                   const TFileStamp& stamp,
                                   const std::function<std::wstring()>& ask) {
    if (stamp.WriteTime == 0) {
        return ask();
    }
    {
        std::lock_guard lock(mutex_);
        const auto found = entries_.find(path);
        if (found != entries_.end() && found->second.Stamp == stamp) {
            return found->second.Answer;
        }
    }
    std::wstring answer = ask();
    std::lock_guard lock(mutex_);
    if (entries_.size() >= capacity_ && entries_.find(path) == entries_.end()) {
        entries_.clear();  // a profile larger than the table starts over rather than growing without end
    }
    entries_[path] = {stamp, answer};
    return answer;
}

size_t TFileAnswerCache::Size() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

}  // namespace tessaline
