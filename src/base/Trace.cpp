#include "base/Trace.h"

#include "base/GuardedCall.h"

#include <mutex>

#include "base/TraceOutput.h"

namespace tessaline {
namespace {

std::mutex& SinkMutex() {
    static std::mutex mutex;
    return mutex;
}

TraceSink& Sink() {
    static TraceSink sink;
    return sink;
}

}  // namespace

void TraceLine(const std::wstring& line) {
    WritePlatformTrace(line);
    std::lock_guard lock(SinkMutex());
    if (Sink()) {
        Sink()(line);
    }
}

TraceSink SetTraceSink(TraceSink sink) {
    std::lock_guard lock(SinkMutex());
    TraceSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

}  // namespace tessaline

namespace tessaline {

void TraceEscaped(const wchar_t* where, uintptr_t window, unsigned message, const char* what) {
    std::wstring text;
    for (const char* c = what != nullptr ? what : "an exception of an unknown type"; *c != '\0'; ++c) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(*c));  // messages are ASCII; others show as Latin-1
    }
    Trace(where, L": caught ", text, L" (window ", window, L", message ", message, L")");
}

}  // namespace tessaline
