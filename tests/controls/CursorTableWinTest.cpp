// The shared cursor table against the system's own cursors.
#include <windows.h>

#include <gtest/gtest.h>

#include "controls/CursorTableWin.h"

namespace tessaline {
namespace {

TEST(CursorTableWin, EachCursorIsTheSystemsOwn) {
    InitCursorTable();
    struct Case {
        TCursor cursor;
        const wchar_t* system;
    };
    for (auto [cursor, system] :
         {Case{TCursor::HandPoint, IDC_HAND}, Case{TCursor::Default, IDC_ARROW}, Case{TCursor::Arrow, IDC_ARROW},
          Case{TCursor::IBeam, IDC_IBEAM}, Case{TCursor::Wait, IDC_WAIT}}) {
        const HCURSOR expected = LoadCursorW(nullptr, system);
        ASSERT_NE(expected, nullptr);
        EXPECT_EQ(CursorHandle(cursor), expected) << static_cast<int>(cursor);
    }
    EXPECT_NE(CursorHandle(TCursor::HandPoint), CursorHandle(TCursor::Arrow));
}

}  // namespace
}  // namespace tessaline
