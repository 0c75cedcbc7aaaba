#include "WinTestSupport.h"

#include <shlobj.h>

namespace tessaline::test {

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg{};
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
}

bool SaveShortcut(const std::wstring& linkPath, const std::wstring& target) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return false;
    }
    IPersistFile* file = nullptr;
    const bool ok = SUCCEEDED(link->SetPath(target.c_str())) &&
                    SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                    SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
    if (file != nullptr) {
        file->Release();
    }
    link->Release();
    return ok;
}

}  // namespace tessaline::test
