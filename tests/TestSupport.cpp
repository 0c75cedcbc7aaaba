#include "TestSupport.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "base/FileSystem.h"
#include "base/WideText.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tessaline::test {
namespace {

std::filesystem::path FsPath(const std::wstring& path) {
#ifdef _WIN32
    return std::filesystem::path(path);
#else
    std::wstring p = path;
    for (auto& c : p) {
        if (c == L'\\') {
            c = L'/';
        }
    }
    return std::filesystem::path(WideToUtf8(p));
#endif
}

std::wstring FromFsPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return path.wstring();
#else
    return Utf8ToWide(path.string());
#endif
}

}  // namespace

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
#ifdef _WIN32
    const unsigned long pid = GetCurrentProcessId();
#else
    const unsigned long pid = static_cast<unsigned long>(::getpid());
#endif
    std::ostringstream name;
    name << "tessaline-test-" << pid << "-" << stamp << "-" << counter++;
    const auto folder = std::filesystem::temp_directory_path() / name.str();
    std::filesystem::create_directories(folder);
    path_ = FromFsPath(folder);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Read-only files would stop the removal on Windows.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(FsPath(path_), ignored)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(FsPath(path_), ignored);
}

IdleProcess::IdleProcess() {
#ifdef _WIN32
    wchar_t exe[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH * 2);
    std::wstring commandLine = L"\"" + std::wstring(exe) + L"\" --gtest_list_tests";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        handle_ = process.hProcess;
        id_ = process.dwProcessId;
    }
#else
    const pid_t child = ::fork();
    if (child == 0) {
        for (;;) {
            ::pause();
        }
    }
    id_ = child > 0 ? static_cast<uint32_t>(child) : 0;
#endif
}

void IdleProcess::End() {
    if (id_ == 0) {
        return;
    }
#ifdef _WIN32
    TerminateProcess(handle_, 1);
    WaitForSingleObject(handle_, 10000);
    CloseHandle(handle_);
    handle_ = nullptr;
#else
    ::kill(static_cast<pid_t>(id_), SIGKILL);
    ::waitpid(static_cast<pid_t>(id_), nullptr, 0);
#endif
    id_ = 0;
}

std::wstring TempFolder::File(const std::wstring& name) const {
    return path_ + L"\\" + name;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::filesystem::create_directories(FsPath(path).parent_path());
    std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::wstring& path) {
    std::error_code ignored;
    return std::filesystem::exists(FsPath(path), ignored);
}

std::string AwaitFile(const std::wstring& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (Exists(path)) {
            const std::string bytes = ReadBytes(path);
            if (bytes.find('\n') != std::string::npos) {
                return bytes;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

int CountFiles(const std::wstring& folder, const std::wstring& suffix) {
    int count = 0;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(FsPath(folder), ignored)) {
        const std::wstring name = FromFsPath(entry.path().filename());
        if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            ++count;
        }
    }
    return count;
}

void MakeReadOnly(const std::wstring& path) {
    std::filesystem::permissions(FsPath(path),
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
}

std::wstring SourcePath(const std::wstring& relative) {
    std::wstring root = Utf8ToWide(TESSALINE_SOURCE_DIR);
#ifdef _WIN32
    // The source tree is a Unix path; Wine's drive Z: is the Unix root.
    if (!root.empty() && root.front() == L'/') {
        root = L"Z:" + root;
    }
    for (auto& c : root) {
        if (c == L'/') {
            c = L'\\';
        }
    }
#endif
    return root + L"\\" + relative;
}

namespace {

void SetEnv(const std::wstring& name, const wchar_t* value) {
#ifdef _WIN32
    SetEnvironmentVariableW(name.c_str(), value);
#else
    if (value == nullptr) {
        ::unsetenv(WideToUtf8(name).c_str());
    } else {
        ::setenv(WideToUtf8(name).c_str(), WideToUtf8(value).c_str(), 1);
    }
#endif
}

}  // namespace

ScopedEnv::ScopedEnv(const std::wstring& name, const wchar_t* value) : name_(name) {
    old_ = GetEnvironmentText(name, &hadOld_);
    SetEnv(name, value);
}

ScopedEnv::~ScopedEnv() {
    SetEnv(name_, hadOld_ ? old_.c_str() : nullptr);
}

std::string Utf16LeWithBom(const std::wstring& text) {
    return "\xFF\xFE" + WideToUtf16Le(text);
}

}  // namespace tessaline::test
