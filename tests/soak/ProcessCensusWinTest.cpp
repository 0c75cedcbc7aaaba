// The census the soak run compares: each count must see what a loop leaks (brushes, windows, buffers) and come
// back once it is freed.
#include "ProcessCensusWin.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

namespace tessaline::test {
namespace {

TEST(ProcessCensus, EachCountSeesWhatALoopLeaksAndComesBackWhenItIsFreed) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CensusLeak";
    ASSERT_NE(RegisterClassW(&windowClass), 0) << GetLastError();
    const TProcessCensus before = TakeCensus();
    EXPECT_GT(before.GdiObjects, 0u);  // the stock objects at least
    EXPECT_GT(before.WorkingSetKb, 0u);

    std::vector<HBRUSH> brushes;
    std::vector<HWND> windows;
    std::vector<std::unique_ptr<char[]>> buffers;
    for (int i = 0; i < 20; ++i) {
        brushes.push_back(CreateSolidBrush(RGB(i, 2 * i, 3 * i)));
        buffers.push_back(std::make_unique<char[]>(64 * 1024));
    }
    HWND parent = CreateWindowExW(0, L"CensusLeak", L"leak", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    windows.push_back(parent);
    windows.push_back(
        CreateWindowExW(0, L"CensusLeak", L"", WS_CHILD, 0, 0, 5, 5, parent, nullptr, windowClass.hInstance, nullptr));
    windows.push_back(
        CreateWindowExW(0, L"CensusLeak", L"", 0, 0, 0, 5, 5, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr));
    for (size_t i = 0; i < windows.size(); ++i) {
        ASSERT_NE(windows[i], nullptr) << i;
    }
    const TProcessCensus leaking = TakeCensus();
    EXPECT_EQ(leaking.GdiObjects, before.GdiObjects + 20) << Describe(before) << " / " << Describe(leaking);
    EXPECT_EQ(leaking.Windows, before.Windows + 3) << Describe(before) << " / " << Describe(leaking);
    EXPECT_GE(leaking.HeapBytes, before.HeapBytes + 20 * 64 * 1024) << Describe(before) << " / " << Describe(leaking);

    for (HBRUSH brush : brushes) {
        DeleteObject(brush);
    }
    DestroyWindow(windows[2]);
    DestroyWindow(parent);
    buffers.clear();
    const TProcessCensus after = TakeCensus();
    EXPECT_EQ(after.GdiObjects, before.GdiObjects) << Describe(before) << " / " << Describe(after);
    EXPECT_EQ(after.Windows, before.Windows) << Describe(before) << " / " << Describe(after);
    EXPECT_LT(after.HeapBytes, before.HeapBytes + 64 * 1024) << Describe(before) << " / " << Describe(after);
}

}  // namespace
}  // namespace tessaline::test
