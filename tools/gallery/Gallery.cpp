// A form with every control of the framework in its states, for looking at: run under Wine on a display, it
// shows the form (and the skinned menu open beside it), waits for everything to paint, and saves what the screen
// shows under the form to a PNG. scripts/gallery.sh builds and runs it:
//   gallery.exe <output.png>
#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <string>

#include "base/FileSystem.h"
#include "controls/CursorTableWin.h"
#include "controls/FormDescription.h"
#include "controls/FormWin.h"
#include "controls/ImageListWin.h"
#include "controls/Label.h"
#include "controls/LogoHintwindow.h"
#include "controls/PImageNote.h"
#include "controls/PLabelNote.h"
#include "controls/PictureLoader.h"
#include "controls/RdSkinMenuWin.h"
#include "controls/StandardClasses.h"
#include "controls/TreeViewWin.h"
#include "controls/WinControlWin.h"

namespace {

using namespace tessaline;

// Four columns: picture buttons in each state, labels, windowed controls, and a tree.
const TFormDescription kGallery = {
    // The buttons are drawn for the dark right-hand column of the menu.
    {L"TLabel",
     L"Label_Dark",
     L"",
     RectOf(0, 0, 340, 300),
     {{L"AutoSize", L"False"}, {L"Transparent", L"False"}, {L"Color", L"$00402A1C"}}},
    {L"TLabel",
     L"Label_Buttons",
     L"",
     RectOf(16, 12, 200, 16),
     {{L"Caption", L"Picture buttons: normal, hover, pressed, empty"}, {L"Font.Color", L"clWhite"}}},
    {L"TImageNote",
     L"ImageNote_ShotDown0",
     L"",
     RectOf(16, 36, 72, 21),
     {{L"Items", L"STARTMENU_SHUTDOWN_NORMAL,STARTMENU_SHUTDOWN_HOVER,STARTMENU_SHUTDOWN_PRESSED"},
      {L"Picture", L"STARTMENU_SHUTDOWN_NORMAL"},
      {L"ImageIndex", L"0"}}},
    {L"TImageNote",
     L"ImageNote_ShotDown1",
     L"",
     RectOf(96, 36, 72, 21),
     {{L"Items", L"STARTMENU_SHUTDOWN_NORMAL,STARTMENU_SHUTDOWN_HOVER,STARTMENU_SHUTDOWN_PRESSED"},
      {L"Picture", L"STARTMENU_SHUTDOWN_HOVER"},
      {L"ImageIndex", L"1"}}},
    {L"TImageNote",
     L"ImageNote_ShotDown2",
     L"",
     RectOf(176, 36, 72, 21),
     {{L"Items", L"STARTMENU_SHUTDOWN_NORMAL,STARTMENU_SHUTDOWN_HOVER,STARTMENU_SHUTDOWN_PRESSED"},
      {L"Picture", L"STARTMENU_SHUTDOWN_PRESSED"},
      {L"ImageIndex", L"2"}}},
    {L"TImageNote", L"ImageNote_Empty", L"", RectOf(256, 36, 72, 21), {}},
    {L"TImageNote", L"ImageNote_PopMenu0", L"", RectOf(16, 66, 23, 21), {{L"Picture", L"STARTMENU_POPMENU_NORMAL"}}},
    {L"TImageNote", L"ImageNote_PopMenu1", L"", RectOf(46, 66, 23, 21), {{L"Picture", L"STARTMENU_POPMENU_HOVER"}}},
    {L"TImageNote", L"ImageNote_PopMenu2", L"", RectOf(76, 66, 23, 21), {{L"Picture", L"STARTMENU_POPMENU_OPEN"}}},
    {L"TImageNote",
     L"ImageNote_Search0",
     L"",
     RectOf(116, 66, 20, 20),
     {{L"Picture", L"STARTMENU_SEARCH_BUTTON_NORMAL"}}},
    {L"TImageNote",
     L"ImageNote_Search1",
     L"",
     RectOf(142, 66, 20, 20),
     {{L"Picture", L"STARTMENU_SEARCH_BUTTON_HOVER"}}},
    {L"TImageNote",
     L"ImageNote_Close0",
     L"",
     RectOf(176, 66, 20, 20),
     {{L"Picture", L"STARTMENU_SEARCH_CLOSE_NORMAL"}}},
    {L"TImageNote", L"ImageNote_Close1", L"", RectOf(202, 66, 20, 20), {{L"Picture", L"STARTMENU_SEARCH_CLOSE_HOVER"}}},
    {L"TImageNote", L"ImageNote_Start0", L"", RectOf(16, 96, 54, 54), {{L"Picture", L"STARTBUTTON_NORMAL"}}},
    {L"TImageNote", L"ImageNote_Start1", L"", RectOf(76, 96, 54, 54), {{L"Picture", L"STARTBUTTON_HOVER"}}},
    {L"TImageNote", L"ImageNote_Start2", L"", RectOf(136, 96, 54, 54), {{L"Picture", L"STARTBUTTON_PRESSED"}}},
    {L"TImageNote", L"ImageNote_Highlight", L"", RectOf(16, 160, 136, 31), {{L"Picture", L"STARTMENU_LINK_HIGHLIGHT"}}},
    {L"TLabel",
     L"Label_OnHighlight",
     L"",
     RectOf(26, 167, 120, 16),
     {{L"Caption", L"Documents"}, {L"Font.Color", L"clWhite"}}},
    {L"TImageNote",
     L"ImageNote_ProgramLeft",
     L"",
     RectOf(16, 200, 3, 24),
     {{L"Picture", L"STARTMENU_ROWHIGHLIGHT_LEFT"}}},
    {L"TImageNote",
     L"ImageNote_ProgramCenter",
     L"",
     RectOf(19, 200, 200, 24),
     {{L"Picture", L"STARTMENU_ROWHIGHLIGHT_CENTER"}, {L"Stretch", L"True"}}},
    {L"TImageNote",
     L"ImageNote_ProgramRight",
     L"",
     RectOf(219, 200, 3, 24),
     {{L"Picture", L"STARTMENU_ROWHIGHLIGHT_RIGHT"}}},
    {L"TImageNote",
     L"ImageNote_ProgramLogo",
     L"",
     RectOf(24, 206, 16, 12),
     {{L"Picture", L"STARTMENU_PROGRAM_LOGO_ALL"}}},
    {L"TLabel",
     L"Label_AllPrograms",
     L"",
     RectOf(46, 204, 120, 16),
     {{L"Caption", L"All Programs"}, {L"Font.Color", L"clWhite"}}},
    {L"TImageNote", L"ImageNote_Send0", L"", RectOf(16, 236, 116, 24), {{L"Picture", L"STARTMENU_SENDBACK_NORMAL"}}},
    {L"TImageNote", L"ImageNote_Step", L"", RectOf(16, 270, 185, 5), {{L"Picture", L"STARTMENU_STEP"}}},

    {L"TLabel", L"Label_Labels", L"", RectOf(350, 12, 200, 16), {{L"Caption", L"Labels"}}},
    {L"TLabel",
     L"Label_Left",
     L"",
     RectOf(350, 36, 160, 16),
     {{L"Caption", L"Left &justified"}, {L"AutoSize", L"False"}, {L"Color", L"$00F0F0F0"}, {L"Transparent", L"False"}}},
    {L"TLabel",
     L"Label_Right",
     L"",
     RectOf(350, 56, 160, 16),
     {{L"Caption", L"Right justified"},
      {L"AutoSize", L"False"},
      {L"Alignment", L"taRightJustify"},
      {L"Color", L"$00F0F0F0"},
      {L"Transparent", L"False"}}},
    {L"TLabel",
     L"Label_Center",
     L"",
     RectOf(350, 76, 160, 16),
     {{L"Caption", L"Centred"},
      {L"AutoSize", L"False"},
      {L"Alignment", L"taCenter"},
      {L"Color", L"$00F0F0F0"},
      {L"Transparent", L"False"}}},
    {L"TLabel",
     L"Label_Disabled",
     L"",
     RectOf(350, 96, 160, 16),
     {{L"Caption", L"Disabled label"}, {L"Enabled", L"False"}}},
    {L"TLabel",
     L"Label_Bold",
     L"",
     RectOf(350, 116, 160, 16),
     {{L"Caption", L"Bold Tahoma"}, {L"Font.Name", L"Tahoma"}, {L"Font.Style", L"[fsBold]"}}},
    {L"TRdLabel",
     L"RdLabel_Ellipsis",
     L"",
     RectOf(350, 140, 160, 30),
     {{L"Caption", L"A long text that is shortened by whole words when it does not fit"},
      {L"WordWrap", L"True"},
      {L"EllipsisPosition", L"epEndEllipsis"},
      {L"Color", L"$00E8E8FF"},
      {L"Transparent", L"False"}}},
    {L"TRdLabel",
     L"RdLabel_Centre",
     L"",
     RectOf(350, 180, 160, 40),
     {{L"Caption", L"Vertically centred"},
      {L"AutoSize", L"False"},
      {L"Layout", L"tlCenter"},
      {L"Alignment", L"taCenter"},
      {L"Color", L"$00E8FFE8"},
      {L"Transparent", L"False"}}},
    {L"TLabelNote",
     L"LabelNote_State",
     L"",
     RectOf(350, 230, 160, 16),
     {{L"Items", L"First text|Second text"}, {L"TextIndex", L"1"}}},

    {L"TLabel", L"Label_Windowed", L"", RectOf(560, 12, 200, 16), {{L"Caption", L"Windowed controls"}}},
    {L"TEdit", L"Edit_Search", L"", RectOf(560, 36, 150, 22), {{L"Text", L"Search programs"}}},
    {L"TButton", L"Button_OK", L"", RectOf(560, 66, 75, 25), {{L"Caption", L"OK"}}},
    {L"TButton", L"Button_Off", L"", RectOf(640, 66, 90, 25), {{L"Caption", L"Disabled"}, {L"Enabled", L"False"}}},
    {L"TGroupBox", L"GroupBox_Options", L"", RectOf(560, 100, 200, 90), {{L"Caption", L"Options"}}},
    {L"TCheckBox",
     L"CheckBox_Startup",
     L"",
     RectOf(572, 122, 170, 18),
     {{L"Caption", L"Run at startup"}, {L"Checked", L"True"}}},
    {L"TCheckBox", L"CheckBox_Corners", L"", RectOf(572, 146, 170, 18), {{L"Caption", L"Hot corners"}}},
    {L"TComboBox",
     L"ComboBox_Skin",
     L"",
     RectOf(560, 200, 150, 21),
     {{L"Items", L"Classic|Contrast|Ember|Graphite|Jade|Metro"}, {L"ItemIndex", L"0"}}},
    {L"TTreeView",
     L"TreeView_Programs",
     L"",
     RectOf(560, 240, 320, 300),
     {{L"ItemHeight", L"26"}, {L"ShowLines", L"False"}, {L"HotTrack", L"True"}, {L"RowSelect", L"True"}}},
};

void Pump(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

bool SaveScreen(const RECT& area, const std::wstring& path) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    bool saved = false;
    {
        Gdiplus::Bitmap image(bitmap, nullptr);
        CLSID png{};
        UINT count = 0;
        UINT size = 0;
        Gdiplus::GetImageEncodersSize(&count, &size);
        std::string buffer(size, '\0');
        auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
        Gdiplus::GetImageEncoders(count, size, encoders);
        for (UINT i = 0; i < count; ++i) {
            if (std::wstring(encoders[i].MimeType) == L"image/png") {
                png = encoders[i].Clsid;
            }
        }
        saved = image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring output = argc > 1 ? argv[1] : L"gallery.png";
    EnsureGdiplus();
    InitCursorTable();
    RegisterStandardClasses();

    TForm form(nullptr);
    form.SetName(L"frmGallery");
    form.Style = WS_POPUP | WS_CLIPCHILDREN;
    form.SetBounds(20, 20, 900, 560);
    form.SetColor(kColorWhite);
    TPropertyContext context;
    context.Pictures = [](const std::wstring& name) { return LoadPictureResource(name); };
    BuildForm(form, kGallery, context);

    TImageList icons(&form, 16, 16);
    for (int i = 0; i < 48; i += 6) {
        wchar_t name[32];
        wsprintfW(name, L"CONTROLPANEL_%02d", i);
        icons.Add(LoadPictureResource(name));
    }
    auto* tree = form.Find<TTreeView>(L"TreeView_Programs");
    tree->SetImages(&icons);
    const wchar_t* programs[] = {L"Internet Browser", L"Mail", L"Notepad", L"Paint", L"Calculator"};
    for (int i = 0; i < 5; ++i) {
        tree->AddChild(nullptr, programs[i], i);
    }
    TTreeNode* accessories = tree->AddChild(nullptr, L"Accessories", 6);
    tree->AddChild(accessories, L"Command Prompt", 7);
    tree->AddChild(accessories, L"Sticky Notes", 5);

    form.CreateHandle();
    form.Show();
    accessories->Expand();
    tree->SetSelected(tree->Root(1));

    TRdSkinMenu* menu = CreateRdSkinMenu(&form, L"PopupMenu_Shutdown", form.Handle());
    const wchar_t* items[] = {L"Switch user", L"Log off", L"Lock", L"-", L"Restart", L"-", L"Sleep"};
    for (const wchar_t* caption : items) {
        auto* item = Create<TMenuItem>(&form, std::wstring(L"mi_") + caption);
        item->SetCaption(caption);
        menu->Items().Add(item);
    }
    menu->Items().Items(2)->Enabled = false;
    menu->Popup(form.Left() + 250, form.Top() + 300);

    TLogoHintWindow logo(&form, form.Handle());
    logo.ShowUserFrame(GetProgramDirectory() + L"Resources\\userframe.png", form.Left() + 420, form.Top() + 300);

    Pump(1500);
    RECT area{form.Left(), form.Top(), form.Left() + form.Width(), form.Top() + form.Height()};
    const bool saved = SaveScreen(area, output);
    menu->CloseMenu();
    return saved ? 0 : 1;
}
