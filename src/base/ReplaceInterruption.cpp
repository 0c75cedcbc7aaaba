#include <mutex>

#include "base/FileSystem.h"

namespace tessaline {
namespace {

std::mutex g_hookMutex;
std::function<bool(TReplaceStep, const std::wstring&)> g_replaceHook;

}  // namespace

void SetReplaceInterruptionForTest(std::function<bool(TReplaceStep, const std::wstring&)> hook) {
    std::lock_guard lock(g_hookMutex);
    g_replaceHook = std::move(hook);
}

bool ReplaceMayProceed(TReplaceStep step, const std::wstring& tempPath) {
    std::lock_guard lock(g_hookMutex);
    return !g_replaceHook || g_replaceHook(step, tempPath);
}

}  // namespace tessaline
