#pragma once
// Helpers for the tests that run under Wine against the real API.

#include <windows.h>

#include <objbase.h>

#include <string>

namespace tessaline::test {

// Dispatches this thread's messages for `ms`.
void PumpFor(DWORD ms);

// Gives the system time to report a change to a folder made just now. Windows completes a folder's change
// notifications with the change itself; Wine's server reads them from the host's file notifications afterwards, a
// few milliseconds later, so a program looking at once may not see them yet.
inline void LetFolderChangesArrive() {
    Sleep(100);
}

// A shortcut saved through IShellLinkW (COM must be initialised).
bool SaveShortcut(const std::wstring& linkPath, const std::wstring& target);

// COM for the test's thread.
class ComScope {
  public:
    ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (ok_) {
            CoUninitialize();
        }
    }
    bool Ok() const { return ok_; }

  private:
    bool ok_;
};

}  // namespace tessaline::test
