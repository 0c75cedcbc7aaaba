#pragma once
// The search of the start-menu window: the box with its grey prompt, the hand-over of every real change to the
// search thread, the results that cover the panes while the box holds text, Enter with its special forms, and
// the index the searches read (built on a thread of its own). Its decisions are in SearchBoxModel.h; this is
// their glue. GUI thread only.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "startmenu/SearchBoxModel.h"

namespace tessaline {

class AdoObject;
class TApplicationSearch;
class TEdit;
class TForm;
class TIdx;
class TImageList;
class TImageNote;
class TLabel;
class TSearchIndex;
class TSearchResultsView;
class TShellSearchFileSystem;
class TTreeNode;
class TTreeView;
enum class TMouseButton;
struct TSearchResultInfo;

class TSearchRegion {
  public:
    struct TControls {
        TEdit* Box = nullptr;
        TImageNote* SearchButton = nullptr;
        TImageNote* CloseButton = nullptr;
        TImageNote* Panel = nullptr;  // the white panel under the results
        TTreeView* Results = nullptr;
        TLabel* Searching = nullptr;          // "Searching..."
        TLabel* NoMatch = nullptr;            // "No items match your search."
        std::array<TImageNote*, 3> Footer{};  // the row under the results: left, centre, right
        TImageList* Icons = nullptr;          // the system's small icons
    };
    struct TCalls {
        std::function<bool(WORD key)> PreviewKey;  // a navigation key for the window's keyboard position
        std::function<void()> EndHover;            // a press in the box ends the right column's hover
        // The results come (`searching`) or go: the window lays its panes out around them. `changed`: the mode
        // changed with this call.
        std::function<void(bool searching, bool changed)> ModeChanged;
    };

    // Opens the Windows Search connection once (whether it answers) and makes the search's view.
    TSearchRegion(TForm& form, TControls controls, TCalls calls);
    ~TSearchRegion();

    // The searches and the index build end (before the window goes).
    void End();
    // The control-panel pictures into the system image lists, then the index's first build.
    void StartIndex();
    // Main.ini's language changed: the control-panel names and the search's language follow.
    void LanguageChanged();
    // "Searching..." and the no-match text, in English whatever the language.
    void SetStatusTexts();

    void SetPlaceholderText(const std::wstring& text) { placeholderText_ = text; }
    void ShowPlaceholder();
    bool PlaceholderShown() const { return placeholderShown_; }

    bool Searching() const { return searching_; }
    // The results go and the box empties (a showing, or the view given back to the panes).
    void Leave();
    // The close button, Esc: the box empties and the results go.
    void Close();
    // Enter in the box.
    void PressEnter();
    // A result's node clicked or chosen by the keyboard.
    void OpenResult(TTreeNode* node);
    // The results' panel, in the window's coordinates.
    void Place(const TRect& panel);
    // A call of the search thread's view, posted to the window.
    void ApplyViewCall(LPARAM call);
    // The rows of the results tree that a pass may fill.
    int RowsThatFit() const;
    // The keyboard in the box, the caret after its text.
    void FocusBoxAtEnd();
    void SetFooterHighlight(bool on);
    bool FooterHighlighted() const;

  private:
    void StartIndexBuild(bool tableOnly);
    void ClearPlaceholder();
    void TextChanged();
    void EnterMode();
    // Enter right after typing: waits, briefly, for the pass of the text in the box to give its first rows.
    // False when the rows shown still belong to an earlier text.
    bool WaitForCurrentRows();
    void Launch(const TSearchResultInfo& info, bool fromClick);
    void ResultMouseDown(TMouseButton button, int x, int y);
    void ResultMouseMove(int x, int y);

    TForm& form_;
    TControls controls_;
    TCalls calls_;
    std::wstring placeholderText_ = L"Search programs and files";
    bool placeholderShown_ = false;  // the box holds the grey prompt, not the user's text
    bool searching_ = false;
    int iconBase_ = 0;  // the icon count once the control-panel icons are appended
    TSearchHandOvers handOvers_;
    std::unique_ptr<AdoObject> connection_;  // opened once at creation: whether Windows Search answers
    bool windowsSearchAvailable_ = false;
    std::unique_ptr<TShellSearchFileSystem> fileSystem_;
    std::unique_ptr<TSearchIndex> index_;
    std::unique_ptr<TIdx> indexBuild_;
    std::unique_ptr<TSearchResultsView> view_;
    std::unique_ptr<TApplicationSearch> search_;
};

}  // namespace tessaline
