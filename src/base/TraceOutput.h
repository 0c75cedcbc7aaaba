#pragma once
#include <string>

namespace tessaline {

// The platform's diagnostic stream: OutputDebugStringW on Windows (TraceOutputWin.cpp); natively standard
// error, but only when TESSALINE_TRACE is set (TraceOutputPosix.cpp).
void WritePlatformTrace(const std::wstring& line);

}  // namespace tessaline
