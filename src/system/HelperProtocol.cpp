#include "system/HelperProtocol.h"

#include "base/Strings.h"

namespace tessaline {

TWindowMessage TaskbarAttachMessage(bool attached) {
    return {WMTaskbarAttach, attached ? 1u : 0u, 0};
}

TWindowMessage ExplorerAliveMessage(int explorerCount) {
    return {WMExplorerAlive, 0, explorerCount};
}

TWindowMessage SetHotCornersMessage(bool deactivate) {
    return {WMSetHotCorners, 0, deactivate ? 1 : 0};
}

TWindowMessage SetHotSidebarMessage(bool deactivate) {
    return {WMSetHotSidebar, 0, deactivate ? 1 : 0};
}

TWindowMessage HookHotCornersMessage() {
    return {WMHookHotCorners, 0, kHookHotCornersArm};
}

THelperLaunch LoadDllLaunch() {
    return {kTaskbarHelperExe, kLoadDllParameter};
}

THelperLaunch RestartLaunch() {
    return {kTaskbarHelperExe, kRestartParameter};
}

THelperLaunch HotCornersLaunch(bool bit64windows) {
    return {bit64windows ? kHotCornerHelper64Exe : kHotCornerHelper32Exe, kHotCornersParameter};
}

bool IsHelperParameter(std::wstring_view commandLine, std::wstring_view parameter) {
    return UpperAZ(TrimView(commandLine)) == UpperAZ(parameter);
}

std::wstring HelperPath(std::wstring_view programDirectory, const THelperLaunch& launch) {
    std::wstring path(programDirectory);
    if (!path.empty() && !IsPathDelimiter(path.back())) {
        path += L'\\';
    }
    return path + launch.File;
}

std::vector<std::wstring> HelperProcessNames() {
    return {kHotCornerHelper32Exe, kHotCornerHelper64Exe};
}

bool ProcessNameMatches(std::wstring_view exeFile, std::wstring_view name) {
    const std::wstring wanted = UpperAZ(name);
    return UpperAZ(ExtractFileName(exeFile)) == wanted || UpperAZ(exeFile) == wanted;
}

std::vector<uint32_t> ProcessesToEnd(const std::vector<TProcessEntry>& snapshot,
                                     std::wstring_view name,
                                     uint32_t ownProcessId) {
    std::vector<uint32_t> ids;
    for (const TProcessEntry& entry : snapshot) {
        if (entry.ProcessId != ownProcessId && ProcessNameMatches(entry.ExeFile, name)) {
            ids.push_back(entry.ProcessId);
        }
    }
    return ids;
}

}  // namespace tessaline
