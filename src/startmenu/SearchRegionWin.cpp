
#include "startmenu/SearchRegionWin.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/Trace.h"
#include "base/WideText.h"
#include "controls/FormWin.h"
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
#include "startmenu/KeyboardNavigation.h"
#include "startmenu/SearchResultsViewWin.h"
#include "system/LaunchWin.h"
#include "system/PopupMenuShell.h"
#include "system/ShellServices.h"

namespace tessaline {

namespace {

constexpr TColor kPlaceholderColor = 0x808080;  // the placeholder's grey
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

std::wstring SystemFolder() {
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
            folder(SystemFolder())};
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
        SystemFolder(), languageName,
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

// The search box's starts pass no owner window unless a result is clicked.
TLaunchResult Open(const wchar_t* verb, const std::wstring& file, const std::wstring& parameters = {}) {
    return ShellLaunch(nullptr, verb, file, parameters);
}

}  // namespace

TSearchRegion::TSearchRegion(TForm& form, TControls controls, TCalls calls)
    : form_(form), controls_(controls), calls_(std::move(calls)) {
    TTreeView& results = *controls_.Results;
    results.SetImages(controls_.Icons);
    results.SetItemHeight(kResultRowHeight);
    results.OnMouseDown = [this](TControl&, TMouseButton button, TShiftState, int x, int y) {
        ResultMouseDown(button, x, y);
    };
    results.OnMouseMove = [this](TControl&, TShiftState, int x, int y) { ResultMouseMove(x, y); };
    results.OnCustomDraw = [](TTreeView& sender, NMTVCUSTOMDRAW&) -> LRESULT {
        ShowScrollBar(sender.Handle(), SB_HORZ, FALSE);
        return CDRF_DODEFAULT;
    };
    results.OnKeyDown = [this](TWinControl&, WORD key, TShiftState) { return calls_.PreviewKey(key); };

    TEdit& box = *controls_.Box;
    box.OnChange = [this](TControl&) { TextChanged(); };
    box.OnKeyDown = [this](TWinControl&, WORD key, TShiftState) {
        if (IsNavigationKey(key)) {
            return calls_.PreviewKey(key);  // the keyboard position; Enter is the search's own
        }
        // A key that types or edits replaces the placeholder; Shift, Ctrl or an F-key alone is no key press.
        if (KeyTypesOrEdits(key) && !IsBlankQuery(controls_.Box->Text())) {
            ClearPlaceholder();
        }
        return false;
    };
    box.OnMouseDown = [this](TControl&, TMouseButton, TShiftState, int, int) {
        calls_.EndHover();
        ClearPlaceholder();
    };
    box.OnExit = [this](TControl&) {
        if (!controls_.Panel->Visible()) {
            ShowPlaceholder();
        }
    };
    controls_.SearchButton->OnMouseDown = [this](TControl&, TMouseButton, TShiftState, int, int) { calls_.EndHover(); };
    TImageNote& close = *controls_.CloseButton;
    close.OnClick = [this](TControl&) { Close(); };
    close.OnMouseEnter = [this](TControl&) { controls_.CloseButton->SetImageIndex(1); };
    close.OnMouseLeave = [this](TControl&) { controls_.CloseButton->SetImageIndex(0); };
    close.OnMouseUp = [this](TControl&, TMouseButton, TShiftState, int, int) {
        controls_.CloseButton->SetImageIndex(1);
    };
    for (TImageNote* piece : controls_.Footer) {
        piece->OnMouseEnter = [this](TControl&) { SetFooterHighlight(true); };
        piece->OnMouseLeave = [this](TControl&) { SetFooterHighlight(false); };
    }

    connection_ = std::make_unique<AdoObject>(CreateConnection());
    windowsSearchAvailable_ = OpenConnection(*connection_);
    Trace(L"Windows Search: ", windowsSearchAvailable_ ? L"available" : L"not available");
    fileSystem_ = std::make_unique<TShellSearchFileSystem>();
    index_ = std::make_unique<TSearchIndex>();
    view_ = std::make_unique<TSearchResultsView>(form_.Handle());
}

TSearchRegion::~TSearchRegion() {
    End();
}

int TSearchRegion::RowsThatFit() const {
    return controls_.Results->Height() / kResultRowHeight - 1;
}

void TSearchRegion::SetFooterHighlight(bool on) {
    for (TImageNote* piece : controls_.Footer) {
        piece->SetImageIndex(on ? 0 : -1);
    }
}

bool TSearchRegion::FooterHighlighted() const {
    return controls_.Footer[1]->ImageIndex() == 0;
}

void TSearchRegion::FocusBoxAtEnd() {
    controls_.Box->SetFocus();
    if (HWND box = controls_.Box->Handle(); box != nullptr) {
        const int end = GetWindowTextLengthW(box);
        SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
    }
}

void TSearchRegion::StartIndex() {
    std::vector<TPicture> icons;
    for (int i = 0; i < static_cast<int>(kControlPanelRowCount); ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"CONTROLPANEL_%02d", i);
        icons.push_back(LoadPictureResource(name));
        if (icons.back().Empty()) {
            Trace(L"Search: control-panel icon missing: ", name);
        }
    }
    if (controls_.Icons->AppendToSystemList(icons) < 0) {
        Trace(L"Search: the control-panel icons were not appended");
    }
    iconBase_ = controls_.Icons->Count();
    StartIndexBuild(false);
}

void TSearchRegion::StartIndexBuild(bool tableOnly) {
    TIndexSetup setup;
    setup.Index = index_.get();
    setup.FileSystem = fileSystem_.get();
    setup.Folders = ProgramFolders();
    setup.BuildTable = &BuildTableInCurrentLanguage;
    setup.OnThreadStart = [] {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
        StartThreadWithCom();
    };
    setup.OnThreadEnd = &EndThreadWithCom;
    indexBuild_ = std::make_unique<TIdx>(std::move(setup), tableOnly, std::move(indexBuild_));
}

void TSearchRegion::LanguageChanged() {
    StartIndexBuild(true);  // the control-panel names follow the language
    if (search_) {
        search_->RefreshLanguageFlag(CurrentLanguageName() != kFallbackLanguage);
    }
}

void TSearchRegion::End() {
    search_.reset();      // the pass in progress ends first: it reads the index and calls the view
    handOvers_.Reset();   // a new search counts from the start
    indexBuild_.reset();  // then the index builds
    if (connection_) {
        CloseConnection(*connection_);
    }
    MSG message;
    while (form_.Handle() != nullptr &&
           PeekMessageW(&message, form_.Handle(), kSearchViewMessage, kSearchViewMessage, PM_REMOVE)) {
        delete reinterpret_cast<TSearchViewCall*>(message.lParam);
    }
}

void TSearchRegion::ShowPlaceholder() {
    TFont font = controls_.Box->Font();
    font.Color = kPlaceholderColor;
    controls_.Box->SetFont(font);
    placeholderShown_ = true;  // before the text: putting the placeholder in is no input
    controls_.Box->SetText(placeholderText_);
    if (controls_.Box->Handle() != nullptr) {
        ::InvalidateRect(controls_.Box->Handle(), nullptr, TRUE);
    }
}

void TSearchRegion::ClearPlaceholder() {
    if (Trim(controls_.Box->Text()) != placeholderText_) {
        return;
    }
    // The text goes first, while the placeholder still counts as shown: emptying the box is no input.
    controls_.Box->SetText(L"");
    placeholderShown_ = false;
    TFont font = controls_.Box->Font();
    font.Color = kColorBlack;
    controls_.Box->SetFont(font);
    if (controls_.Box->Handle() != nullptr) {
        ::InvalidateRect(controls_.Box->Handle(), nullptr, TRUE);
    }
}

void TSearchRegion::TextChanged() {
    if (PlaceholderShown()) {
        return;
    }
    const std::wstring text = controls_.Box->Text();
    const int rows = RowsThatFit();
    if (!search_) {
        Trace(L"RdListViewSearch: ", controls_.Results->Height());
        Trace(L"rowCount: ", rows);
        SetStatusTexts();
        TSearchSetup setup;
        setup.FileSystem = fileSystem_.get();
        setup.Index = index_.get();
        setup.View = view_.get();
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
    handOvers_.HandedOver(search_->HandOver(text, rows));
    if (!IsBlankQuery(text)) {
        EnterMode();
    } else {
        Leave();
    }
}

// The language files name the two labels the other way round: this follows every translation of the window.
void TSearchRegion::SetStatusTexts() {
    controls_.NoMatch->SetCaption(kNoMatchText);
    controls_.Searching->SetCaption(kSearchingText);
}

void TSearchRegion::Place(const TRect& panel) {
    controls_.Panel->SetBounds(panel.Left, panel.Top, panel.Width(), panel.Height());
    controls_.Results->SetBounds(panel.Left, panel.Top, panel.Width(), panel.Height());
    for (TLabel* label : {controls_.Searching, controls_.NoMatch}) {
        label->SetBounds(panel.Left + 15, panel.Top + 20, panel.Width() - 30, label->Height());
    }
}

void TSearchRegion::EnterMode() {
    const bool wasSearching = searching_;
    searching_ = true;
    controls_.CloseButton->SetVisible(true);
    controls_.SearchButton->SetVisible(false);
    calls_.ModeChanged(true, !wasSearching);  // the white panel spans the whole window; the panes hide
    controls_.Panel->SetVisible(true);
}

void TSearchRegion::Leave() {
    const bool wasSearching = searching_;
    searching_ = false;
    controls_.Box->SetText(L"");
    controls_.Panel->SetVisible(false);
    controls_.Results->SetVisible(false);
    controls_.NoMatch->SetVisible(false);
    controls_.Searching->SetVisible(false);
    controls_.CloseButton->SetVisible(false);
    controls_.SearchButton->SetVisible(true);
    calls_.ModeChanged(false, wasSearching);
}

void TSearchRegion::Close() {
    controls_.Box->SetText(L"");
    controls_.Panel->SetVisible(false);
    Leave();
}

bool TSearchRegion::WaitForCurrentRows() {
    const auto current = [this] { return handOvers_.RowsCurrent(controls_.Results->RootCount() > 0); };
    // The first row of a pass stays first (later sources append), so it is enough to wait for it.
    const ULONGLONG deadline = GetTickCount64() + kEnterWaitMs;
    for (ULONGLONG now = GetTickCount64(); !current() && now < deadline; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_POSTMESSAGE | QS_PAINT | QS_SENDMESSAGE);
        MSG message;
        while (form_.Handle() != nullptr &&
               PeekMessageW(&message, form_.Handle(), kSearchViewMessage, kSearchViewMessage, PM_REMOVE)) {
            ApplyViewCall(message.lParam);
        }
        while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }
    return current();
}

void TSearchRegion::PressEnter() {
    if (PlaceholderShown()) {
        return;  // the placeholder is no text to open or search for
    }
    // Rows of an earlier text are never opened: without rows of this one in time, it goes to the system search.
    const bool currentRows = !search_ || WaitForCurrentRows();
    const std::wstring text = controls_.Box->Text();
    const bool noRows = !currentRows || controls_.Results->RootCount() == 0;
    const TSearchEnterAction action =
        SearchEnterAction(text, noRows, [](const std::wstring& name) { return GetEnvironmentText(name); });
    TTreeNode* first = controls_.Results->Root(0);
    const TSearchResultInfo* firstInfo = first != nullptr ? first->Value<TSearchResultInfo>() : nullptr;
    using Kind = TSearchEnterAction::TKind;
    switch (action.Kind) {
        case Kind::OpenNetworkPath:
            if (!Open(L"open", action.Target).Started()) {
                MessageBoxW(form_.Handle(), L"The network path was not found!", text.c_str(), MB_ICONWARNING);
            }
            break;
        case Kind::Ping:
        case Kind::SystemSearch:
            Open(nullptr, action.Target, action.Parameters);
            break;
        case Kind::ExploreFolder:
            Open(L"explore", action.Target);
            break;
        case Kind::OpenFirstResult:
            if (firstInfo != nullptr) {
                Open(L"open", firstInfo->Target);
            }
            break;
        case Kind::StartFirstResult:
            if (firstInfo != nullptr) {
                Launch(TSearchResultInfo(*firstInfo), false);
            }
            break;
    }
}

void TSearchRegion::OpenResult(TTreeNode* node) {
    // A copy: the start can pump messages, and a pass's next rows clear the tree.
    if (const TSearchResultInfo* info = node != nullptr ? node->Value<TSearchResultInfo>() : nullptr) {
        Launch(TSearchResultInfo(*info), true);
    }
}

void TSearchRegion::Launch(const TSearchResultInfo& info, bool fromClick) {
    Trace(L"Search: start ", info.Target, L" (", info.Kind, L")");
    const TResultStart start = ResultStart(info.Kind, fromClick);
    if (start.ControlPanel) {
        StartControlPanelItem(info.Target);
        return;
    }
    const HWND owner = start.Owned ? form_.Handle() : nullptr;
    const int show = start.Owned ? SW_SHOW : SW_SHOWNORMAL;
    const TLaunchResult result = ShellLaunch(owner, L"open", info.Target, {}, show,
                                             start.RedirectionOff ? TRedirection::Off : TRedirection::AsIs);
    if (!result.Started() && start.RetryWithRedirectionOff) {
        ShellLaunch(owner, L"open", info.Target, {}, show, TRedirection::Off);
    }
}

void TSearchRegion::ResultMouseDown(TMouseButton button, int x, int y) {
    TTreeNode* node = controls_.Results->NodeAt(x, y);
    const TSearchResultInfo* row = node != nullptr ? node->Value<TSearchResultInfo>() : nullptr;
    if (row == nullptr) {
        return;
    }
    const TSearchResultInfo info = *row;
    if (button == TMouseButton::Left) {
        Launch(info, true);
        return;
    }
    controls_.Results->SetSelected(node);
    POINT inForm{x, y};
    MapWindowPoints(controls_.Results->Handle(), form_.Handle(), &inForm, 1);
    ShowShellContextMenuForPath(form_.Handle(), info.Target, inForm);
}

void TSearchRegion::ResultMouseMove(int x, int y) {
    TTreeNode* node = controls_.Results->NodeAt(x, y);
    if (node == nullptr) {
        return;
    }
    if (GetFocus() != controls_.Results->Handle()) {
        SetFocus(controls_.Results->Handle());
    }
    if (controls_.Results->Selected() != node) {
        controls_.Results->SetSelected(node);
    }
    controls_.Results->SetHint(node->Text());
}

void TSearchRegion::ApplyViewCall(LPARAM lParam) {
    std::unique_ptr<TSearchViewCall> call(reinterpret_cast<TSearchViewCall*>(lParam));
    using TKind = TSearchViewCall::TKind;
    if (call->Kind == TKind::Redraw) {
        // Always paired, whichever hand-over made it.
        SendMessageW(controls_.Results->Handle(), WM_SETREDRAW, call->First ? TRUE : FALSE, 0);
        if (call->First) {
            ::InvalidateRect(controls_.Results->Handle(), nullptr, TRUE);
        }
        return;
    }
    if (handOvers_.Stale(call->HandOver)) {
        return;  // a newer text has been handed over since
    }
    switch (call->Kind) {
        case TKind::Labels:
            // "Searching..." while a pass runs, the no-match text when it gave nothing.
            controls_.Searching->SetVisible(searching_ && call->First);
            controls_.NoMatch->SetVisible(searching_ && call->Second);
            break;
        case TKind::ResultsVisible:
            controls_.Results->SetVisible(searching_ && call->First);
            break;
        case TKind::Clear:
            controls_.Results->Clear();
            handOvers_.RowsCleared(call->HandOver);
            break;
        case TKind::Idle:
            handOvers_.PassEnded(call->HandOver);
            break;
        case TKind::Add: {
            TTreeNode* node = controls_.Results->AddChild(nullptr, call->Result.Text, call->Result.Icon);
            if (node != nullptr) {
                node->SetSelectedIndex(call->Result.Icon);
                node->SetValue(std::move(call->Result.Info));
            }
            break;
        }
        case TKind::SelectFirst:
            if (controls_.Results->RootCount() > 0) {
                controls_.Results->SetSelected(controls_.Results->Root(0));
            }
            break;
        case TKind::Redraw:
            break;
    }
}

}  // namespace tessaline
