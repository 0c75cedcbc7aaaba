#include "settings/PSafeIniFile.h"

#include <algorithm>

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

namespace {

// A line that would carry something if the file were what it should be: not blank, no comment, no section name.
bool IsContentLine(const std::wstring& line) {
    const std::wstring text = Trim(line);
    return !text.empty() && text.front() != L';' && !(text.front() == L'[' && text.back() == L']');
}

bool HasAnyKey(const TIniImage& image) {
    for (const std::wstring& section : image.ReadSections()) {
        for (const std::wstring& name : image.ReadSection(section)) {
            if (!name.empty()) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

void TSafeIniFile::LoadFile(const std::wstring& fileName) {
    std::string bytes;
    const FileReadResult result = ReadFileBytes(fileName, bytes);
    if (result == FileReadResult::Failed) {
        Trace(L"TSafeIniFile: cannot read ", fileName);
        unreadableFile_ = fileName;
    } else if (EqualsNoCase(unreadableFile_, fileName)) {
        unreadableFile_.clear();
    }
    const std::vector<std::wstring> lines =
        result == FileReadResult::Ok ? SplitLines(DecodeText(bytes)) : std::vector<std::wstring>{};
    SetLines(lines);
    keylessFile_.clear();
    keylessBytes_.clear();
    if (!HasAnyKey(*this) && std::any_of(lines.begin(), lines.end(), IsContentLine)) {
        Trace(L"TSafeIniFile: no setting could be read from ", fileName);
        keylessFile_ = fileName;
        keylessBytes_ = std::move(bytes);
    }
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
    if (!keylessFile_.empty() && EqualsNoCase(keylessFile_, fileName) && FileExists(fileName)) {
        // Whatever it holds, it is the user's: keep it where they can find it before replacing it.
        const std::wstring kept = fileName + kKeptBadSuffix;
        if (!ReplaceFileAtomically(kept, keylessBytes_)) {
            Trace(L"TSafeIniFile: not saving over ", fileName, L": cannot keep it as ", kept);
            return false;
        }
        Trace(L"TSafeIniFile: kept the unreadable settings as ", kept);
        keylessFile_.clear();
        keylessBytes_.clear();
    }
    if (!ReplaceFileAtomically(fileName, bytes)) {
        Trace(L"TSafeIniFile: save failed, the change is lost: ", fileName);
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
