#include "helpers/taskbar/TarnwickPlacement.h"

#include "base/Strings.h"
#include "system/HelperProtocol.h"

namespace tessaline {
namespace {

std::wstring WithDelimiter(std::wstring_view folder) {
    std::wstring path(folder);
    if (!path.empty() && !IsPathDelimiter(path.back())) {
        path += L'\\';
    }
    return path;
}

// One unsigned decimal number starting at `pos`; advances past it.
std::optional<uint32_t> TakeNumber(std::string_view text, size_t& pos) {
    uint64_t value = 0;
    const size_t start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + static_cast<uint64_t>(text[pos] - '0');
        if (value > UINT32_MAX) {
            return std::nullopt;
        }
        ++pos;
    }
    if (pos == start) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

void SkipBlanks(std::string_view text, size_t& pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
}

}  // namespace

TTarnwickCommand ParseTarnwickCommand(std::wstring_view parameters) {
    if (IsHelperParameter(parameters, kLoadDllParameter)) {
        return TTarnwickCommand::LoadDll;
    }
    if (IsHelperParameter(parameters, kRestartParameter)) {
        return TTarnwickCommand::Restart;
    }
    if (IsHelperParameter(parameters, kQuitParameter)) {
        return TTarnwickCommand::Quit;
    }
    return TTarnwickCommand::Unknown;
}

std::wstring HookDllName(bool bit64) {
    return bit64 ? L"TarnwickHook64.dll" : L"TarnwickHook32.dll";
}

TPlacementPlan PlanPlacement(bool self64,
                             bool taskbar64,
                             std::wstring_view programDirectory,
                             std::wstring_view windowsDirectory,
                             uint32_t taskbarHandle,
                             uint32_t generation) {
    TPlacementPlan plan;
    plan.DllPath = WithDelimiter(programDirectory) + HookDllName(taskbar64);
    if (self64 == taskbar64) {
        return plan;
    }
    plan.InProcess = false;
    plan.Rundll32 = WithDelimiter(windowsDirectory) + (taskbar64 ? L"Sysnative" : L"SysWOW64") + L"\\rundll32.exe";
    const std::string_view entry = kPlaceRundllExport;
    plan.Rundll32Parameters = L"\"" + plan.DllPath + L"\"," + std::wstring(entry.begin(), entry.end()) + L" " +
                              IntToText(taskbarHandle) + L" " + IntToText(generation);
    return plan;
}

std::optional<TRundllArguments> ParseRundllArguments(std::string_view commandLine) {
    size_t pos = 0;
    SkipBlanks(commandLine, pos);
    const auto taskbar = TakeNumber(commandLine, pos);
    if (!taskbar || pos >= commandLine.size() || (commandLine[pos] != ' ' && commandLine[pos] != '\t')) {
        return std::nullopt;
    }
    SkipBlanks(commandLine, pos);
    const auto generation = TakeNumber(commandLine, pos);
    SkipBlanks(commandLine, pos);
    if (!generation || pos != commandLine.size() || *taskbar == 0 || *generation == 0) {
        return std::nullopt;
    }
    return TRundllArguments{*taskbar, *generation};
}

uint32_t PlacementGeneration(uint32_t tickCount, uint32_t processId) {
    const uint32_t mixed = (tickCount ^ (processId << 12) ^ (processId >> 20)) & 0x7FFFFFFFu;
    return mixed != 0 ? mixed : 1;
}

}  // namespace tessaline
