#include "settings/PSafeIniFile.h"

#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/Trace.h"

namespace tessaline {

void EnsureFileWritable(const std::wstring& fileName) {
    const std::wstring folder = ExtractFileDir(fileName);
    if (!folder.empty()) {
        // Another process may be creating the same tree at the same moment; a few tries settle it.
        for (int attempt = 0; attempt < 101 && !DirectoryExists(folder); ++attempt) {
            CreateDirectoryTree(folder);
        }
    }
    if (FileExists(fileName) && IsReadOnlyFile(fileName) && !ClearFileAttributes(fileName)) {
        Trace(L"EnsureFileWritable: cannot clear attributes: ", fileName);
    }
}

TSafeIniFile::TSafeIniFile(std::wstring fileName) : fileName_(std::move(fileName)) {
    if (!fileName_.empty()) {
        LoadFile(fileName_);
        SaveFile(fileName_);
    }
}

TSafeIniFile::~TSafeIniFile() {
    UpdateFile();
}

void TSafeIniFile::LoadFile(const std::wstring& fileName) {
    std::vector<std::wstring> lines;
    const FileReadResult result = ReadTextFileLines(fileName, lines);
    if (result == FileReadResult::Failed) {
        Trace(L"TSafeIniFile: cannot read ", fileName);
        unreadableFile_ = fileName;
    } else if (EqualsNoCase(unreadableFile_, fileName)) {
        unreadableFile_.clear();
    }
    SetLines(lines);
}

bool TSafeIniFile::SaveFile(const std::wstring& fileName) {
    if (fileName.empty()) {
        return false;
    }
    if (!unreadableFile_.empty() && EqualsNoCase(unreadableFile_, fileName) && FileExists(fileName)) {
        Trace(L"TSafeIniFile: not saving over the unreadable ", fileName);
        return false;
    }
    EnsureFileWritable(fileName);
    // A write cycle saves three times; only a save that changes the file pays for a write and a flush.
    const std::string bytes = EncodeUtf16LeLines(GetLines());
    std::string current;
    if (ReadFileBytes(fileName, current) == FileReadResult::Ok && current == bytes) {
        return true;
    }
    if (!ReplaceFileAtomically(fileName, bytes)) {
        Trace(L"TSafeIniFile: save failed: ", fileName);
        return false;
    }
    return true;
}

void TSafeIniFile::UpdateFile() {
    if (!fileName_.empty()) {
        SaveFile(fileName_);
    }
}

}  // namespace tessaline
