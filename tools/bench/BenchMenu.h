#pragma once
// The start-menu window made in this process the way the program makes it, over fresh catalogue managers of the
// running prefix, without the program's start-up steps: how the benchmarks and the soak run reach the menu.
// GUI thread; the caller set up COM, GDI+, the standard classes and the cursors.

#include <memory>

#include "controls/Component.h"
#include "startmenu/StartMenuFormWin.h"

namespace tessaline::bench {

struct TBenchMenu {
    std::unique_ptr<TComponent> Owner;  // owns the form: resetting it destroys the window
    TZelStartMenuFrm* Form = nullptr;   // null when the window could not be made
};

TBenchMenu MakeBenchMenu();

}  // namespace tessaline::bench
