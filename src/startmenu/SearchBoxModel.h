#pragma once
// The search box's decisions: what Enter does with the text, how a result starts, and which hand-over of the
// text the rows on screen belong to. Any thread (the glue calls it on the window's).

#include <cstdint>
#include <functional>
#include <string>

namespace tessaline {

struct TSearchEnterAction {
    enum class TKind {
        OpenNetworkPath,  // "\\server\share": opened; a failure is told to the user
        Ping,             // "ping ...": a command window runs it
        ExploreFolder,    // "%NAME%" naming a folder: Target is its value
        SystemSearch,     // no rows of this text: the system's search for Target ("search-ms:query=" + text)
        OpenFirstResult,  // "%NAME%" without a value, with rows: the first result's path opened as a document
        StartFirstResult  // the first result started as a click would, from the keyboard
    };
    TKind Kind = TKind::SystemSearch;
    std::wstring Target;
    std::wstring Parameters;

    bool operator==(const TSearchEnterAction&) const = default;
};

// Enter on `text` (not the placeholder). `noRows`: the results hold no row of this text (none yet, or none at
// all); `environment` answers a variable's value, empty when it has none.
TSearchEnterAction SearchEnterAction(const std::wstring& text,
                                     bool noRows,
                                     const std::function<std::wstring(const std::wstring&)>& environment);

// How a result of kind `kind` (".control", ".lnk", ...) starts.
struct TResultStart {
    bool ControlPanel = false;  // the control-panel item's command line (WinExec, then its runner)
    bool Owned = false;         // the shell's start names the window as owner and shows SW_SHOW
    bool RedirectionOff = false;
    bool RetryWithRedirectionOff = false;  // a failed start is tried once more with the redirection off

    bool operator==(const TResultStart&) const = default;
};
TResultStart ResultStart(const std::wstring& kind, bool fromClick);

// The hand-overs of the text to the search thread, and which of them the results tree shows. A call from the
// thread names its hand-over; one older than the last is stale.
class TSearchHandOvers {
  public:
    void HandedOver(std::uint64_t handOver) { current_ = handOver; }
    bool Stale(std::uint64_t handOver) const { return handOver < current_; }
    // The tree was emptied for this hand-over's rows.
    void RowsCleared(std::uint64_t handOver) { rows_ = handOver; }
    // This hand-over's pass has ended.
    void PassEnded(std::uint64_t handOver) { idle_ = handOver; }
    // The rows shown are the current text's: its pass has ended, or it has given rows that are shown.
    bool RowsCurrent(bool treeHasRows) const { return idle_ >= current_ || (rows_ >= current_ && treeHasRows); }
    // A new search counts from the start.
    void Reset() { current_ = rows_ = idle_ = 0; }

  private:
    std::uint64_t current_ = 0;
    std::uint64_t rows_ = 0;
    std::uint64_t idle_ = 0;
};

}  // namespace tessaline
