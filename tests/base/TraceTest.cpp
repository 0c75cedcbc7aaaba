#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tessaline
