
#include <windows.h>

#include <atomic>
#include <string_view>

#include "base/FileSystem.h"
#include "base/HandlesWin.h"
#include "base/SaveTemporary.h"
#include "base/Strings.h"
#include "base/Trace.h"

namespace tessaline {
namespace {

struct FileHandle {
    HANDLE handle = INVALID_HANDLE_VALUE;
    explicit FileHandle(HANDLE h) : handle(h) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }
    bool Valid() const { return handle != INVALID_HANDLE_VALUE; }
    bool Close() {
        if (!Valid()) {
            return true;
        }
        const BOOL ok = CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        return ok != FALSE;
    }
};

}  // namespace

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateDirectoryTree(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    const std::wstring folder = ExcludeTrailingDelimiter(path);
    if (DirectoryExists(folder)) {
        return true;
    }
    const std::wstring parent = ExtractFileDir(folder);
    if (!parent.empty() && parent != folder && !DirectoryExists(parent)) {
        CreateDirectoryTree(parent);
    }
    return CreateDirectoryW(folder.c_str(), nullptr) != FALSE || DirectoryExists(folder);
}

bool IsReadOnlyFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool ClearFileAttributes(const std::wstring& path) {
    return SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL) != FALSE;
}

FileReadResult ReadFileBytes(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileReadResult::Missing
                                                                              : FileReadResult::Failed;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.handle, &size) || size.QuadPart > 0x7FFFFFFF) {
        return FileReadResult::Failed;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr)) {
            bytes.clear();
            return FileReadResult::Failed;
        }
        if (read == 0) {
            break;
        }
        done += read;
    }
    bytes.resize(done);
    return FileReadResult::Ok;
}

namespace {

bool WriteAll(HANDLE file, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr) ||
            written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// Another program that holds the file open without delete sharing (a virus scanner, an editor, a backup) refuses
// the rename only while it has it open.
bool RenameRefusedForAWhile(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

constexpr DWORD kRenameRetryMs = 1000;
constexpr DWORD kRenameRetryPauseMs = 50;

bool RenameOver(const std::wstring& temp, const std::wstring& path) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = GetLastError();
        // A folder where the file should be, or a read-only file, refuses the same way, and for good.
        if (!RenameRefusedForAWhile(error) || DirectoryExists(path) || IsReadOnlyFile(path) ||
            GetTickCount() - start >= kRenameRetryMs) {
            Trace(L"ReplaceFileAtomically: MoveFileExW failed: ", path, L" ", error);
            return false;
        }
        Sleep(kRenameRetryPauseMs);
    }
}

}  // namespace

bool ReplaceFileAtomically(const std::wstring& path, const std::string& bytes) {
    static std::atomic<unsigned> counter{0};
    const std::wstring temp = SaveTemporaryPath(path, CurrentProcessId(), counter++);
    bool ok = false;
    {
        FileHandle file(
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            Trace(L"ReplaceFileAtomically: CreateFileW failed: ", temp, L" ", GetLastError());
            return false;
        }
        // An interrupted save leaves its temporary file behind, as a crash would.
        const std::string_view all(bytes);
        if (!ReplaceMayProceed(TReplaceStep::Created, temp)) {
            return false;
        }
        ok = WriteAll(file.handle, all.substr(0, all.size() / 2));
        if (ok && !ReplaceMayProceed(TReplaceStep::HalfWritten, temp)) {
            return false;
        }
        ok = ok && WriteAll(file.handle, all.substr(all.size() / 2)) && FlushFileBuffers(file.handle) != FALSE;
        ok = file.Close() && ok;
    }
    if (ok && !ReplaceMayProceed(TReplaceStep::Complete, temp)) {
        return false;
    }
    if (ok && RenameOver(temp, path)) {
        return true;
    }
    DeleteFileW(temp.c_str());
    return false;
}

bool DeleteFileAt(const std::wstring& path) {
    return DeleteFileW(path.c_str()) != FALSE;
}

uint32_t CurrentProcessId() {
    return GetCurrentProcessId();
}

bool ProcessIsRunning(uint32_t processId) {
    const TUniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

std::vector<std::wstring> ListFolder(const std::wstring& folder, const std::wstring& mask) {
    std::vector<std::wstring> names;
    const std::wstring pattern = (folder.empty() ? std::wstring() : ExcludeTrailingDelimiter(folder) + L"\\") + mask;
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(name);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

std::wstring GetEnvironmentText(const std::wstring& name, bool* defined) {
    SetLastError(ERROR_SUCCESS);
    DWORD needed = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (needed == 0) {
        if (defined != nullptr) {
            // An empty variable answers 0 with no error; an unset one with ERROR_ENVVAR_NOT_FOUND.
            *defined = GetLastError() != ERROR_ENVVAR_NOT_FOUND;
        }
        return {};
    }
    std::wstring value(needed, L'\0');
    const DWORD length = GetEnvironmentVariableW(name.c_str(), value.data(), needed);
    value.resize(length < needed ? length : 0);
    if (defined != nullptr) {
        *defined = true;
    }
    return value;
}

std::wstring GetProgramDirectory() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    return ExtractFileDir(buffer) + L"\\";
}

}  // namespace tessaline
