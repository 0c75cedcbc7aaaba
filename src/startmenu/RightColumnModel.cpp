#include "startmenu/RightColumnModel.h"

#include "startmenu/StartMenuForm.h"
#include "startmenu/StartMenuLayout.h"

namespace tessaline {

TLinkAction LinkAction(int link) {
    using Kind = TLinkAction::TKind;
    static constexpr const wchar_t* kLibraries[] = {L"Documents", L"Pictures", L"Music"};
    switch (link) {
        case 0:
            return {Kind::Open, TLinkFolder::Profile, L"", L""};
        case 1:
        case 2:
        case 3:
            return {Kind::Open, TLinkFolder::AppData,
                    std::wstring(L"\\Microsoft\\Windows\\Libraries\\") + kLibraries[link - 1] + L".library-ms", L""};
        case 4:
            return {Kind::Open, TLinkFolder::None, L"Explorer.exe", L"::{ED228FDF-9EA8-4870-83B1-96B02CFE0D52}"};
        case 5:
            return {Kind::Open, TLinkFolder::None, L"Explorer.exe", L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"};
        case 6:
            return {Kind::RunSystemProgram, TLinkFolder::None, L"rundll32.exe", L"Shell32.DLL,Control_RunDLL"};
        case 7:
            return {Kind::RunSystemProgram, TLinkFolder::None, L"control.exe", L"/name Microsoft.AddHardware"};
        case 8:
            return {Kind::RunSystemProgram, TLinkFolder::None, L"control.exe", L"/name Microsoft.DefaultPrograms"};
        case 9:
            return {Kind::Open, TLinkFolder::Windows, L"\\winhlp32.exe", L""};
        default:
            return {};
    }
}

unsigned TRightColumnModel::Enter(int link) {
    keyboard_ = true;
    marked_ = link >= 0 && link < kLinkCount ? link : -1;
    current_ = marked_ >= 0 ? std::wstring(L"Resources\\") + kLinkHoverPictures[marked_] : kUserFramePicture;
    return kPictureDelayHover;
}

unsigned TRightColumnModel::Leave(int link) {
    if (linkMenuOpen_) {
        return 0;
    }
    keyboard_ = false;
    current_ = kUserFramePicture;
    if (marked_ == link) {
        marked_ = -1;
    }
    return kPictureDelayLeave;
}

unsigned TRightColumnModel::EndHover() {
    if (!linkMenuOpen_) {
        return 0;
    }
    linkMenuOpen_ = false;
    current_ = kUserFramePicture;
    marked_ = -1;
    return kPictureDelayLeave;
}

void TRightColumnModel::ClearMarks() {
    marked_ = -1;
    keyboard_ = false;
}

std::wstring TRightColumnModel::Tick(bool menuShown, bool searchMode) {
    if (current_ == shown_ || !menuShown || searchMode) {
        return {};
    }
    shown_ = current_;
    return current_;
}

}  // namespace tessaline
