#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "catalogue/FileAnswerCache.h"

namespace tessaline {
namespace {

TEST(FileAnswerCache, AsksAgainOnlyWhenTheFileChanged) {
    TFileAnswerCache cache;
    int asked = 0;
    const auto ask = [&] {
        ++asked;
        return L"answer " + std::to_wstring(asked);
    };
    const TFileStamp first{100, 7};
    EXPECT_EQ(cache.Get(L"a.lnk", first, ask), L"answer 1");
    EXPECT_EQ(cache.Get(L"a.lnk", first, ask), L"answer 1");
    EXPECT_EQ(asked, 1);
    // A new write time or a new size is a changed file.
    EXPECT_EQ(cache.Get(L"a.lnk", TFileStamp{101, 7}, ask), L"answer 2");
    EXPECT_EQ(cache.Get(L"a.lnk", TFileStamp{101, 8}, ask), L"answer 3");
    // Another path is another question.
    EXPECT_EQ(cache.Get(L"b.lnk", TFileStamp{101, 8}, ask), L"answer 4");
    // A file that could not be looked at is never taken from the table.
    EXPECT_EQ(cache.Get(L"gone.lnk", TFileStamp{}, ask), L"answer 5");
    EXPECT_EQ(cache.Get(L"gone.lnk", TFileStamp{}, ask), L"answer 6");
    EXPECT_EQ(cache.Size(), 2u);
}

TEST(FileAnswerCache, AFullTableStartsOverAndThreadsShareIt) {
    TFileAnswerCache cache(3);
    const auto same = [] { return std::wstring(L"x"); };
    for (int i = 0; i < 3; ++i) {
        cache.Get(L"f" + std::to_wstring(i), TFileStamp{1, 1}, same);
    }
    EXPECT_EQ(cache.Size(), 3u);
    cache.Get(L"f3", TFileStamp{1, 1}, same);
    EXPECT_EQ(cache.Size(), 1u);

    TFileAnswerCache shared;
    std::atomic<int> asked{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                EXPECT_EQ(shared.Get(L"p" + std::to_wstring(i % 20), TFileStamp{5, 5},
                                     [&] {
                                         ++asked;
                                         return std::wstring(L"name");
                                     }),
                          L"name");
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(shared.Size(), 20u);
    EXPECT_LE(asked.load(), 4 * 20);  // each thread asks at most once per file
}

}  // namespace
}  // namespace tessaline
