#pragma once
// The application object: the hidden owner window of the program's forms (so none of them gets a taskbar
// button), the single-instance check with its broadcast, the message loop and the orderly end. GUI thread only.

#include <windows.h>

#include <functional>
#include <string>

namespace tessaline {

class TApplication {
  public:
    // Creates the hidden owner window. False when it cannot be made.
    bool CreateHandle();
    HWND Handle() const { return handle_; }

    // The single-instance check: true for the first copy (the mutex is held and the owner window answers the
    // instance message from now on). False means this process must end at once: the mutex could not be made,
    // or another copy runs and has been told to come forward.
    bool CheckUniqueInstance();
    const std::wstring& InstanceName() const { return instanceName_; }
    UINT InstanceMessage() const { return instanceMessage_; }
    // Closes the mutex (at the very end).
    void ReleaseUniqueInstance();

    // The window the instance message brings to the foreground.
    HWND MainFormHandle = nullptr;
    // Runs when another application becomes active (the forms report WM_ACTIVATEAPP).
    std::function<void()> OnDeactivate;
    void Deactivated();

    // Dispatches messages until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }

  private:
    static LRESULT CALLBACK InstanceWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    HANDLE mutex_ = nullptr;
    std::wstring instanceName_;
    UINT instanceMessage_ = 0;
    WNDPROC previousProc_ = nullptr;
    bool terminated_ = false;
};

extern TApplication Application;

}  // namespace tessaline
