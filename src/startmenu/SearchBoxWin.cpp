// The search box of the start-menu window and its results: the placeholder, the hand-over of every real change
// to the search thread, search mode and normal mode, Enter with its special forms, and the results tree.

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/Trace.h"
#include "base/WideText.h"
#include "controls/ImageListWin.h"
#include "controls/Label.h"
#include "controls/PImageNote.h"
#include "controls/PictureLoader.h"
#include "controls/TimerWin.h"
#include "controls/TreeViewWin.h"
#include "controls/WinControlWin.h"
#include "search/ApplicationSearch.h"
#include "search/ControlPanelLaunchWin.h"
#include "search/ControlPanelTable.h"
#include "search/IndexBuilder.h"
#include "search/SearchFileSystemWin.h"
#include "search/SearchMatch.h"
#include "search/UnitAdo.h"
#include "search/WindowsSearchRowsWin.h"
#include "settings/MainSettings.h"
#include "settings/PLanguage.h"
#include "startmenu/SearchResultsViewWin.h"
#include "startmenu/StartMenuFormWin.h"
#include "system/PopupMenuShell.h"
#include "system/ShellServices.h"
#include "system/ShellStartObserver.h"

namespace tessaline {

namespace {

constexpr TColor kPlaceholderColor = 0x808080;  // grey: the box shows the placeholder exactly while its font is grey
constexpr int kResultRowHeight = 18;
// How long Enter waits for the rows of the text just typed.
constexpr ULONGLONG kEnterWaitMs = 300;

std::wstring FolderPath(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
        Trace(L"Search: no folder for CSIDL ", csidl);
        return {};
    }
    return ExcludeTrailingDelimiter(path) + L"\\";
}

std::wstring SystemDirectory() {
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

std::wstring WindowsDirectory() {
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

// The four folders the index and the folder walks cover, each ending in "\\"; empty when the system could not
// name one (the walks then skip it).
TSearchFolders ProgramFolders() {
    const auto folder = [](const std::wstring& path) { return path.empty() ? path : path + L"\\"; };
    return {FolderPath(CSIDL_COMMON_STARTMENU), FolderPath(CSIDL_PROGRAMS), folder(WindowsDirectory()),
            folder(SystemDirectory())};
}

std::wstring CurrentLanguageName() {
    const std::wstring language = ReadLanguageSetting();
    return language.empty() ? std::wstring(kFallbackLanguage) : language;
}

// The 48 rows in the language of Main.ini, with the English names beside them; on the indexing thread.
std::vector<std::wstring> BuildTableInCurrentLanguage() {
    const std::wstring languageName = CurrentLanguageName();
    TLanguage current(kAppName);
    current.LoadLanguage(languageName);
    TLanguage english(kAppName);
    english.LoadLanguage(kFallbackLanguage);
    const std::wstring section = std::wstring(kAppName) + L"_M";
    return BuildControlPanelTable(
        SystemDirectory(), languageName,
        [&](const std::wstring& key, const std::wstring& fallback) { return current.ReadText(section, key, fallback); },
        [&](const std::wstring& key, const std::wstring& fallback) {
            return english.ReadText(section, key, fallback);
        });
}

void StartThreadWithCom() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

void EndThreadWithCom() {
    CoUninitialize();
}

// Every shell start of the search box goes through here.
HINSTANCE SearchShellExecute(HWND owner,
                             const wchar_t* verb,
                             const std::wstring& file,
                             const std::wstring& parameters,
                             int show) {
    NotifyShellStart(verb != nullptr ? verb : L"", file, parameters);
    return ShellExecuteW(owner, verb, file.c_str(), parameters.empty() ? nullptr : parameters.c_str(), nullptr, show);
}

bool Started(HINSTANCE result) {
    return reinterpret_cast<INT_PTR>(result) >= 32;
}

}  // namespace

int TZelStartMenuFrm::SearchRowsThatFit() const {
    return RdListViewSearch->Height() / kResultRowHeight - 1;
}

void TZelStartMenuFrm::SetUpSearch() {
    RdListViewSearch->SetImages(IcoImgList);
    RdListViewSearch->SetItemHeight(kResultRowHeight);
    RdListViewSearch->OnMouseDown = [this](TControl&, TMouseButton button, TShiftState, int x, int y) {
        ResultMouseDown(button, x, y);
    };
    RdListViewSearch->OnMouseMove = [this](TControl&, TShiftState, int x, int y) { ResultMouseMove(x, y); };
    RdListViewSearch->OnCustomDraw = [](TTreeView& sender, NMTVCUSTOMDRAW&) -> LRESULT {
        ShowScrollBar(sender.Handle(), SB_HORZ, FALSE);
        return CDRF_DODEFAULT;
    };
    RdListViewSearch->OnKeyDown = [this](TWinControl&, WORD key, TShiftState) { return PreviewKey(key); };

    Edit_Search->OnChange = [this](TControl&) { Edit_SearchChange(); };
    Edit_Search->OnKeyDown = [this](TWinControl&, WORD key, TShiftState) {
        if (IsNavigationKey(key)) {
            return PreviewKey(key);  // the keyboard position; Enter is the search's own
        }
        // A key that types or edits replaces the placeholder; Shift, Ctrl or an F-key alone is no key press.
        if (KeyTypesOrEdits(key) && !IsBlankQuery(Edit_Search->Text())) {
            ClearPlaceholder();
        }
        return false;
    };
    Edit_Search->OnMouseDown = [this](TControl&, TMouseButton, TShiftState, int, int) {
        EndRightColumnHover(0);
        ClearPlaceholder();
    };
    Edit_Search->OnExit = [this](TControl&) {
        if (!pnl_SearchClient->Visible()) {
            SetPlaceholder();
        }
    };
    ImageNote_SearchButton->OnMouseDown = [this](TControl&, TMouseButton, TShiftState, int, int) {
        EndRightColumnHover(0);
    };
    ImageNote_SearchCloseButton->OnClick = [this](TControl&) { CloseSearch(); };
    ImageNote_SearchCloseButton->OnMouseEnter = [this](TControl&) { ImageNote_SearchCloseButton->SetImageIndex(1); };
    ImageNote_SearchCloseButton->OnMouseLeave = [this](TControl&) { ImageNote_SearchCloseButton->SetImageIndex(0); };
    ImageNote_SearchCloseButton->OnMouseUp = [this](TControl&, TMouseButton, TShiftState, int, int) {
        ImageNote_SearchCloseButton->SetImageIndex(1);
    };
    for (TImageNote* piece : Image_SearchResultBack) {
        piece->OnMouseEnter = [this](TControl&) {
            for (TImageNote* each : Image_SearchResultBack) {
                each->SetImageIndex(0);
            }
        };
        piece->OnMouseLeave = [this](TControl&) {
            for (TImageNote* each : Image_SearchResultBack) {
                each->SetImageIndex(-1);
            }
        };
    }

    searchConnection_ = std::make_unique<AdoObject>(CreateConnection());
    windowsSearchAvailable_ = OpenConnection(*searchConnection_);
    Trace(L"Windows Search: ", windowsSearchAvailable_ ? L"available" : L"not available");
    searchFileSystem_ = std::make_unique<TShellSearchFileSystem>();
    searchIndex_ = std::make_unique<TSearchIndex>();
    searchView_ = std::make_unique<TSearchResultsView>(Handle());
}

void TZelStartMenuFrm::StartSearchIndex() {
    std::vector<TPicture> icons;
    for (int i = 0; i < static_cast<int>(kControlPanelRowCount); ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"CONTROLPANEL_%02d", i);
        icons.push_back(LoadPictureResource(name));
        if (icons.back().Empty()) {
            Trace(L"Search: control-panel icon missing: ", name);
        }
    }
    if (IcoImgList->AppendToSystemList(icons) < 0) {
        Trace(L"Search: the control-panel icons were not appended");
    }
    iconBase_ = IcoImgList->Count();
    StartIndexBuild(false);
}

void TZelStartMenuFrm::StartIndexBuild(bool tableOnly) {
    TIndexSetup setup;
    setup.Index = searchIndex_.get();
    setup.FileSystem = searchFileSystem_.get();
    setup.Folders = ProgramFolders();
    setup.BuildTable = &BuildTableInCurrentLanguage;
    setup.OnThreadStart = [] {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
        StartThreadWithCom();
    };
    setup.OnThreadEnd = &EndThreadWithCom;
    indexBuild_ = std::make_unique<TIdx>(std::move(setup), tableOnly, std::move(indexBuild_));
}

void TZelStartMenuFrm::SearchLanguageChanged() {
    StartIndexBuild(true);  // the control-panel names follow the language
    if (search_) {
        search_->RefreshLanguageFlag(CurrentLanguageName() != kFallbackLanguage);
    }
}

void TZelStartMenuFrm::EndSearch() {
    search_.reset();  // the pass in progress ends first: it reads the index and calls the view
    searchHandOver_ = searchRowsHandOver_ = searchIdleHandOver_ = 0;  // a new search counts from the start
    indexBuild_.reset();                                              // then the index builds
    if (searchConnection_) {
        CloseConnection(*searchConnection_);
    }
    MSG message;
    while (Handle() != nullptr && PeekMessageW(&message, Handle(), kSearchViewMessage, kSearchViewMessage, PM_REMOVE)) {
        delete reinterpret_cast<TSearchViewCall*>(message.lParam);
    }
}

void TZelStartMenuFrm::SetPlaceholder() {
    TFont font = Edit_Search->Font();
    font.Color = kPlaceholderColor;
    Edit_Search->SetFont(font);
    Edit_Search->SetText(searchPlaceholder_);
    if (Edit_Search->Handle() != nullptr) {
        ::InvalidateRect(Edit_Search->Handle(), nullptr, TRUE);
    }
}

bool TZelStartMenuFrm::ShowsPlaceholder() const {
    return Edit_Search->Font().Color == kPlaceholderColor;
}

void TZelStartMenuFrm::ClearPlaceholder() {
    if (Trim(Edit_Search->Text()) != searchPlaceholder_) {
        return;
    }
    // The text goes first, while the font is still grey: emptying the box is no input.
    Edit_Search->SetText(L"");
    TFont font = Edit_Search->Font();
    font.Color = kColorBlack;
    Edit_Search->SetFont(font);
    if (Edit_Search->Handle() != nullptr) {
        ::InvalidateRect(Edit_Search->Handle(), nullptr, TRUE);
    }
}

void TZelStartMenuFrm::Edit_SearchChange() {
    if (ShowsPlaceholder()) {
        return;
    }
    const std::wstring text = Edit_Search->Text();
    const int rows = SearchRowsThatFit();
    if (!search_) {
        Trace(L"RdListViewSearch: ", RdListViewSearch->Height());
        Trace(L"rowCount: ", rows);
        SetSearchStatusTexts();
        TSearchSetup setup;
        setup.FileSystem = searchFileSystem_.get();
        setup.Index = searchIndex_.get();
        setup.View = searchView_.get();
        setup.Folders = ProgramFolders();
        setup.NotEnglish = CurrentLanguageName() != kFallbackLanguage;
        setup.IconBase = iconBase_;
        if (windowsSearchAvailable_) {
            // The thread opens a connection of its own: ADO's objects belong to the apartment that made them, and
            // a proxy to this thread's connection would stall the search whenever this thread is busy.
            setup.MakeWindowsSearchRows = []() -> std::unique_ptr<IWindowsSearchRows> {
                AdoObject connection = CreateConnection();
                if (!OpenConnection(connection)) {
                    return nullptr;
                }
                return std::make_unique<TAdoSearchRows>(std::move(connection));
            };
        }
        setup.OnThreadStart = &StartThreadWithCom;
        setup.OnThreadEnd = &EndThreadWithCom;
        search_ = std::make_unique<TApplicationSearch>(std::move(setup));
    }
    searchHandOver_ = search_->HandOver(text, rows);
    if (!IsBlankQuery(text)) {
        EnterSearchMode();
    } else {
        LeaveSearchMode();
    }
}

// The searching label is Label_SearchTitle and the no-match label Label_Search, in English whatever the language:
// the language files name them the other way, so this follows every translation of the window.
void TZelStartMenuFrm::SetSearchStatusTexts() {
    Label_Search->SetCaption(kNoMatchText);
    Label_SearchTitle->SetCaption(kSearchingText);
}

void TZelStartMenuFrm::PlaceSearchPanel() {
    const TRect& panel = leftPane_.SearchPanel;
    pnl_SearchClient->SetBounds(panel.Left, panel.Top, panel.Width(), panel.Height());
    RdListViewSearch->SetBounds(panel.Left, panel.Top, panel.Width(), panel.Height());
    for (TLabel* label : {Label_SearchTitle, Label_Search}) {
        label->SetBounds(panel.Left + 15, panel.Top + 20, panel.Width() - 30, label->Height());
    }
}

void TZelStartMenuFrm::EnterSearchMode() {
    const bool wasSearching = searchMode_;
    searchMode_ = true;
    for (TImageNote* piece : ImageNote_Program) {
        piece->SetVisible(false);
    }
    lbl_Program->SetVisible(false);
    Image_ProgramLogo->SetVisible(false);
    TFont font = lab_Powner->Font();
    font.Color = kColorBlack;
    lab_Powner->SetFont(font);
    Timer_LogoShow->SetEnabled(false);  // or the picture's timer would show it again over the results
    paneHint_.Hide();
    HideUserPicture();
    ImageNote_SearchCloseButton->SetVisible(true);
    ImageNote_SearchButton->SetVisible(false);
    if (!wasSearching) {
        ApplyLeftPane(false);  // the white panel spans the whole window
    }
    PlaceSearchPanel();
    pnl_SearchClient->SetVisible(true);
    Pnl_Step1->SetVisible(false);
    Pnl_Step2->SetVisible(false);
    // The panel is painted by the window: the panes' own windows are hidden under it.
    TreeView_UserPind->SetVisible(false);
    TreeView_StartProgramLst->SetVisible(false);
    TreeView_Program->SetVisible(false);
}

void TZelStartMenuFrm::LeaveSearchMode() {
    const bool wasSearching = searchMode_;
    searchMode_ = false;
    TFont font = lab_Powner->Font();
    font.Color = kColorWhite;
    lab_Powner->SetFont(font);
    Edit_Search->SetText(L"");
    pnl_SearchClient->SetVisible(false);
    RdListViewSearch->SetVisible(false);
    Label_Search->SetVisible(false);
    Label_SearchTitle->SetVisible(false);
    ImageNote_SearchCloseButton->SetVisible(false);
    ImageNote_SearchButton->SetVisible(true);
    if (wasSearching) {
        ApplyLeftPane(false);  // the white panel ends 151 px before the right edge again
    }
    Pnl_Step2->SetVisible(true);
    for (TImageNote* piece : ImageNote_Program) {
        piece->SetVisible(true);
    }
    lbl_Program->SetVisible(true);
    Image_ProgramLogo->SetVisible(true);
    ShowPaneTrees();
    if (wasSearching && logoWindow_ != nullptr && v_Show_StartMenu) {
        Timer_LogoShow->SetEnabled(false);
        Timer_LogoShow->SetEnabled(true);  // the user picture comes back as on a showing
    }
}

void TZelStartMenuFrm::ShowPaneTrees() {
    const bool frequentView = viewFlag_ == 0;
    const bool pins = TreeView_UserPind->RootCount() > 0;
    TreeView_UserPind->SetVisible(frequentView && pins);
    Pnl_Step1->SetVisible(frequentView && pins);
    TreeView_StartProgramLst->SetVisible(frequentView);
    TreeView_Program->SetVisible(!frequentView);
}

void TZelStartMenuFrm::CloseSearch() {
    Edit_Search->SetText(L"");
    pnl_SearchClient->SetVisible(false);
    LeaveSearchMode();
}

bool TZelStartMenuFrm::WaitForCurrentRows() {
    const auto current = [this] {
        return searchIdleHandOver_ >= searchHandOver_ ||
               (searchRowsHandOver_ >= searchHandOver_ && RdListViewSearch->RootCount() > 0);
    };
    // The first row of a pass stays first (later sources append), so it is enough to wait for it.
    const ULONGLONG deadline = GetTickCount64() + kEnterWaitMs;
    for (ULONGLONG now = GetTickCount64(); !current() && now < deadline; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_POSTMESSAGE | QS_PAINT | QS_SENDMESSAGE);
        MSG message;
        while (Handle() != nullptr &&
               PeekMessageW(&message, Handle(), kSearchViewMessage, kSearchViewMessage, PM_REMOVE)) {
            ApplySearchViewCall(message.lParam);
        }
        while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }
    return current();
}

void TZelStartMenuFrm::SearchEnter() {
    if (ShowsPlaceholder()) {
        return;  // the placeholder is no text to open or search for
    }
    // Rows of an earlier text are never opened: without rows of this one in time, it goes to the system search.
    const bool currentRows = !search_ || WaitForCurrentRows();
    const std::wstring text = Edit_Search->Text();
    if (text.rfind(L"\\\\", 0) == 0) {
        if (!Started(SearchShellExecute(nullptr, L"open", text, {}, SW_SHOWNORMAL))) {
            MessageBoxW(Handle(), L"The network path was not found!", text.c_str(), MB_ICONWARNING);
        }
        return;
    }
    if (text.rfind(L"ping ", 0) == 0) {
        SearchShellExecute(nullptr, nullptr, L"cmd.exe", L"/K " + text, SW_SHOWNORMAL);
        return;
    }
    const std::wstring trimmed = Trim(text);
    const bool noResults = !currentRows || RdListViewSearch->RootCount() == 0;
    if (!trimmed.empty() && trimmed.front() == L'%' && trimmed.back() == L'%') {
        const std::wstring name = trimmed.size() >= 2 ? trimmed.substr(1, trimmed.size() - 2) : std::wstring();
        const std::wstring value = name.empty() ? std::wstring() : GetEnvironmentText(name);
        if (!value.empty()) {
            SearchShellExecute(nullptr, L"explore", value, {}, SW_SHOWNORMAL);
        } else if (noResults) {
            SearchShellExecute(nullptr, nullptr, L"search-ms:query=" + text, {}, SW_SHOWNORMAL);
        } else if (TTreeNode* first = RdListViewSearch->Root(0); first != nullptr && first->Data != nullptr) {
            SearchShellExecute(nullptr, L"open", static_cast<TSearchResultInfo*>(first->Data)->Target, {},
                               SW_SHOWNORMAL);
        }
        return;
    }
    if (noResults) {
        SearchShellExecute(nullptr, nullptr, L"search-ms:query=" + text, {}, SW_SHOWNORMAL);
        return;
    }
    OpenFirstResult();
}

void TZelStartMenuFrm::OpenFirstResult() {
    TTreeNode* first = RdListViewSearch->Root(0);
    if (first != nullptr && first->Data != nullptr) {
        LaunchResult(*static_cast<TSearchResultInfo*>(first->Data), false);
    }
}

void TZelStartMenuFrm::LaunchResult(const TSearchResultInfo& info, bool fromClick) {
    Trace(L"Search: start ", info.Target, L" (", info.Kind, L")");
    if (info.Kind == kControlKind) {
        StartControlPanelItem(info.Target);
        return;
    }
    if (fromClick) {
        if (!Started(SearchShellExecute(Handle(), L"open", info.Target, {}, SW_SHOW))) {
            ScopedWow64RedirectionOff redirection;
            SearchShellExecute(Handle(), L"open", info.Target, {}, SW_SHOW);
        }
        return;
    }
    if (info.Kind == L".lnk" || info.Kind == L".exe" || info.Kind == L".msc") {
        ScopedWow64RedirectionOff redirection;
        SearchShellExecute(nullptr, L"open", info.Target, {}, SW_SHOWNORMAL);
        return;
    }
    SearchShellExecute(nullptr, L"open", info.Target, {}, SW_SHOWNORMAL);
}

void TZelStartMenuFrm::ResultMouseDown(TMouseButton button, int x, int y) {
    TTreeNode* node = RdListViewSearch->NodeAt(x, y);
    if (node == nullptr || node->Data == nullptr) {
        return;
    }
    const TSearchResultInfo info = *static_cast<TSearchResultInfo*>(node->Data);
    if (button == TMouseButton::Left) {
        LaunchResult(info, true);
        return;
    }
    RdListViewSearch->SetSelected(node);
    POINT inForm{x, y};
    MapWindowPoints(RdListViewSearch->Handle(), Handle(), &inForm, 1);
    ShowShellContextMenuForPath(Handle(), info.Target, inForm);
}

void TZelStartMenuFrm::ResultMouseMove(int x, int y) {
    TTreeNode* node = RdListViewSearch->NodeAt(x, y);
    if (node == nullptr) {
        return;
    }
    if (GetFocus() != RdListViewSearch->Handle()) {
        SetFocus(RdListViewSearch->Handle());
    }
    if (RdListViewSearch->Selected() != node) {
        RdListViewSearch->SetSelected(node);
    }
    RdListViewSearch->SetHint(node->Text());
}

void TZelStartMenuFrm::ApplySearchViewCall(LPARAM lParam) {
    std::unique_ptr<TSearchViewCall> call(reinterpret_cast<TSearchViewCall*>(lParam));
    using TKind = TSearchViewCall::TKind;
    if (call->Kind == TKind::Redraw) {
        // Always paired, whichever hand-over made it.
        SendMessageW(RdListViewSearch->Handle(), WM_SETREDRAW, call->First ? TRUE : FALSE, 0);
        if (call->First) {
            ::InvalidateRect(RdListViewSearch->Handle(), nullptr, TRUE);
        }
        return;
    }
    if (call->HandOver < searchHandOver_) {
        return;  // a newer text has been handed over since
    }
    switch (call->Kind) {
        case TKind::Labels:
            // The searching label is Label_SearchTitle, the no-match label Label_Search.
            Label_SearchTitle->SetVisible(searchMode_ && call->First);
            Label_Search->SetVisible(searchMode_ && call->Second);
            break;
        case TKind::ResultsVisible:
            RdListViewSearch->SetVisible(searchMode_ && call->First);
            break;
        case TKind::Clear:
            RdListViewSearch->Clear();
            results_.clear();
            searchRowsHandOver_ = call->HandOver;
            break;
        case TKind::Idle:
            searchIdleHandOver_ = call->HandOver;
            break;
        case TKind::Add: {
            auto info = std::make_unique<TSearchResultInfo>(std::move(call->Result.Info));
            TTreeNode* node = RdListViewSearch->AddChild(nullptr, call->Result.Text, call->Result.Icon);
            if (node != nullptr) {
                node->SetSelectedIndex(call->Result.Icon);
                node->Data = info.get();
                results_.push_back(std::move(info));
            }
            break;
        }
        case TKind::SelectFirst:
            if (RdListViewSearch->RootCount() > 0) {
                RdListViewSearch->SetSelected(RdListViewSearch->Root(0));
            }
            break;
        case TKind::Redraw:
            break;
    }
}

}  // namespace tessaline
