#pragma once
// How print_window.exe and its hook DLL share a picture. A device context means nothing in another process
// (and Wine's PrintWindow only sends it along in WM_PRINT), so the hook prints the window inside the window's
// own process into a shared section that print_window then reads. Pure; any thread.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessaline::demo {

// Registered window message sent to the window to print; wParam is the requesting process's id.
inline constexpr wchar_t kPrintRequestMessage[] = L"Tessaline.Demo.PrintWindow";
inline constexpr char kPrintHookProcName[] = "PrintWindowHookProc";

enum class TPrintState : uint32_t { Waiting = 0, Printed = 1, Failed = 2 };

// The section starts with this header; Width * Height top-down 32-bit pixels follow it.
struct TPrintHeader {
    uint32_t Width;
    uint32_t Height;
    TPrintState State;
    uint32_t Reserved;
};

// Pictures larger than this are refused on both sides (a screen of 16384 x 16384 pixels).
inline constexpr uint64_t kMaxPrintPixels = 16384ull * 16384ull;

inline std::wstring PrintSectionName(uint32_t requesterProcessId) {
    return L"Local\\TessalineDemoPrintWindow-" + std::to_wstring(requesterProcessId);
}

// The bytes a section needs for a picture, or 0 when the size is empty or too large.
inline size_t PrintSectionSize(uint32_t width, uint32_t height) {
    const uint64_t pixels = static_cast<uint64_t>(width) * height;
    if (pixels == 0 || pixels > kMaxPrintPixels) {
        return 0;
    }
    return sizeof(TPrintHeader) + static_cast<size_t>(pixels) * 4;
}

}  // namespace tessaline::demo
