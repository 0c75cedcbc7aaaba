#pragma once
// TSafeIniFile: the settings writer. An in-memory INI image bound to a file; opening it loads the file and
// rewrites it at once in the written form (UTF-16 LE with byte-order mark, CR LF, normalised lines), and
// destroying it saves again. Saves replace the file atomically and are never reported to the caller.
// User-interface thread only.

#include <string>

#include "settings/IniImage.h"

namespace tessaline {

// Where a settings file that held no readable key is kept before it is replaced: "<file>.bad".
inline constexpr wchar_t kKeptBadSuffix[] = L".bad";

// Creates the file's folder (with its parents) when missing, and clears the attributes of a read-only file.
void EnsureFileWritable(const std::wstring& fileName);

class TSafeIniFile : public TIniImage {
  public:
    // Empty file name: the object never touches the disk.
    explicit TSafeIniFile(std::wstring fileName);
    ~TSafeIniFile() override;

    const std::wstring& FileName() const { return fileName_; }

    void LoadFile(const std::wstring& fileName);
    // True when the file now holds the image. A file that exists but could not be read by the last LoadFile
    // of the same name is never overwritten: the image would be empty and the user's settings lost. A file that
    // was read but held no key at all, only lines that mean nothing here, is first kept beside itself as
    // "<file>.bad"; when that copy cannot be written the file is not replaced either.
    bool SaveFile(const std::wstring& fileName);
    virtual void UpdateFile();

  private:
    std::wstring fileName_;
    std::wstring unreadableFile_;
    // The file last loaded when it held text but no key, and its bytes as read; kept until they are safe.
    std::wstring keylessFile_;
    std::string keylessBytes_;
};

}  // namespace tessaline
