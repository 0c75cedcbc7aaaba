#include "app/StartButtonSkin.h"

#include <algorithm>

#include "base/Strings.h"

namespace tessaline {
namespace {

std::wstring_view SkinFileSuffix(TButtonPictureState state) {
    switch (state) {
        case TButtonPictureState::Hover:
            return L"_hover.png";
        case TButtonPictureState::Pressed:
            return L"_click.png";
        case TButtonPictureState::Normal:
            break;
    }
    return L"_normal.png";
}

}  // namespace

TButtonPictureState ButtonPictureState(bool showStartMenu, bool mouseOver) {
    if (showStartMenu) {
        return TButtonPictureState::Pressed;
    }
    return mouseOver ? TButtonPictureState::Hover : TButtonPictureState::Normal;
}

std::wstring StartButtonSkinFolder(std::wstring_view programDirectory) {
    std::wstring folder(programDirectory);
    if (!folder.empty() && !IsPathDelimiter(folder.back())) {
        folder += L'\\';
    }
    return folder + L"StartButtonSkin\\";
}

std::wstring SkinFilePath(std::wstring_view skinFolder, std::wstring_view skinName, TButtonPictureState state) {
    std::wstring path(skinFolder);
    path += skinName;
    path += SkinFileSuffix(state);
    return path;
}

bool ButtonSkinComplete(std::wstring_view skinFolder, std::wstring_view skinName, const TFileExistsFn& exists) {
    // An empty name would pick up stray "_normal.png" files; a delimiter would reach outside the skin folder.
    if (skinName.empty() || std::any_of(skinName.begin(), skinName.end(), IsPathDelimiter)) {
        return false;
    }
    for (TButtonPictureState state :
         {TButtonPictureState::Pressed, TButtonPictureState::Hover, TButtonPictureState::Normal}) {
        if (!exists(SkinFilePath(skinFolder, skinName, state))) {
            return false;
        }
    }
    return true;
}

TButtonPicture ChooseButtonPicture(TButtonPictureState state,
                                   bool skinComplete,
                                   std::wstring_view skinFolder,
                                   std::wstring_view skinName) {
    TButtonPicture picture;
    picture.BuiltInIndex = static_cast<int>(state);
    if (skinComplete) {
        picture.SkinFile = SkinFilePath(skinFolder, skinName, state);
    }
    return picture;
}

}  // namespace tessaline
