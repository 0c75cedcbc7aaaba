#include "system/ShellStartObserver.h"

#include <utility>

namespace tessaline {
namespace {

TShellStartObserver& Observer() {
    static TShellStartObserver observer;
    return observer;
}

}  // namespace

TShellStartObserver SetShellStartObserverForTest(TShellStartObserver observer) {
    return std::exchange(Observer(), std::move(observer));
}

void NotifyShellStart(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters) {
    if (const TShellStartObserver& observer = Observer()) {
        observer(verb, file, parameters);
    }
}

}  // namespace tessaline
