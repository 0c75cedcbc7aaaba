#pragma once
// What the start-menu window asks of the program around it: the steps of the program's start-up, the messages the
// taskbar side and the hot-corner helper send to the window for the program, its end, and the Start button. They
// live above the window; the program hands the window a host before making it. A window without one (tests)
// keeps to itself. GUI thread.

#include <windows.h>

#include <cstdint>

namespace tessaline {

class TZelStartMenuFrm;

class IStartMenuHost {
  public:
    virtual ~IStartMenuHost() = default;

    // The program's steps of the window's creation, before and after its own set-up. False: the program was told
    // to end meanwhile, and the window's creation stops.
    virtual bool CreationBegin(TZelStartMenuFrm& form) = 0;
    virtual bool CreationEnd() = 0;

    // WMStartMenuLoaded, WMExplorerAlive and WMHotCornerState with their lParam.
    virtual void TaskbarSideLoaded(int64_t taskbar) = 0;
    // "TaskbarCreated": a new taskbar (Explorer restarted).
    virtual void TaskbarCreated() = 0;
    virtual void ExplorerAlive(int64_t count) = 0;
    virtual void HotCornerState(int64_t value) = 0;
    // WMQuitStartMenu: the taskbar gets its room back and the program ends.
    virtual void Quit() = 0;

    // The menu hid: the Start button shows the picture for it.
    virtual void MenuHidden() = 0;
    // The taskbar the Start button sits in (null before docking). Its thread shares this one's input.
    virtual HWND TaskbarWindow() const = 0;
};

}  // namespace tessaline
