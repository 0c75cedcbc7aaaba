#include "SampleStartMenu.h"

namespace tessaline::demo {
namespace {

constexpr uint32_t kMinusOneFloat = 0xBF800000;  // -1.0f: the shell's "no usage score yet"
constexpr size_t kScoreCount = 10;

void PutDword(std::string& out, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        out[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace

const std::vector<TSampleProgram>& SamplePrograms() {
    using enum TSampleFolder;
    static const std::vector<TSampleProgram> programs{
        {L"Notepad", L"Accessories", L"notepad.exe", {System32, Windows, None}, 12},
        // Wine keeps WordPad where Windows does, beside the system folders only in some versions.
        {L"WordPad", L"Accessories", L"wordpad.exe", {Accessories, System32, Windows}, 0},
        {L"Registry Editor", L"System Tools", L"regedit.exe", {Windows, System32, None}, 7},
        {L"Task Manager", L"System Tools", L"taskmgr.exe", {System32, None, None}, 0},
        {L"Minesweeper", L"Games", L"winemine.exe", {System32, Windows, None}, 5},
        {L"Wine Configuration", L"", L"winecfg.exe", {System32, None, None}, 3},
        {L"Command Prompt", L"", L"cmd.exe", {System32, None, None}, 9},
        {L"Explorer", L"", L"explorer.exe", {Windows, System32, None}, 0},
        {L"Calculator", L"", L"calc.exe", {System32, Windows, None}, 0},
    };
    return programs;
}

std::wstring SampleLinkPath(std::wstring_view programsFolder, const TSampleProgram& program) {
    std::wstring path(programsFolder);
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') {
        path += L'\\';
    }
    if (!program.SubFolder.empty()) {
        path += program.SubFolder;
        path += L'\\';
    }
    path += program.Name;
    path += L".lnk";
    return path;
}

std::string UserAssistRecord(uint32_t runCount, uint32_t focusCount, uint32_t focusMs, uint64_t lastRunFileTime) {
    std::string record(kUserAssistRecordSize, '\0');
    PutDword(record, kUserAssistRunCountOffset, runCount);
    PutDword(record, 8, focusCount);
    PutDword(record, 12, focusMs);
    for (size_t i = 0; i < kScoreCount; ++i) {
        PutDword(record, 16 + 4 * i, kMinusOneFloat);
    }
    PutDword(record, 56, 0xFFFFFFFF);
    PutDword(record, 60, static_cast<uint32_t>(lastRunFileTime));
    PutDword(record, 64, static_cast<uint32_t>(lastRunFileTime >> 32));
    return record;
}

}  // namespace tessaline::demo
