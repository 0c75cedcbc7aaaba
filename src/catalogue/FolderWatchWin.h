#pragma once
// TFolderWatch: whether anything in one folder (and, when asked, in its sub-folders) may have changed since it was
// armed, by the system's change notification: an entry added, removed or renamed, a file written or resized, an
// attribute changed. What it cannot tell (a folder it could not watch, a notification it could not renew) counts as a
// change, so a caller keeping what it read of the folder reads it again then. User-interface thread.

#include <windows.h>

#include <string>

namespace tessaline {

class TFolderWatch {
  public:
    TFolderWatch() = default;
    TFolderWatch(const TFolderWatch&) = delete;
    TFolderWatch& operator=(const TFolderWatch&) = delete;
    ~TFolderWatch();

    // Starts, or renews, the watch on `folder`: changes from now on make Changed() true. Call it before reading the
    // folder, so that a change made while it is read shows at the next look. False when the folder cannot be
    // watched (it is not there, or the system refuses).
    bool Arm(const std::wstring& folder, bool subtree = false);
    // True when the folder may have changed since the last Arm, or when no watch is armed.
    bool Changed() const;
    // What becomes signalled on a change (INVALID_HANDLE_VALUE when nothing is watched), to wait on many at once.
    HANDLE Handle() const { return handle_; }

  private:
    void Close();

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::wstring folder_;
    bool subtree_ = false;
};

}  // namespace tessaline
