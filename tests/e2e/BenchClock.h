#pragma once
// The clock of the hand-run start-up and taskbar benchmarks: milliseconds since a moment, and a wait that looks
// every millisecond (this thread's messages handled meanwhile).

#include <windows.h>

namespace tessaline::bench {

inline double Since(const LARGE_INTEGER& start) {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// True once `done` holds; false when it did not within `limitMs`.
template <typename Done>
bool PollUntil(Done done, double limitMs) {
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    while (!done()) {
        if (Since(start) > limitMs) {
            return false;
        }
        MSG msg{};
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
        Sleep(1);
    }
    return true;
}

}  // namespace tessaline::bench
