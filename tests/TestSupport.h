#pragma once
// Helpers shared by the tests of both builds: a private temporary folder and raw file access.

#include <string>

namespace tessaline::test {

// A new empty folder, removed with everything in it when the object goes.
class TempFolder {
  public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::wstring& Path() const { return path_; }
    // Path() + "\" + name (the native file layer reads "\" as "/").
    std::wstring File(const std::wstring& name) const;

  private:
    std::wstring path_;
};

void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
// Files in the folder whose names end in `suffix`.
int CountFiles(const std::wstring& folder, const std::wstring& suffix);
void MakeReadOnly(const std::wstring& path);

// A file of the source tree (data/Language/English.lng), as a path the build's file layer opens.
std::wstring SourcePath(const std::wstring& relative);

// Sets (or, with nullptr, removes) an environment variable of this process; restores it when destroyed.
class ScopedEnv {
  public:
    ScopedEnv(const std::wstring& name, const wchar_t* value);
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv();

  private:
    std::wstring name_;
    std::wstring old_;
    bool hadOld_ = false;
};

// "\xFF\xFE" + UTF-16 LE of the text.
std::string Utf16LeWithBom(const std::wstring& text);

}  // namespace tessaline::test
