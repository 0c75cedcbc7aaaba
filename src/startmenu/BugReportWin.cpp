#include "startmenu/BugReportWin.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <exception>
#include <iterator>
#include <mutex>

#include "base/HandlesWin.h"
#include "base/Strings.h"
#include "base/Trace.h"
#include "base/WideText.h"
#include "settings/UserDataDir.h"

namespace tessaline {
namespace {

// The thread writing a report, and the helper thread that writes it for a stack overflow.
std::atomic<DWORD> g_reportingThread{0};
std::atomic<DWORD> g_helperThread{0};
std::terminate_handler g_previousTerminate = nullptr;

constexpr DWORD kHelperWaitMs = 30000;
// Stack Windows keeps back on the installing thread for handling an overflow there, so that the dispatch and
// this filter still have room (Wine 8 ignores it).
constexpr ULONG kOverflowReserveBytes = 64 * 1024;
constexpr SIZE_T kHelperStackBytes = 256 * 1024;

// Only one report at a time. A second crash on a thread that is already writing one (the handler itself
// failed) ends the process at once; another thread's crash waits for the report in progress.
class TReportGuard {
  public:
    explicit TReportGuard(UINT exitCodeIfNested) {
        const DWORD self = GetCurrentThreadId();
        DWORD expected = 0;
        while (!g_reportingThread.compare_exchange_strong(expected, self)) {
            if (expected == self || self == g_helperThread.load()) {
                TerminateProcess(GetCurrentProcess(), exitCodeIfNested);
            }
            expected = 0;
            Sleep(20);
        }
    }
    TReportGuard(const TReportGuard&) = delete;
    TReportGuard& operator=(const TReportGuard&) = delete;
    ~TReportGuard() { g_reportingThread.store(0); }
};

bool InStack(const TStackBounds& bounds, uintptr_t address, size_t size) {
    return address >= bounds.low && address <= bounds.high && bounds.high - address >= size;
}

TBugReport ReportHeader(DWORD threadId) {
    TBugReport report;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    report.year = now.wYear;
    report.month = now.wMonth;
    report.day = now.wDay;
    report.hour = now.wHour;
    report.minute = now.wMinute;
    report.second = now.wSecond;
    report.millisecond = now.wMilliseconds;
    wchar_t program[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameW(nullptr, program, static_cast<DWORD>(std::size(program)));
    report.program.assign(program, std::min<size_t>(length, std::size(program)));
    report.processId = GetCurrentProcessId();
    report.threadId = threadId;
    report.pointerBytes = static_cast<int>(sizeof(void*));
    return report;
}

void SaveReport(const TBugReport& report) {
    if (!AppendBugReportToFile(GetUserDataDir(), FormatBugReport(report))) {
        Trace(L"BugReport: could not append to ", GetUserDataDir(), kBugReportFileName);
    }
}

struct TCrash {
    const EXCEPTION_POINTERS* exception = nullptr;
    TStackBounds bounds;
    DWORD threadId = 0;
};

void ReportCrash(const TCrash& crash) noexcept {
    try {
        SaveReport(BugReportFromException(*crash.exception, crash.bounds, crash.threadId));
    } catch (...) {
        // Out of memory while crashing: no report, the program ends as it would have.
    }
}

DWORD WINAPI ReportCrashThread(void* parameter) {
    g_helperThread.store(GetCurrentThreadId());
    ReportCrash(*static_cast<const TCrash*>(parameter));
    return 0;
}

// What little stack an overflow leaves is not enough to format and write a report: a thread of its own does.
void ReportOnHelperThread(const TCrash& crash) {
    DWORD id = 0;
    const TUniqueHandle thread(
        CreateThread(nullptr, kHelperStackBytes, &ReportCrashThread, const_cast<TCrash*>(&crash), 0, &id));
    if (!thread) {
        return;
    }
    g_helperThread.store(id);
    // Bounded: a crash inside DllMain holds the loader lock, and the new thread cannot start without it.
    if (WaitForSingleObject(thread.get(), kHelperWaitMs) == WAIT_OBJECT_0) {
        g_helperThread.store(0);
    }
}

// libgcc raises a C++ throw as a structured exception ("GCC" in the code); one that gets here has no catch.
// Continuing it, as the C runtime's own filter does, lets std::terminate run and report it with its message.
bool IsGccThrow(const EXCEPTION_RECORD& record) {
    return (record.ExceptionCode & 0x20FFFFFF) == 0x20474343 && (record.ExceptionFlags & EXCEPTION_NONCONTINUABLE) == 0;
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
    if (exception == nullptr || exception->ExceptionRecord == nullptr || exception->ContextRecord == nullptr) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    if (IsGccThrow(*exception->ExceptionRecord)) {
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    const DWORD code = exception->ExceptionRecord->ExceptionCode;
    TReportGuard guard(code);
    const TCrash crash{exception, StackBoundsFrom(StackPointerOf(*exception->ContextRecord)), GetCurrentThreadId()};
    if (code == EXCEPTION_STACK_OVERFLOW) {
        ReportOnHelperThread(crash);
    } else {
        ReportCrash(crash);
    }
    // Windows' own error reporting still ends the process.
    return EXCEPTION_CONTINUE_SEARCH;
}

std::wstring DescribeCurrentException() {
    const std::exception_ptr current = std::current_exception();
    if (!current) {
        return L"std::terminate called without an active exception";
    }
    try {
        std::rethrow_exception(current);
    } catch (const std::exception& e) {
        return L"unhandled C++ exception: " + Utf8ToWide(e.what());
    } catch (...) {
        // Not a std::exception: the report says so below.
    }
    return L"unhandled C++ exception of an unknown type";
}

[[noreturn]] void OnTerminate() {
    {
        TReportGuard guard(3);
        try {
            TBugReport report = ReportHeader(GetCurrentThreadId());
            report.hasExceptionCode = false;
            report.message = DescribeCurrentException();
            CONTEXT context{};
            RtlCaptureContext(&context);
            report.frames = WalkStack(context, StackBoundsFrom(StackPointerOf(context)));
            SaveReport(report);
        } catch (...) {
            // As in the structured-exception path: no report.
        }
    }
    if (g_previousTerminate != nullptr) {
        g_previousTerminate();
    }
    std::abort();
}

}  // namespace

TStackBounds StackBoundsFrom(uintptr_t stackPointer) {
    ULONG_PTR low = 0;
    ULONG_PTR high = 0;
    GetCurrentThreadStackLimits(&low, &high);
    if (stackPointer < low || stackPointer >= high) {
        return {};  // not on this thread's stack: walk nothing
    }
    return {stackPointer, high};
}

uintptr_t StackPointerOf(const CONTEXT& context) {
#if defined(__x86_64__) || defined(_M_X64)
    return context.Rsp;
#elif defined(__i386__) || defined(_M_IX86)
    return context.Esp;
#else
    (void)context;
    return 0;
#endif
}

TCodeLocation LocateCode(uint64_t address) {
    TCodeLocation location;
    location.address = address;
    HMODULE module = nullptr;
    const auto* where = reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(address));
    if (address == 0 ||
        !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            where, &module)) {
        return location;
    }
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameW(module, path, static_cast<DWORD>(std::size(path)));
    if (length == 0 || length >= std::size(path)) {
        return location;
    }
    location.module = ExtractFileName(std::wstring_view(path, length));
    location.moduleBase = reinterpret_cast<uintptr_t>(module);  // a module's handle is its base address
    return location;
}

std::vector<TCodeLocation> WalkStack(const CONTEXT& context, const TStackBounds& bounds) {
    std::vector<TCodeLocation> frames;
    frames.reserve(kMaxStackFrames);
#if defined(__x86_64__) || defined(_M_X64)
    CONTEXT walk = context;  // RtlVirtualUnwind moves it frame by frame
    while (frames.size() < kMaxStackFrames) {
        frames.push_back(LocateCode(walk.Rip));
        const DWORD64 stackPointer = walk.Rsp;
        if (!InStack(bounds, stackPointer, sizeof(DWORD64))) {
            break;
        }
        DWORD64 imageBase = 0;
        if (PRUNTIME_FUNCTION function = RtlLookupFunctionEntry(walk.Rip, &imageBase, nullptr)) {
            void* handlerData = nullptr;
            DWORD64 establisherFrame = 0;
            RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, walk.Rip, function, &walk, &handlerData, &establisherFrame,
                             nullptr);
        } else {
            // A leaf function (or a call through a bad pointer) keeps its return address at the top of the stack.
            walk.Rip = *reinterpret_cast<const DWORD64*>(stackPointer);
            walk.Rsp = stackPointer + sizeof(DWORD64);
        }
        // Each frame lies above the last; anything else is a corrupt stack.
        if (walk.Rip == 0 || walk.Rsp <= stackPointer || walk.Rsp > bounds.high) {
            break;
        }
    }
#elif defined(__i386__) || defined(_M_IX86)
    // Frames linked by EBP; a function built without a frame pointer hides itself, but not its callers.
    frames.push_back(LocateCode(context.Eip));
    uintptr_t frame = context.Ebp;
    while (frames.size() < kMaxStackFrames && frame % sizeof(uintptr_t) == 0 &&
           InStack(bounds, frame, 2 * sizeof(uintptr_t))) {
        const auto* words = reinterpret_cast<const uintptr_t*>(frame);
        const uintptr_t next = words[0];
        const uintptr_t returnAddress = words[1];
        if (returnAddress == 0) {
            break;
        }
        frames.push_back(LocateCode(returnAddress));
        if (next <= frame) {
            break;
        }
        frame = next;
    }
#else
    (void)bounds;
    frames.push_back(LocateCode(0));
    (void)context;
#endif
    return frames;
}

TBugReport BugReportFromException(const EXCEPTION_POINTERS& exception, const TStackBounds& bounds, DWORD threadId) {
    TBugReport report = ReportHeader(threadId);
    const EXCEPTION_RECORD& record = *exception.ExceptionRecord;
    report.exceptionCode = record.ExceptionCode;
    report.location = LocateCode(reinterpret_cast<uintptr_t>(record.ExceptionAddress));
    const bool hasAccess =
        record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION || record.ExceptionCode == EXCEPTION_IN_PAGE_ERROR;
    if (hasAccess && record.NumberParameters >= 2) {
        report.access = MemoryAccessFromParameter(record.ExceptionInformation[0]);
        report.accessAddress = record.ExceptionInformation[1];
    }
    if (exception.ContextRecord != nullptr) {
        report.frames = WalkStack(*exception.ContextRecord, bounds);
    }
    return report;
}

void InstallCrashReporter() {
    static std::once_flag once;
    std::call_once(once, [] {
        ULONG reserve = kOverflowReserveBytes;
        if (!SetThreadStackGuarantee(&reserve)) {
            Trace(L"BugReport: SetThreadStackGuarantee failed: ", GetLastError());
        }
        SetUnhandledExceptionFilter(&OnUnhandledException);
        g_previousTerminate = std::set_terminate(&OnTerminate);
    });
}

}  // namespace tessaline
