#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "base/GuardedCall.h"

#include <thread>
#include <vector>

#include "base/Trace.h"

namespace tessaline {
namespace {

TEST(Trace, LabelsAndValuesReachTheSink) {
    std::vector<std::wstring> lines;
    const TraceSink previous = SetTraceSink([&](const std::wstring& line) { lines.push_back(line); });
    Trace(L"explorerCount: ", 3);
    Trace(L"GetStartProgram: ", std::wstring(L"C:\\a.lnk"));
    Trace(L"Create_ParentWindow");
    Trace(L"HookHotCorners: ", -1L, L" done");
    SetTraceSink(previous);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"explorerCount: 3", L"GetStartProgram: C:\\a.lnk",
                                                L"Create_ParentWindow", L"HookHotCorners: -1 done"}));
}

TEST(Trace, ManyThreadsMayTraceAtOnce) {
    std::atomic<int> count{0};
    const TraceSink previous = SetTraceSink([&](const std::wstring&) { ++count; });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 200; ++i) {
                Trace(L"pass: ", i);
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    SetTraceSink(previous);
    EXPECT_EQ(count.load(), 800);
}

TEST(Trace, WhatEscapesAGuardedCallIsTracedWithItsWindowAndMessageAndTheFallbackAnswers) {
    std::vector<std::wstring> lines;
    const TraceSink previous = SetTraceSink([&](const std::wstring& line) { lines.push_back(line); });
    EXPECT_EQ(Guarded(
                  L"TForm", 0x1234, 15, [] { return 7; }, [] { return -1; }),
              7);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(Guarded(
                  L"TForm", 0x1234, 15, []() -> int { throw std::runtime_error("out of room"); }, [] { return -1; }),
              -1);
    EXPECT_EQ(Guarded(
                  L"TTimer", 0, 275, []() -> int { throw 42; }, [] { return -2; }),
              -2);
    bool fellBack = false;
    Guarded(
        L"TIdx", 0, 0, [] { throw std::bad_alloc(); }, [&] { fellBack = true; });
    SetTraceSink(previous);
    EXPECT_TRUE(fellBack);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"TForm: caught out of room (window 4660, message 15)");
    EXPECT_EQ(lines[1], L"TTimer: caught an exception of an unknown type (window 0, message 275)");
    EXPECT_EQ(lines[2].rfind(L"TIdx: caught ", 0), 0u);
}

}  // namespace
}  // namespace tessaline
