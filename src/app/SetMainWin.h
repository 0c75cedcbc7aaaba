#pragma once
// The settings dialog "User Interface": the language of the program and the skin of the Start button, picked
// from what the program's folders hold at each showing. Created hidden at start-up and shown, not modally, from
// the Start button's menu; closing it only hides it. OK saves both choices and applies them at once: the button
// shows the skin, every window the language. UI thread only.

#include <windows.h>

#include <string>

#include "app/SetMain.h"
#include "controls/FormDescription.h"
#include "controls/FormWin.h"

namespace tessaline {

class TButton;
class TComboBox;
class TGroupBox;
class TImageNote;
class TLabel;

class TfrmSetting : public TForm {
  public:
    explicit TfrmSetting(TComponent* owner);

    // Builds the components, translates them and makes the (hidden) window.
    bool Create();
    // "Customize User Interface": fills the lists and shows the dialog centred, or brings it to the front when
    // it is already showing (keeping what the user picked so far).
    void ShowSettings();

    // The lists and selections from the skin and language folders beside the program and Main.ini.
    void FillSettings();
    void btn_okClick();
    void btn_CancelClick();
    void ComboBox_SkinChange();
    void Label_SkinMoreClick();

    // Where the lists come from: the program's folder unless a test points elsewhere.
    std::wstring ProgramDirectory;

    TGroupBox* GroupBox_Language = nullptr;
    TLabel* Label_Language = nullptr;
    TComboBox* ComboBox_Language = nullptr;
    TGroupBox* GroupBox_Skin = nullptr;
    TLabel* Label_Skin = nullptr;
    TComboBox* ComboBox_Skin = nullptr;
    TImageNote* Image_Skin = nullptr;
    TLabel* Label_SkinMore = nullptr;
    TButton* btn_ok = nullptr;
    TButton* btn_Cancel = nullptr;

  private:
    std::wstring SkinFolder() const;
    bool DialogKey(WORD key);
};

extern TfrmSetting* frmSetting;

// The settings dialog's components, as BuildForm takes them.
const TFormDescription& SettingFormDescription();

}  // namespace tessaline
