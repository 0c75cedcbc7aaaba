#include "catalogue/FolderWatchWin.h"

#include "base/Trace.h"

namespace tessaline {
namespace {

constexpr DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                  FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
                                  FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_CREATION;

}  // namespace

TFolderWatch::~TFolderWatch() {
    Close();
}

void TFolderWatch::Close() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        FindCloseChangeNotification(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    folder_.clear();
}

bool TFolderWatch::Arm(const std::wstring& folder, bool subtree) {
    if (handle_ != INVALID_HANDLE_VALUE && folder == folder_ && subtree == subtree_) {
        // Renewed only once it has fired: a waiting notification still reports every change to come.
        if (WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT || FindNextChangeNotification(handle_)) {
            return true;
        }
        Trace(L"FolderWatch: FindNextChangeNotification failed: ", GetLastError());
    }
    Close();
    if (folder.empty()) {
        return false;
    }
    handle_ = FindFirstChangeNotificationW(folder.c_str(), subtree ? TRUE : FALSE, kWatchedChanges);
    if (handle_ == INVALID_HANDLE_VALUE) {
        return false;  // not there, or not to be watched: every look reads it again
    }
    folder_ = folder;
    subtree_ = subtree;
    return true;
}

bool TFolderWatch::Changed() const {
    return handle_ == INVALID_HANDLE_VALUE || WaitForSingleObject(handle_, 0) != WAIT_TIMEOUT;
}

}  // namespace tessaline
