#include "search/WindowsSearchQuery.h"

namespace tessaline {

namespace {

void ReplaceAll(std::wstring& text, std::wstring_view what, std::wstring_view with) {
    for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
    }
}

std::wstring EscapeForPhrase(std::wstring_view query) {
    std::wstring escaped;
    escaped.reserve(query.size() + 4);
    for (wchar_t c : query) {
        if (c == L'\'') {
            escaped += L"''";
        } else if (c != L'"') {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::wstring WindowsSearchSqlTemplate() {
    std::wstring sql =
        L"SELECT TOP 20 System.FileName,System.ItemUrl FROM SYSTEMINDEX  where System.Kind<>'email'and ( "
        L"System.FileExtension <> '.lnk') and  CONTAINS(System.FileName,'";
    sql += L"\"*";
    sql += L"%key%";
    sql += L"*\"";
    sql += L"')";
    sql += L" order by System.FileName,System.DateModified desc ";
    return sql;
}

std::wstring WindowsSearchStatement(const std::wstring& sqlTemplate, std::wstring_view query) {
    std::wstring statement = sqlTemplate;
    ReplaceAll(statement, L"%key%", EscapeForPhrase(query));
    return statement;
}

std::wstring ItemUrlToPath(std::wstring_view itemUrl) {
    std::wstring path(itemUrl);
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    ReplaceAll(path, L"file:", L"");
    return path;
}

}  // namespace tessaline
