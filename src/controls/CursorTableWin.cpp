#include "controls/CursorTableWin.h"

#include <array>

#include "base/Trace.h"

namespace tessaline {
namespace {

constexpr std::array kCursors = {TCursor::Default, TCursor::Arrow, TCursor::HandPoint, TCursor::IBeam, TCursor::Wait};
static_assert(static_cast<size_t>(TCursor::Wait) + 1 == kCursors.size(), "every TCursor has its slot");

HCURSOR LoadSystemCursor(TCursor cursor) {
    const int id = SystemCursorId(cursor);
    if (HCURSOR handle = LoadCursorW(nullptr, MAKEINTRESOURCEW(id)); handle != nullptr) {
        return handle;
    }
    // A null cursor would hide the pointer over the control: the arrow is better than nothing.
    Trace(L"CursorTable: LoadCursorW failed: ", id, L" error ", static_cast<uint32_t>(GetLastError()));
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(SystemCursorId(TCursor::Arrow)));
}

// Indexed by the TCursor value; a function-local static so that the first use loads it exactly once.
const std::array<HCURSOR, kCursors.size()>& Table() {
    static const std::array<HCURSOR, kCursors.size()> table = [] {
        std::array<HCURSOR, kCursors.size()> handles{};
        for (TCursor cursor : kCursors) {
            handles[static_cast<size_t>(cursor)] = LoadSystemCursor(cursor);
        }
        return handles;
    }();
    return table;
}

}  // namespace

void InitCursorTable() {
    Table();
}

HCURSOR CursorHandle(TCursor cursor) {
    const auto index = static_cast<size_t>(cursor);
    return index < Table().size() ? Table()[index] : Table()[static_cast<size_t>(TCursor::Default)];
}

}  // namespace tessaline
