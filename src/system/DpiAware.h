#pragma once
// The process's DPI awareness, declared once at start by each program that draws its own pictures.

namespace tessaline {

// Declares DPI awareness on Windows 6.0 and later (SetProcessDPIAware looked up by name); faults are ignored.
void SetDPIAware();

}  // namespace tessaline
