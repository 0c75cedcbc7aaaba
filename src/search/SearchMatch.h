#pragma once
// The matching rule of the program search: the query, upper-cased in a–z only, anywhere in the name upper-cased
// the same way. No trimming, no splitting into words, no wildcards.

#include <string>
#include <string_view>

namespace tessaline {

// `upperQuery` is the query after UpperAZ.
bool MatchesQuery(std::wstring_view upperQuery, std::wstring_view name);
// Empty, or white space only (what Trim removes).
bool IsBlankQuery(std::wstring_view query);

// A file name's extension with its dot ("" without one), and the name without it.
std::wstring_view FileExtension(std::wstring_view fileName);
std::wstring_view FileBaseName(std::wstring_view fileName);

}  // namespace tessaline
