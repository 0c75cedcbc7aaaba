#pragma once
// The crash handler's gathering of facts, apart from its installation (BugReport.h), so that tests can build
// a report from an exception record of their own. Any thread.

#include <windows.h>

#include <cstdint>

#include "startmenu/BugReport.h"

namespace tessaline {

// The stack a walk may read: from the faulting stack pointer up to the thread's stack base. Nothing outside
// it is dereferenced, so a corrupt frame ends the walk instead of faulting inside the handler.
struct TStackBounds {
    uintptr_t low = 0;
    uintptr_t high = 0;
};

// The current thread's bounds, starting at `stackPointer`.
TStackBounds StackBoundsFrom(uintptr_t stackPointer);
uintptr_t StackPointerOf(const CONTEXT& context);

// The code address and the module that holds it (the module file name and its base).
TCodeLocation LocateCode(uint64_t address);

// Frames from `context` outward, innermost first, at most kMaxStackFrames.
std::vector<TCodeLocation> WalkStack(const CONTEXT& context, const TStackBounds& bounds);

// The report of an exception on the thread `threadId`, whose stack is `bounds`.
TBugReport BugReportFromException(const EXCEPTION_POINTERS& exception, const TStackBounds& bounds, DWORD threadId);

}  // namespace tessaline
