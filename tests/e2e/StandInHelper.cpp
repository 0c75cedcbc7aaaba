// A stand-in for the helper programs in the end-to-end tests: it writes its file name and command line to the
// log named by TESSALINE_HELPER_LOG and, as Tarnwick.exe "/loaddll", announces the taskbar side to the start-menu
// window the way the real one does once it is in place. TESSALINE_STANDIN_SILENT=1 keeps it from answering.

#include <windows.h>

#include <string>

#include "system/HelperProtocol.h"

using namespace tessaline;

namespace {

std::wstring Environment(const wchar_t* name) {
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

std::wstring FileNameOfThisProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text(path);
    const size_t slash = text.find_last_of(L"\\/");
    return slash == std::wstring::npos ? text : text.substr(slash + 1);
}

void AppendToLog(const std::wstring& line) {
    const std::wstring log = Environment(L"TESSALINE_HELPER_LOG");
    if (log.empty()) {
        return;
    }
    // Several stand-ins may write at once: retry while another one has the file open.
    for (int attempt = 0; attempt < 50; ++attempt) {
        HANDLE file =
            CreateFileW(log.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            const std::wstring text = line + L"\r\n";
            const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                                 nullptr, nullptr);
            std::string bytes(static_cast<size_t>(size), '\0');
            WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                                nullptr);
            DWORD written = 0;
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            CloseHandle(file);
            return;
        }
        Sleep(20);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    const std::wstring name = FileNameOfThisProgram();
    const std::wstring parameters = commandLine != nullptr ? commandLine : L"";
    AppendToLog(name + L" " + parameters);
    if (CompareStringOrdinal(name.c_str(), -1, kTaskbarHelperExe, -1, TRUE) == CSTR_EQUAL &&
        parameters.find(kLoadDllParameter) != std::wstring::npos && Environment(L"TESSALINE_STANDIN_SILENT") != L"1") {
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (HWND startMenu = FindWindowW(kStartMenuFormClass, kStartMenuFormCaption)) {
                PostMessageW(startMenu, WMStartMenuLoaded, 0, 0);
                return 0;
            }
            Sleep(50);
        }
        return 1;
    }
    return 0;
}
