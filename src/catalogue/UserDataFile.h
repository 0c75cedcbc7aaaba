#pragma once
// UserData.ini: the launches made from this start menu, one record per line, newest first:
//   path;mm/dd/yyyy hh:mm:ss;1
// (UTF-16 LE with byte-order mark, CR LF). Pure line handling plus the read-modify-write of the file.
// Called on the user-interface thread only.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/DateTime.h"
#include "base/FileSystem.h"

namespace tessaline {

inline constexpr wchar_t kUserDataFileName[] = L"UserData.ini";

struct TUserDataRecord {
    std::wstring Path;
    TDateTime LastRun;  // zero when the date field is not a valid "mm/dd/yyyy hh:mm:ss"
    int32_t Count = 0;  // read but unused by the list
};

// "mm/dd/yyyy hh:mm:ss" with "/" and ":" whatever the locale.
std::wstring FormatUserDataTime(const TDateTime& value);
// Exactly that format (white space around it ignored) and a real date; anything else is zero.
TDateTime ParseUserDataTime(std::wstring_view text);

// Path before the first ";", then date and count. A path that itself holds ";" is kept whole when the line ends
// in a well-formed date and count.
TUserDataRecord ParseUserDataLine(std::wstring_view line);
std::wstring MakeUserDataLine(std::wstring_view path, const TDateTime& when);

// The line names the path: it contains the path (with case) ending at a ";" or at the end of the line.
bool LineNamesPath(std::wstring_view line, std::wstring_view path);
// Deletes the first line naming the path; false when none does (or the path is empty).
bool RemoveFirstLineNaming(std::vector<std::wstring>& lines, std::wstring_view path);
// Drops the path's old record and puts a new one on top; returns the new line.
std::wstring PutLaunchRecordOnTop(std::vector<std::wstring>& lines, std::wstring_view path, const TDateTime& now);

// The file's text, also as another hand may have written it. A byte-order mark decides; without one, UTF-16 by
// its zero bytes, then plain ASCII, then well-formed UTF-8, then the ANSI code page, which is a guess (`Sure`
// false: whoever rewrites the file keeps a copy of it first). Lines end at CR LF or LF; a lone CR is a character
// of its line.
struct TUserDataText {
    std::vector<std::wstring> Lines;
    bool Sure = true;
};
TUserDataText DecodeUserData(std::string_view bytes);
// Missing gives no lines; Failed: the file is there but could not be read. `bytes` gets what was read.
FileReadResult ReadUserDataFile(const std::wstring& dataFile, TUserDataText& text, std::string* bytes = nullptr);
// Where a file decoded by guesswork is kept before it is rewritten: beside it, with ".bad" added.
std::wstring KeptUserDataCopy(const std::wstring& dataFile);

// AddLaunchRecord on the file: creates its folder, rewrites it atomically. A file that is there but cannot be
// read is left alone rather than replaced by a shorter history. Failures are traced and give false.
bool AddLaunchRecordToFile(const std::wstring& dataFile, const std::wstring& path, const TDateTime& now);
// RemoveEntry for an entry that came from the file: deletes the first line naming linkPath.
// True when a line was removed and the file written.
bool RemoveEntryFromFile(const std::wstring& dataFile, const std::wstring& linkPath);

}  // namespace tessaline
