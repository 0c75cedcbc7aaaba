#pragma once
// One end-to-end scenario's desktop: a staged copy of the programs in a temporary folder, a private profile
// (so Main.ini is the scenario's own), the demo taskbar host, and Tessaline, each a process of its own. The
// destructor ends whatever is still running. Test thread only; waits pump this thread's messages, so windows
// and hooks of the test keep working while it waits.

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "WinTestSupport.h"
#include "base/Geometry.h"
#include "controls/Picture.h"

namespace tessaline::test {

struct TDesktopOptions {
    std::wstring Edge = L"bottom";   // bottom, left or top
    int Length = 1920;               // the taskbar's length, whatever the screen's size
    int Offset = 60;                 // where the band starts
    bool RealHelpers = false;        // our Tarnwick and Velmora instead of the logging stand-ins
    bool SilentTaskbarSide = false;  // the stand-in Tarnwick never announces itself
    RECT WorkArea{};                 // the session's work area while the scenario runs (empty: as it is)
    // Tessaline's windows left unmanaged by Wine's X11 driver. With no window manager on the display, Wine waits
    // two seconds for one to withdraw every managed window it hides (the menu becomes managed once it was active),
    // and the program answers nothing meanwhile; the scenarios that open and hide the menu many times skip that.
    bool UnmanagedWindows = false;
    // An installed copy of the programs to run as they are (the shipped program, its real helpers), instead of
    // the test build staged in a temporary folder; nothing is copied into it.
    std::wstring ProgramFolder;
    // More options for the taskbar host: "--band none", "--start-button", "--broadcast".
    std::wstring HostArguments;
    // How long the test build waits for a taskbar band that never comes (0: the program's own 30 s).
    unsigned NoBandMs = 0;
};

// A message the host's band received (the host logs every private message).
struct TBandMessage {
    UINT Message = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
};

class TDesktop {
  public:
    explicit TDesktop(TDesktopOptions options = {});
    TDesktop(const TDesktop&) = delete;
    TDesktop& operator=(const TDesktop&) = delete;
    ~TDesktop();

    // Main.ini in the scenario's data directory (it may not exist yet).
    std::wstring MainIni() const;
    std::wstring StageFolder() const { return stage_.Path(); }
    // Whether the stage holds the hot-corner helper the program will start (on 64-bit Windows the 64-bit one).
    bool HotCornerHelperStaged() const;
    std::wstring ProfileFolder() const { return profile_.Path(); }

    bool StartHost();
    // StartHost in two halves, for a benchmark that watches the new taskbar come: the process started, then the
    // wait until it is up and its taskbar is the one FindWindowW answers.
    bool LaunchHost();
    bool WaitHostUp();
    DWORD HostProcessId() const { return host_.dwProcessId; }
    // The taskbar goes away as Explorer's does when it crashes (its process killed) or quits (closed), and, when
    // `startAgain`, a new one comes: another process, another window, its "TaskbarCreated" broadcast.
    bool RestartHost(bool crash, bool startAgain = true);
    void SetHostArguments(std::wstring arguments) { options_.HostArguments = std::move(arguments); }
    // Starts Tessaline from the stage; with waitDocked, returns once its button is a child of the taskbar.
    bool StartTessaline(bool waitDocked = true, DWORD timeoutMs = 10000);
    // Starts another copy and returns its exit code (STILL_ACTIVE when it did not end in time).
    DWORD RunSecondTessaline(DWORD timeoutMs);
    // Exit code once Tessaline ended, STILL_ACTIVE when it did not in time.
    DWORD WaitTessalineExit(DWORD timeoutMs);
    DWORD TessalineProcessId() const { return tessaline_.dwProcessId; }
    // Ends Tessaline at once, as a crash or the task manager does: nothing of it runs its end.
    void KillTessaline();
    // Ends Tessaline the orderly way (WMQuitStartMenu) and waits for it, so that the scenario can start it again.
    void EndTessaline();
    // Starts another program of the programs' folder (the guide) as a user would, with the scenario's profile.
    bool StartProgram(const wchar_t* exeName, PROCESS_INFORMATION& process) {
        return Launch(ProgramFile(exeName), L"", process);
    }
    // Ends Tessaline and the host (as the destructor does), so the scenario can start them again.
    void EndAll();

    HWND Taskbar() const { return taskbar_; }
    HWND Band() const;
    HWND Button() const;
    // The taskbar's own Start button (the host's --start-button).
    HWND OwnStartButton() const;
    // The processor time Tessaline's running threads have used so far, in milliseconds.
    double TessalineCpuMs() const;
    HWND StartMenu() const;
    // Rectangles in the taskbar's client coordinates, where the band and the button live.
    TRect InTaskbar(HWND window) const;

    std::vector<std::wstring> HelperLog() const;
    int HelperLogCount(const std::wstring& line) const;
    std::vector<TBandMessage> BandMessages() const;
    // What the power menu asked of the system, one call a line (recorded, never done).
    std::vector<std::wstring> SessionLog() const;
    // What the search box handed to the shell, "verb<TAB>file<TAB>parameters" a line (and did).
    std::vector<std::wstring> LaunchLog() const;

  private:
    std::wstring ProgramFile(const wchar_t* name) const;
    bool Launch(const std::wstring& exe, const std::wstring& arguments, PROCESS_INFORMATION& process);
    void End(PROCESS_INFORMATION& process, DWORD timeoutMs);

    TDesktopOptions options_;
    TempFolder stage_;
    TempFolder profile_;
    std::wstring helperLog_;
    std::wstring bandLog_;
    std::wstring sessionLog_;
    std::wstring launchLog_;
    std::wstring environment_;  // the block the programs get: ours with the profile and the logs
    PROCESS_INFORMATION host_{};
    PROCESS_INFORMATION tessaline_{};
    HWND taskbar_ = nullptr;
    RECT savedWorkArea_{};
};

// The user's Programs folder (where the pins are) as the registry's shell folders name it, moved to an empty
// folder of the scenario's while this lives, and the prefix's own named again after: a scenario that needs no pins
// but its own needs no clean prefix. Made before the program starts, which reads the folder's place once.
class TScopedProgramsFolder {
  public:
    TScopedProgramsFolder();
    TScopedProgramsFolder(const TScopedProgramsFolder&) = delete;
    TScopedProgramsFolder& operator=(const TScopedProgramsFolder&) = delete;
    ~TScopedProgramsFolder();
    const std::wstring& Path() const { return path_; }

  private:
    TempFolder folder_;
    std::wstring path_;
    std::wstring savedUser_;   // the "User Shell Folders" value, REG_EXPAND_SZ
    std::wstring savedShell_;  // the "Shell Folders" value, REG_SZ
};

// The work area of the whole session, as a desktop publishes it: under Wine through the X root window's
// _NET_WORKAREA, which Wine reads again when the display settings are. True when the session sees it.
bool PublishWorkArea(const RECT& area);
// The session's work area as a process that has just read the display settings sees it.
RECT SessionWorkArea();

// Whether this runs under Wine (which lacks some of the shell, such as property sheets for programs).
bool RunningUnderWine();

// A window of this process a person works in (an edit box), brought to the front; null when it did not come
// there within three seconds. The caller destroys it.
HWND OpenWorkWindow();

// Pumps until `done` holds or the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);

// A message to a window of another process, bounded in time: 0 when it did not answer within `timeoutMs`.
LRESULT SendBounded(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, UINT timeoutMs = 5000);

// A key pressed and released through SendInput (it reaches the window with the keyboard focus).
void SendKey(WORD key);
// Characters typed through SendInput in one go, no pause between the keys; then Enter when asked.
void TypeText(const std::wstring& text, bool thenEnter = false);
// The real pointer moved to a point of the screen (SendInput), as a person moves the mouse.
void MoveMouseTo(POINT screen);
// A button of the real pointer pressed and released where it is (SendInput), or after moving it to `at`: the
// system activates, hit-tests and captures as it would for a person.
void Click(bool right = false);
void ClickAt(POINT at, bool right = false);

// How many processes of this executable name (no folder) run now.
int RunningProcesses(const wchar_t* exeName);

// Ends what the shell started for a scenario (command and explorer windows, editors, the control panel, help):
// the processes of those programs that were not running when this was made, and every new process that
// `launcher` (the program under test) started, with what they started in turn. At the latest when it goes: a
// program left running holds the test's output open and takes the foreground from the next scenario.
class TStartedProcesses {
  public:
    explicit TStartedProcesses(DWORD launcher = 0);
    TStartedProcesses(const TStartedProcesses&) = delete;
    TStartedProcesses& operator=(const TStartedProcesses&) = delete;
    ~TStartedProcesses() { EndThem(); }
    void EndThem();

  private:
    DWORD launcher_;
    std::set<DWORD> before_;
};

// Where a person clicks the docked button: its middle, a little down, on the taskbar itself below the part of it
// that stands out over the taskbar's edge.
POINT ButtonPoint(const TDesktop& desktop);

// "Customize User Interface" chosen as a person does: a right-click at `buttonPoint` on the docked button, then the
// menu's rows with the keys. The settings dialog (of `process`) once it shows; null when it did not.
HWND OpenSettingsDialog(HWND button, POINT buttonPoint, DWORD process);

// The texts of a tree view's top-level items, read through memory of the tree's own process.
std::vector<std::wstring> TreeTexts(HWND tree);
// The visible standard popup menu (#32768) of a thread, when one is open.
HWND OpenStandardMenu(DWORD thread);
// The visible top-level windows of a process with this class.
std::vector<HWND> VisibleWindowsOf(DWORD processId, const wchar_t* windowClass);
// The user picture the program's process shows, named by its window's text; empty when none is shown.
std::wstring ShownUserPicture(DWORD processId);

// The user's Programs folder (the shortcuts the menu lists), and a program of the system directory.
std::wstring ProgramsFolder();
std::wstring SystemProgram(const wchar_t* name);

// The docked button's centre pixel as 0xRRGGBB, printed over black in the button's own process by the demo's
// print_window tool into `png` (a device context does not cross processes); 0xFFFFFFFF when that failed.
uint32_t PrintedButtonCenter(const std::wstring& png);
// A picture's centre pixel as it looks over black (its pixels are premultiplied), as 0xRRGGBB.
uint32_t CenterOverBlack(const TPicture& picture);
// Two colours alike but for rounding: each channel within 3.
bool NearColour(uint32_t a, uint32_t b);

// Texts joined for a failure message.
std::string Narrow(const std::vector<std::wstring>& texts);

// A folder copied with everything in it, over what is there.
void CopyInto(const std::wstring& from, const std::wstring& to);
// Our environment with the given entries put in place of any we have, as a block for CreateProcessW.
std::wstring EnvironmentBlock(const std::vector<std::pair<std::wstring, std::wstring>>& overrides);

// A build output as a Windows path (the build tree is a Unix path; Wine's drive Z: is the Unix root).
std::wstring BuildPath(const std::wstring& relative);

}  // namespace tessaline::test
