#pragma once
// Readers of Main.ini that go to the disk on every call, through the OS profile functions on Windows
// (GetPrivateProfileStringW / WritePrivateProfileStringW, which read UTF-16 files with a byte-order mark, so
// they see exactly what TSafeIniFile wrote). The native build has its own reader with the same answers:
// section and key found case-insensitively (first match), value trimmed, one pair of enclosing quotes removed.
// User-interface thread only.

#include <cstdint>
#include <string>

namespace tessaline {

// The plain profile-file reader: holds the file name, prepares nothing.
class TProfileIniFile {
  public:
    explicit TProfileIniFile(std::wstring fileName);
    virtual ~TProfileIniFile() = default;

    const std::wstring& FileName() const { return fileName_; }

    std::wstring ReadString(const std::wstring& section,
                            const std::wstring& key,
                            const std::wstring& defaultValue) const;
    int32_t ReadInteger(const std::wstring& section, const std::wstring& key, int32_t defaultValue) const;
    bool ReadBool(const std::wstring& section, const std::wstring& key, bool defaultValue) const;
    bool ValueExists(const std::wstring& section, const std::wstring& key) const;

  protected:
    bool WriteValue(const std::wstring& section, const std::wstring& key, const std::wstring& value);

  private:
    std::wstring fileName_;
};

// The program's reader: makes the file writable when created (folder created, read-only cleared) and
// never reports a failed write.
class TIniFile : public TProfileIniFile {
  public:
    explicit TIniFile(std::wstring fileName);

    void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value);
};

}  // namespace tessaline
