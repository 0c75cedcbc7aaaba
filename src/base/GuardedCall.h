#pragma once
// Where Windows calls into the program (window, subclass, hook and timer procedures, thread entry points) nothing
// may escape: an exception crossing into Windows is undefined behaviour. Guarded runs the call, and when something
// escapes it traces what, where, and the window and message it came with, then answers `fallback()` and the program
// goes on. Any thread.

#include <cstdint>
#include <exception>

namespace tessaline {

// The trace line for an exception caught at `where`; `what` is null for one that is no std::exception.
void TraceEscaped(const wchar_t* where, uintptr_t window, unsigned message, const char* what);

template <class Call, class Fallback>
auto Guarded(const wchar_t* where, uintptr_t window, unsigned message, Call&& call, Fallback&& fallback)
    -> decltype(call()) {
    try {
        return call();
    } catch (const std::exception& error) {
        TraceEscaped(where, window, message, error.what());
    } catch (...) {
        TraceEscaped(where, window, message, nullptr);
    }
    return fallback();
}

}  // namespace tessaline
