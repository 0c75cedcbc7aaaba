#pragma once
// Which picture the Start button shows: the state from the menu and the mouse, and whether it comes from the
// chosen skin (three PNG files beside the program) or from the three built-in pictures. Any thread.

#include <functional>
#include <string>
#include <string_view>

namespace tessaline {

// The values are also the indexes of the built-in pictures in ImageNote_Default.
enum class TButtonPictureState { Normal = 0, Hover = 1, Pressed = 2 };

// The open menu wins over the mouse: the button stays pressed while the menu shows.
TButtonPictureState ButtonPictureState(bool showStartMenu, bool mouseOver);

// programDirectory + "StartButtonSkin\".
std::wstring StartButtonSkinFolder(std::wstring_view programDirectory);
// skinFolder + name + "_normal.png" / "_hover.png" / "_click.png".
std::wstring SkinFilePath(std::wstring_view skinFolder, std::wstring_view skinName, TButtonPictureState state);

using TFileExistsFn = std::function<bool(const std::wstring& path)>;

// A skin is usable only with all three files; asked in the order click, hover, normal, stopping at the first
// missing one. A name that is empty or holds a path delimiter names no skin of the folder.
bool ButtonSkinComplete(std::wstring_view skinFolder, std::wstring_view skinName, const TFileExistsFn& exists);

struct TButtonPicture {
    std::wstring SkinFile;  // empty: use the built-in picture
    int BuiltInIndex = 0;
    friend bool operator==(const TButtonPicture&, const TButtonPicture&) = default;
};

TButtonPicture ChooseButtonPicture(TButtonPictureState state,
                                   bool skinComplete,
                                   std::wstring_view skinFolder,
                                   std::wstring_view skinName);

}  // namespace tessaline
