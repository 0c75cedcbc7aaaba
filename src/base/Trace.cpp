#include "base/Trace.h"

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
