#include "BenchMenu.h"

#include "catalogue/StartMenuManage.h"
#include "catalogue/UserPinnedProgram.h"
#include "catalogue/uStartProgramLst.h"

namespace tessaline::bench {

TBenchMenu MakeBenchMenu() {
    v_UseProgramManage = std::make_unique<TUseProgramManage>();
    v_UserPinedManage = std::make_unique<TUserPinedManage>();
    v_StartMenuManage = std::make_unique<TStartMenuManage>();
    TBenchMenu menu;
    menu.Owner = std::make_unique<TComponent>(nullptr);
    auto* form = new TZelStartMenuFrm(menu.Owner.get());
    if (form->CreateWindowOnly()) {
        menu.Form = form;
    }
    return menu;
}

}  // namespace tessaline::bench
