#pragma once
// Who is told of every start the start menu makes (shell starts with their verb, an empty verb for the default
// one, and command lines), before it is made: the search box, the right-hand links, the panes and the shell
// services they use. The program itself installs no one; a test build of it installs an observer before its
// windows exist. User-interface thread.

#include <functional>
#include <string>

namespace tessaline {

using TShellStartObserver =
    std::function<void(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters)>;

// Returns the previous observer; an empty one removes it.
TShellStartObserver SetShellStartObserverForTest(TShellStartObserver observer);
void NotifyShellStart(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters);

}  // namespace tessaline
