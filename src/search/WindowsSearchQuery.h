#pragma once
// The statement that asks the Windows Search index for files whose name contains the query, and the reading of
// its item URLs as paths.

#include <string>
#include <string_view>

namespace tessaline {

inline constexpr int kWindowsSearchTop = 20;  // the statement's TOP: no more rows are ever read

// The template with its "%key%" placeholder, built once per search thread.
std::wstring WindowsSearchSqlTemplate();
// The template with the query in place of every "%key%". The query sits in a SQL string literal and, inside it,
// in a quoted CONTAINS phrase: apostrophes are doubled for the literal, and double quotes (which no file name can
// hold) are dropped so they cannot end the phrase.
std::wstring WindowsSearchStatement(const std::wstring& sqlTemplate, std::wstring_view query);
// "file:C:/Users/x/a.txt" -> "C:\Users\x\a.txt".
std::wstring ItemUrlToPath(std::wstring_view itemUrl);

}  // namespace tessaline
