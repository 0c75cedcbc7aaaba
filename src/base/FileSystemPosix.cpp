#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>

#include "base/FileSystem.h"
#include "base/SaveTemporary.h"
#include "base/Strings.h"
#include "base/WideText.h"

namespace tessaline {
namespace {

std::string NativePath(const std::wstring& path) {
    std::wstring p = path;
    for (auto& c : p) {
        if (c == L'\\') {
            c = L'/';
        }
    }
    return WideToUtf8(p);
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool FileExists(const std::wstring& path) {
    struct stat st {};
    return ::stat(NativePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::wstring& path) {
    struct stat st {};
    return !path.empty() && ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDirectoryTree(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    if (DirectoryExists(path)) {
        return true;
    }
    const std::wstring parent = ExtractFileDir(ExcludeTrailingDelimiter(path));
    if (!parent.empty() && parent != path && !DirectoryExists(parent)) {
        CreateDirectoryTree(parent);
    }
    return ::mkdir(NativePath(path).c_str(), 0777) == 0 || DirectoryExists(path);
}

bool IsReadOnlyFile(const std::wstring& path) {
    struct stat st {};
    return ::stat(NativePath(path).c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0;
}

bool ClearFileAttributes(const std::wstring& path) {
    struct stat st {};
    const std::string p = NativePath(path);
    return ::stat(p.c_str(), &st) == 0 && ::chmod(p.c_str(), (st.st_mode & 07777) | S_IWUSR | S_IRUSR) == 0;
}

FileReadResult ReadFileBytes(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    const std::string p = NativePath(path);
    const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT || errno == ENOTDIR ? FileReadResult::Missing : FileReadResult::Failed;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return FileReadResult::Failed;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            bytes.clear();
            return FileReadResult::Failed;
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return FileReadResult::Ok;
}

bool ReplaceFileAtomically(const std::wstring& path, const std::string& bytes) {
    static std::atomic<unsigned> counter{0};
    const std::wstring temp = SaveTemporaryPath(path, CurrentProcessId(), counter++);
    const std::string tempNative = NativePath(temp);
    const int fd = ::open(tempNative.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    // An interrupted save leaves its temporary file behind, as a crash would.
    const size_t half = bytes.size() / 2;
    if (!ReplaceMayProceed(TReplaceStep::Created, temp)) {
        ::close(fd);
        return false;
    }
    bool written = WriteAll(fd, bytes.substr(0, half));
    if (written && !ReplaceMayProceed(TReplaceStep::HalfWritten, temp)) {
        ::close(fd);
        return false;
    }
    written = written && WriteAll(fd, bytes.substr(half)) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    const bool proceed = written && closed;
    if (proceed && !ReplaceMayProceed(TReplaceStep::Complete, temp)) {
        return false;
    }
    if (proceed && ::rename(tempNative.c_str(), NativePath(path).c_str()) == 0) {
        return true;
    }
    ::unlink(tempNative.c_str());
    return false;
}

bool DeleteFileAt(const std::wstring& path) {
    return ::unlink(NativePath(path).c_str()) == 0;
}

uint32_t CurrentProcessId() {
    return static_cast<uint32_t>(::getpid());
}

bool ProcessIsRunning(uint32_t processId) {
    return processId != 0 && (::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM);
}

std::vector<std::wstring> ListFolder(const std::wstring& folder, const std::wstring& mask) {
    std::vector<std::wstring> names;
    DIR* dir = ::opendir(NativePath(folder.empty() ? L"." : folder).c_str());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::wstring name = Utf8ToWide(entry->d_name);
        if (name != L"." && name != L".." && MatchesMask(name, mask)) {
            names.push_back(name);
        }
    }
    ::closedir(dir);
    return names;
}

std::wstring GetEnvironmentText(const std::wstring& name, bool* defined) {
    const char* value = std::getenv(WideToUtf8(name).c_str());
    if (defined != nullptr) {
        *defined = value != nullptr;
    }
    return value != nullptr ? Utf8ToWide(value) : std::wstring();
}

std::wstring GetProgramDirectory() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return L"./";
    }
    std::wstring exe = Utf8ToWide(std::string_view(buffer, static_cast<size_t>(n)));
    return ExtractFileDir(exe) + L"/";
}

}  // namespace tessaline
