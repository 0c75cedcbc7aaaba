#pragma once
// Who is told of every start the search box and the right-hand links make (shell starts and, with an empty verb,
// command lines), before it is made. The program itself installs no one;
// a test build of it installs an observer before its windows exist. User-interface thread.

#include <functional>
#include <string>

namespace tessaline {

using TShellStartObserver =
    std::function<void(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters)>;

// Returns the previous observer; an empty one removes it.
TShellStartObserver SetShellStartObserverForTest(TShellStartObserver observer);
void NotifyShellStart(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters);

}  // namespace tessaline
