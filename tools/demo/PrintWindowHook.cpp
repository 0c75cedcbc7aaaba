// The hook print_window.exe places in the thread of the window it prints: the window's picture is made in its
// own process, where a device context of ours is real, and copied into the requester's shared section.

#include <windows.h>

#include <cstring>

#include "PrintWindowProtocol.h"
#include "base/HandlesWin.h"
#include "controls/DibSectionWin.h"

namespace tessaline::demo {
namespace {

class TSharedView {
  public:
    explicit TSharedView(const std::wstring& name)
        : section_(OpenFileMappingW(FILE_MAP_WRITE, FALSE, name.c_str())),
          view_(section_ != nullptr ? MapViewOfFile(section_, FILE_MAP_WRITE, 0, 0, 0) : nullptr) {}
    TSharedView(const TSharedView&) = delete;
    TSharedView& operator=(const TSharedView&) = delete;
    ~TSharedView() {
        if (view_ != nullptr) {
            UnmapViewOfFile(view_);
        }
        if (section_ != nullptr) {
            CloseHandle(section_);
        }
    }
    void* Get() const { return view_; }

  private:
    HANDLE section_;
    void* view_;
};

// The section's size as mapped: the header is the requester's word, checked against what is really there.
size_t MappedSize(const void* view) {
    MEMORY_BASIC_INFORMATION info{};
    return VirtualQuery(view, &info, sizeof info) == sizeof info ? info.RegionSize : 0;
}

void PrintInto(HWND window, DWORD requester) {
    const TSharedView shared(PrintSectionName(requester));
    if (shared.Get() == nullptr) {
        return;
    }
    auto* header = static_cast<TPrintHeader*>(shared.Get());
    const size_t size = PrintSectionSize(header->Width, header->Height);
    if (size == 0 || size > MappedSize(shared.Get())) {
        header->State = TPrintState::Failed;
        return;
    }
    const int width = static_cast<int>(header->Width);
    const int height = static_cast<int>(header->Height);
    HDC screen = GetDC(nullptr);
    TDibSection dib(screen, width, height);
    const TUniqueDc memory(CreateCompatibleDC(screen));
    ReleaseDC(nullptr, screen);
    if (!dib.Ok() || memory.get() == nullptr) {
        header->State = TPrintState::Failed;
        return;
    }
    BOOL printed = FALSE;
    // The requester's background (black unless it gave one) is what a window without its own shows through.
    std::memcpy(dib.Bits(), header + 1, size - sizeof(TPrintHeader));
    {
        const TScopedSelection select(memory.get(), dib.Bitmap());
        printed = PrintWindow(window, memory.get(), 0);
    }
    GdiFlush();
    std::memcpy(header + 1, dib.Bits(), size - sizeof(TPrintHeader));
    header->State = printed ? TPrintState::Printed : TPrintState::Failed;
}

}  // namespace
}  // namespace tessaline::demo

// Runs in the printed window's thread for every message sent to it; only our request is acted on.
extern "C" __declspec(dllexport) LRESULT CALLBACK PrintWindowHookProc(int code, WPARAM wParam, LPARAM lParam) {
    using namespace tessaline::demo;
    static const UINT requestMessage = RegisterWindowMessageW(kPrintRequestMessage);
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == requestMessage && requestMessage != 0) {
            PrintInto(sent->hwnd, static_cast<DWORD>(sent->wParam));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
