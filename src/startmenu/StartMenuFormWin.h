#pragma once
// The start-menu window (the program's main window, found by others through its class and caption): the
// process-wide messages of the taskbar side and the hot-corner helper arrive here, and it shows and hides as
// the Start button asks. GUI thread only.

#include <windows.h>

#include "controls/FormWin.h"

namespace tessaline {

class TZelStartMenuFrm : public TForm {
  public:
    explicit TZelStartMenuFrm(TComponent* owner);

    // Creates the window and runs its creation steps (which wait for the taskbar side).
    bool Create();

    void ShowStartMenuForm();
    // Also the application's deactivation handler: activating another application hides the menu.
    void HideStartMenu();

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

extern TZelStartMenuFrm* frmZelStartMenu;

}  // namespace tessaline
