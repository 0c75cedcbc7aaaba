#include <cstdio>
#include <cstdlib>

#include "base/TraceOutput.h"
#include "base/WideText.h"

namespace tessaline {

void WritePlatformTrace(const std::wstring& line) {
    static const bool enabled = std::getenv("TESSALINE_TRACE") != nullptr;
    if (enabled) {
        std::fprintf(stderr, "%s\n", WideToUtf8(line).c_str());
    }
}

}  // namespace tessaline
