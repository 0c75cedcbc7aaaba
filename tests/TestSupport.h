#pragma once
// Helpers shared by the tests of both builds: a private temporary folder and raw file access.

#include <cstdint>
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
// What another process writes to `path`, once it holds a whole line (20 s at most; empty when it never does):
// a started program gives no handle to wait on.
std::string AwaitFile(const std::wstring& path);
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

// A process of this test program that does nothing until it is ended (started suspended, or a forked child that
// sleeps): a process id that is running and not ours.
class IdleProcess {
  public:
    IdleProcess();
    IdleProcess(const IdleProcess&) = delete;
    IdleProcess& operator=(const IdleProcess&) = delete;
    ~IdleProcess() { End(); }

    uint32_t Id() const { return id_; }
    // Ends it and waits until it has ended; its id then names no running process (until the system reuses it).
    void End();

  private:
    uint32_t id_ = 0;
    void* handle_ = nullptr;
};

// "\xFF\xFE" + UTF-16 LE of the text.
std::string Utf16LeWithBom(const std::wstring& text);

}  // namespace tessaline::test
