#pragma once
// The few file and environment operations the portable core needs. Two implementations: FileSystemWin.cpp
// (Win32, the product) and FileSystemPosix.cpp (native build; "\" in paths is taken as "/").

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tessaline {

// Missing: no such file. Failed: it is there but could not be opened or read.
enum class FileReadResult { Ok, Missing, Failed };

bool FileExists(const std::wstring& path);  // a file, not a folder
bool DirectoryExists(const std::wstring& path);
// Creates the folder and every missing parent; true when the folder exists afterwards.
bool CreateDirectoryTree(const std::wstring& path);
bool IsReadOnlyFile(const std::wstring& path);
// Clears every attribute (read-only, hidden, system); natively gives the owner write permission.
bool ClearFileAttributes(const std::wstring& path);

FileReadResult ReadFileBytes(const std::wstring& path, std::string& bytes);

// Writes `bytes` to a new temporary file in the same folder (SaveTemporary.h), flushes it, then renames it over
// `path`. A rename refused because another program holds `path` open is tried again for about a second. On any
// failure the temporary file is removed and `path` is left as it was.
bool ReplaceFileAtomically(const std::wstring& path, const std::string& bytes);

// The moments of a save: the temporary file just made (empty), half written, and complete (written, flushed and
// closed) just before the rename.
enum class TReplaceStep { Created, HalfWritten, Complete };
// Asked at each step; returning false abandons the save there as a crash or power loss would (the temporary file
// stays behind). For tests of the atomic replacement only.
void SetReplaceInterruptionForTest(std::function<bool(TReplaceStep step, const std::wstring& tempPath)> hook);
// What the implementations ask at each step: true unless a test interrupts.
bool ReplaceMayProceed(TReplaceStep step, const std::wstring& tempPath);

bool DeleteFileAt(const std::wstring& path);

uint32_t CurrentProcessId();
// False once the process has ended (or never was); a process this user may not look at counts as running.
bool ProcessIsRunning(uint32_t processId);

// Names (not paths) of the entries of `folder` whose names match `mask` ("*.lng"), files and folders alike,
// in the order the file system returns them.
std::vector<std::wstring> ListFolder(const std::wstring& folder, const std::wstring& mask);

// The variable's value; `defined` tells an unset variable from an empty one.
std::wstring GetEnvironmentText(const std::wstring& name, bool* defined = nullptr);

// Folder of the running executable, ending in a delimiter.
std::wstring GetProgramDirectory();

}  // namespace tessaline
