#include "WinTestSupport.h"

#include <shlobj.h>

namespace tessaline::test {

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
