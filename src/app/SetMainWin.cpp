#include "app/SetMainWin.h"

#include <shellapi.h>

#include <initializer_list>
#include <iterator>

#include "app/StartButtonFormWin.h"
#include "base/FileSystem.h"
#include "base/Trace.h"
#include "controls/FormDescription.h"
#include "controls/Label.h"
#include "controls/PImageNote.h"
#include "controls/PictureLoader.h"
#include "controls/WinControlWin.h"
#include "settings/MainSettings.h"
#include "settings/PLanguage.h"
#include "startmenu/StartMenuFormWin.h"
#include "system/LaunchWin.h"
#include "system/ShellServices.h"

namespace tessaline {

TfrmSetting* frmSetting = nullptr;

namespace {

constexpr int kClientWidth = 413;
constexpr int kClientHeight = 266;

// The frames' contents are placed on the form at the frame's origin plus their place in the frame.
constexpr int kLanguageFrameLeft = 16, kLanguageFrameTop = 13;
constexpr int kSkinFrameLeft = 16, kSkinFrameTop = 88;

TRect InLanguageFrame(int left, int top, int width, int height) {
    return RectOf(kLanguageFrameLeft + left, kLanguageFrameTop + top, width, height);
}
TRect InSkinFrame(int left, int top, int width, int height) {
    return RectOf(kSkinFrameLeft + left, kSkinFrameTop + top, width, height);
}

const TFormDescription kSettingFormRows = {
    {L"TGroupBox", L"GroupBox_Language", L"", RectOf(16, 13, 383, 62), {{L"Caption", L"Language"}}},
    {L"TLabel",
     L"Label_Language",
     L"",
     InLanguageFrame(3, 29, 179, 13),
     {{L"Caption", L"Current Language:"},
      {L"Alignment", L"taRightJustify"},
      {L"AutoSize", L"False"},
      {L"Transparent", L"True"}}},
    {L"TComboBox", L"ComboBox_Language", L"", InLanguageFrame(188, 26, 174, 21), {}},
    {L"TGroupBox", L"GroupBox_Skin", L"", RectOf(16, 88, 383, 137), {{L"Caption", L"Start Button"}}},
    {L"TLabel",
     L"Label_Skin",
     L"",
     InSkinFrame(3, 20, 179, 13),
     {{L"Caption", L"Current Start Button:"},
      {L"Alignment", L"taRightJustify"},
      {L"AutoSize", L"False"},
      {L"Transparent", L"True"}}},
    {L"TComboBox", L"ComboBox_Skin", L"", InSkinFrame(188, 17, 174, 21), {}},
    {L"TImageNote", L"Image_Skin", L"", InSkinFrame(188, 56, 54, 54), {{L"Stretch", L"True"}}},
    {L"TLabel",
     L"Label_SkinMore",
     L"",
     InSkinFrame(13, 116, 268, 13),
     {{L"Caption", L"More fantastic skins..."},
      {L"AutoSize", L"False"},
      {L"Transparent", L"True"},
      {L"Cursor", L"crHandPoint"}}},
    {L"TButton", L"btn_ok", L"", RectOf(243, 233, 75, 25), {{L"Caption", L"OK"}}},
    {L"TButton", L"btn_Cancel", L"", RectOf(324, 233, 75, 25), {{L"Caption", L"Cancel"}}},
};

template <typename T>
T* FindNamed(TComponent& form, const wchar_t* name) {
    return dynamic_cast<T*>(form.FindComponent(name));
}

std::wstring SelectedText(const TComboBox& combo) {
    const int index = combo.ItemIndex();
    return index >= 0 ? combo.ItemText(static_cast<size_t>(index)) : std::wstring();
}

void FillList(TComboBox& combo, const std::vector<std::wstring>& items, int selected) {
    combo.ClearItems();
    for (const std::wstring& item : items) {
        combo.AddItem(item);
    }
    combo.SetItemIndex(selected);
}

}  // namespace

const TFormDescription& SettingFormDescription() {
    return kSettingFormRows;
}

TfrmSetting::TfrmSetting(TComponent* owner) : TForm(owner) {
    SetName(L"frmSetting");
    SetCaption(L"User Interface");
    Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
    ExStyle = WS_EX_DLGMODALFRAME;
    SetVisible(false);
    TFont font = Font();
    font.Name = L"Tahoma";
    font.Height = -11;
    SetFont(font);
    ProgramDirectory = GetProgramDirectory();
}

bool TfrmSetting::Create() {
    TPropertyContext context;
    context.Pictures = [](const std::wstring& name) { return LoadPictureResource(name); };
    context.Form = this;
    BuildForm(*this, SettingFormDescription(), context);
    GroupBox_Language = FindNamed<TGroupBox>(*this, L"GroupBox_Language");
    Label_Language = FindNamed<TLabel>(*this, L"Label_Language");
    ComboBox_Language = FindNamed<TComboBox>(*this, L"ComboBox_Language");
    GroupBox_Skin = FindNamed<TGroupBox>(*this, L"GroupBox_Skin");
    Label_Skin = FindNamed<TLabel>(*this, L"Label_Skin");
    ComboBox_Skin = FindNamed<TComboBox>(*this, L"ComboBox_Skin");
    Image_Skin = FindNamed<TImageNote>(*this, L"Image_Skin");
    Label_SkinMore = FindNamed<TLabel>(*this, L"Label_SkinMore");
    btn_ok = FindNamed<TButton>(*this, L"btn_ok");
    btn_Cancel = FindNamed<TButton>(*this, L"btn_Cancel");
    if (ComboBox_Language == nullptr || ComboBox_Skin == nullptr || Image_Skin == nullptr ||
        Label_SkinMore == nullptr || btn_ok == nullptr || btn_Cancel == nullptr) {
        Trace(L"TfrmSetting: the form description is incomplete");
        return false;
    }

    // The link to more skins: the highlight colour, underlined while the mouse is over it.
    TFont linkFont = Label_SkinMore->Font();
    linkFont.Color = static_cast<TColor>(GetSysColor(COLOR_HIGHLIGHT));
    Label_SkinMore->SetFont(linkFont);
    Label_SkinMore->OnMouseEnter = [](TControl& label) {
        TFont font = label.Font();
        font.Underline = true;
        label.SetFont(font);
    };
    Label_SkinMore->OnMouseLeave = [](TControl& label) {
        TFont font = label.Font();
        font.Underline = false;
        label.SetFont(font);
    };
    Label_SkinMore->OnClick = [this](TControl&) { Label_SkinMoreClick(); };
    ComboBox_Skin->OnChange = [this](TControl&) { ComboBox_SkinChange(); };
    ComboBox_Language->OnChange = [this](TControl&) { ComboBox_SkinChange(); };
    btn_ok->OnClick = [this](TControl&) { btn_okClick(); };
    btn_Cancel->OnClick = [this](TControl&) { btn_CancelClick(); };
    // Enter is OK (Cancel on its own button), Esc is Cancel, Tab goes round the lists and buttons.
    for (TWinControl* control :
         std::initializer_list<TWinControl*>{ComboBox_Language, ComboBox_Skin, btn_ok, btn_Cancel}) {
        control->OnKeyDown = [this](TWinControl& sender, WORD key, TShiftState shift) {
            if (key == VK_TAB) {
                const bool back = shift.Shift;
                TWinControl* order[] = {ComboBox_Language, ComboBox_Skin, btn_ok, btn_Cancel};
                for (size_t i = 0; i < std::size(order); ++i) {
                    if (order[i] == &sender) {
                        order[(i + (back ? std::size(order) - 1 : 1)) % std::size(order)]->SetFocus();
                        return true;
                    }
                }
                return false;
            }
            // Enter and Esc in an open list take or drop its entry; only then do they answer for the dialog.
            if (SendMessageW(sender.Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0 &&
                (&sender == ComboBox_Language || &sender == ComboBox_Skin)) {
                return false;
            }
            if (key == VK_RETURN) {
                &sender == btn_Cancel ? btn_CancelClick() : btn_okClick();
                return true;
            }
            if (key == VK_ESCAPE) {
                btn_CancelClick();
                return true;
            }
            return false;
        };
    }

    // Client 413 x 266 in a dialog frame, centred on the screen.
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, Style, FALSE, ExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetBounds((GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height);
    if (!CreateHandle()) {
        return false;
    }
    if (GlobalLanguage) {
        GlobalLanguage->ApplyToComponent(*this);
    }
    frmSetting = this;
    return true;
}

std::wstring TfrmSetting::SkinFolder() const {
    return StartButtonSkinFolder(ProgramDirectory);
}

void TfrmSetting::ShowSettings() {
    if (!Visible()) {
        FillSettings();
        Show();
    }
    ForceForegroundWindow(Handle());
    ComboBox_Language->SetFocus();
}

void TfrmSetting::FillSettings() {
    const std::wstring skinFolder = SkinFolder();
    const auto exists = [](const std::wstring& path) { return FileExists(path); };
    std::vector<std::wstring> skins = ListSkins(ListFilesByExtension(skinFolder, L"png"), skinFolder, exists);
    const std::wstring skinName = ReadSkinName();
    const std::wstring language = ReadLanguage();
    Trace(L"Setting SkinName: ", skinName);
    std::wstring languageFolder = ProgramDirectory;
    if (!languageFolder.empty() && languageFolder.back() != L'\\') {
        languageFolder += L'\\';
    }
    const TSettingsChoice choice =
        ChooseSettings(std::move(skins), ButtonSkinComplete(skinFolder, skinName, exists), skinName,
                       ListFilesByExtension(languageFolder + L"Language\\", L"lng"), language);
    FillList(*ComboBox_Skin, choice.Skins, choice.SkinIndex);
    ComboBox_SkinChange();
    FillList(*ComboBox_Language, choice.Languages, choice.LanguageIndex);
}

void TfrmSetting::ComboBox_SkinChange() {
    const std::wstring skin = SelectedText(*ComboBox_Skin);
    if (skin.empty()) {
        return;
    }
    // A picture that does not load leaves the previous preview.
    const TPicture picture = LoadPictureFile(SkinFilePath(SkinFolder(), skin, TButtonPictureState::Normal));
    if (!picture.Empty()) {
        Image_Skin->SetPicture(picture);
    }
}

void TfrmSetting::btn_okClick() {
    const std::wstring skin = SelectedText(*ComboBox_Skin);
    WriteSkinAndLanguage(skin, SelectedText(*ComboBox_Language));
    if (frmStartMenu != nullptr) {
        frmStartMenu->ApplySkin(skin);
    }
    if (frmZelStartMenu != nullptr) {
        frmZelStartMenu->ReloadLanguage();
    }
    Hide();
}

void TfrmSetting::btn_CancelClick() {
    Hide();
}

void TfrmSetting::Label_SkinMoreClick() {
    // No page of skins comes with this program: the folder the skins live in, so that new ones can be dropped in.
    const std::wstring folder = SkinFolder();
    ShellLaunch(nullptr, L"open", folder);
}

}  // namespace tessaline
