#pragma once
// Names the helpers share beyond the helper protocol. Values only; any thread.

namespace tessaline {

// The main program, beside the helpers: Tarnwick starts it again after a restart, Velmora registers it at log-on.
inline constexpr wchar_t kMainProgramExe[] = L"Tessaline.exe";

}  // namespace tessaline
