// Asks the display settings to be read again, then prints the session's work area ("left top right bottom").
// Under Wine a process takes in a changed X work area (_NET_WORKAREA) the first time it does so, which is why
// the end-to-end tests run this small program after publishing one. Exit code 0 when the work area is the one
// given on the command line (or none was given).
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    std::printf("%ld %ld %ld %ld\n", work.left, work.top, work.right, work.bottom);
    if (argc == 5) {
        const RECT wanted{wcstol(argv[1], nullptr, 10), wcstol(argv[2], nullptr, 10), wcstol(argv[3], nullptr, 10),
                          wcstol(argv[4], nullptr, 10)};
        return EqualRect(&work, &wanted) ? 0 : 1;
    }
    return 0;
}
