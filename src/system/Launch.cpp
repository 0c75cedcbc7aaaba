#include "system/Launch.h"

namespace tessaline {
namespace {

// The values of <winerror.h> and <shellapi.h> this file needs; it compiles without either.
constexpr std::uintptr_t kOutOfMemory = 0;
constexpr std::uintptr_t kFileNotFound = 2;            // ERROR_FILE_NOT_FOUND, SE_ERR_FNF
constexpr std::uintptr_t kPathNotFound = 3;            // ERROR_PATH_NOT_FOUND, SE_ERR_PNF
constexpr std::uintptr_t kAccessDenied = 5;            // ERROR_ACCESS_DENIED, SE_ERR_ACCESSDENIED
constexpr std::uintptr_t kNotEnoughMemory = 8;         // ERROR_NOT_ENOUGH_MEMORY, SE_ERR_OOM
constexpr std::uintptr_t kBadFormat = 11;              // ERROR_BAD_FORMAT
constexpr std::uintptr_t kAssociationIncomplete = 27;  // SE_ERR_ASSOCINCOMPLETE
constexpr std::uintptr_t kNoAssociation = 31;          // SE_ERR_NOASSOC
constexpr std::uint32_t kCancelled = 1223;             // ERROR_CANCELLED
constexpr std::uint32_t kNoAssociationError = 1155;    // ERROR_NO_ASSOCIATION
constexpr std::uint32_t kBadExeFormat = 193;           // ERROR_BAD_EXE_FORMAT

TLaunchOutcome OutcomeOfCode(std::uintptr_t code) {
    switch (code) {
        case kOutOfMemory:
        case kNotEnoughMemory:
            return TLaunchOutcome::OutOfResources;
        case kFileNotFound:
            return TLaunchOutcome::FileNotFound;
        case kPathNotFound:
            return TLaunchOutcome::PathNotFound;
        case kAccessDenied:
            return TLaunchOutcome::AccessDenied;
        case kBadFormat:
            return TLaunchOutcome::BadFormat;
        case kAssociationIncomplete:
        case kNoAssociation:
            return TLaunchOutcome::NoAssociation;
        default:
            return TLaunchOutcome::Failed;
    }
}

}  // namespace

TLaunchResult ShellExecuteResult(std::uintptr_t code) {
    return {code > 32 ? TLaunchOutcome::Started : OutcomeOfCode(code), code};
}

TLaunchResult WinExecResult(std::uintptr_t code) {
    return {code > 31 ? TLaunchOutcome::Started : OutcomeOfCode(code), code};
}

TLaunchResult ShellExecuteExResult(bool succeeded, std::uint32_t lastError) {
    if (succeeded) {
        return {TLaunchOutcome::Started, 0};
    }
    switch (lastError) {
        case kCancelled:
            return {TLaunchOutcome::Cancelled, lastError};
        case kNoAssociationError:
            return {TLaunchOutcome::NoAssociation, lastError};
        case kBadExeFormat:
            return {TLaunchOutcome::BadFormat, lastError};
        case 0:
            return {TLaunchOutcome::Failed, lastError};  // 0 is a success code, not a reason to be read as one
        default:
            return {OutcomeOfCode(lastError), lastError};
    }
}

const wchar_t* LaunchOutcomeName(TLaunchOutcome outcome) {
    switch (outcome) {
        case TLaunchOutcome::Started:
            return L"started";
        case TLaunchOutcome::FileNotFound:
            return L"file not found";
        case TLaunchOutcome::PathNotFound:
            return L"path not found";
        case TLaunchOutcome::AccessDenied:
            return L"access denied";
        case TLaunchOutcome::NoAssociation:
            return L"no associated program";
        case TLaunchOutcome::BadFormat:
            return L"not a program";
        case TLaunchOutcome::OutOfResources:
            return L"out of resources";
        case TLaunchOutcome::Cancelled:
            return L"cancelled";
        case TLaunchOutcome::NotRepresentable:
            return L"not representable in the ANSI code page";
        case TLaunchOutcome::Failed:
            break;
    }
    return L"failed";
}

std::wstring SystemProgramCommandLine(const std::wstring& systemDirectory,
                                      const std::wstring& program,
                                      const std::wstring& parameters) {
    std::wstring line = systemDirectory;
    if (!line.empty() && line.back() != L'\\') {
        line += L'\\';
    }
    line += program;
    if (!parameters.empty()) {
        line += L' ';
        line += parameters;
    }
    return line;
}

}  // namespace tessaline
