
#include <windows.h>

#include "base/TraceOutput.h"

namespace tessaline {

void WritePlatformTrace(const std::wstring& line) {
    OutputDebugStringW(line.c_str());
}

}  // namespace tessaline
