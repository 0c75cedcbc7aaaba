#pragma once
// The start-menu window's form description: every component with its design bounds, texts and pictures (by
// resource name). Most positions are recomputed by the layout when the menu shows. Any thread.

#include "controls/FormDescription.h"

namespace tessaline {

const TFormDescription& StartMenuFormDescription();

// The right-hand links in tag order (0 = the account, 9 = Help and Support).
inline constexpr const wchar_t* kLinkButtons[] = {
    L"ImageNote_User",           L"ImageNote_Document", L"ImageNote_Picture",      L"ImageNote_Music",
    L"ImageNote_Game",           L"ImageNote_Computer", L"ImageNote_Controlpanel", L"ImageNote_Print",
    L"ImageNote_DefaultProgram", L"ImageNote_Help",
};
inline constexpr const wchar_t* kLinkLabels[] = {
    L"lbl_User",     L"lbl_Document",     L"lbl_Picture", L"lbl_Music",          L"lbl_Game",
    L"lbl_Computer", L"lbl_Controlpanel", L"lbl_Print",   L"lbl_DefaultProgram", L"lbl_Help",
};
// The pictures shown in the user-picture window while the mouse rests on a link ("Resources\" beside the program).
inline constexpr const wchar_t* kLinkHoverPictures[] = {
    L"userframe.png", L"documents.png", L"pictures.png", L"music.png",           L"games.png",
    L"computer.png",  L"control.png",   L"connect.png",  L"defaultprograms.png", L"help.png",
};

}  // namespace tessaline
