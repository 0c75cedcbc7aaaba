#include "search/SearchMatch.h"

#include <algorithm>

#include "base/Strings.h"

namespace tessaline {

namespace {

wchar_t UpperAZChar(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - (L'a' - L'A')) : c;
}

}  // namespace

bool MatchesQuery(std::wstring_view upperQuery, std::wstring_view name) {
    // Compares in place: the pass runs this for every file of the index on every key press.
    const auto found = std::search(name.begin(), name.end(), upperQuery.begin(), upperQuery.end(),
                                   [](wchar_t n, wchar_t q) { return UpperAZChar(n) == q; });
    return found != name.end() || upperQuery.empty();
}

bool IsBlankQuery(std::wstring_view query) {
    return TrimView(query).empty();
}

std::wstring_view FileExtension(std::wstring_view fileName) {
    const size_t dot = fileName.rfind(L'.');
    return dot == std::wstring_view::npos ? std::wstring_view{} : fileName.substr(dot);
}

std::wstring_view FileBaseName(std::wstring_view fileName) {
    return fileName.substr(0, fileName.size() - FileExtension(fileName).size());
}

}  // namespace tessaline
