// The matching rule and the Windows Search statement.

#include <gtest/gtest.h>

#include "base/Strings.h"
#include "search/SearchMatch.h"
#include "search/WindowsSearchQuery.h"

namespace tessaline {
namespace {

TEST(SearchMatch, OnlyAToZIgnoreCaseAndSpacesBelongToTheQuery) {
    struct Case {
        const wchar_t* query;
        const wchar_t* name;
        bool matches;
    };
    for (const Case& c : {
             Case{L"pad", L"Notepad", true},
             Case{L"NOTE", L"notepad", true},
             Case{L"pad ", L"Notepad", false},
             Case{L"pad ", L"Notepad Plus", true},
             Case{L"note pad", L"Notepad", false},
             Case{L"\u00e9", L"\u00c9diteur", false},  // accented letters keep their case
             Case{L"\u00e9d", L"\u00e9diteur", true},
             Case{L"*", L"Notepad", false},  // no wildcards
             Case{L"", L"anything", true},
         }) {
        EXPECT_EQ(MatchesQuery(UpperAZ(c.query), c.name), c.matches) << static_cast<int>(c.query[0]);
    }
    EXPECT_TRUE(IsBlankQuery(L" \t "));
    EXPECT_FALSE(IsBlankQuery(L" a"));
    EXPECT_EQ(FileBaseName(L"a.b.lnk"), L"a.b");
    EXPECT_EQ(FileExtension(L"a.b.lnk"), L".lnk");
    EXPECT_EQ(FileExtension(L"README"), L"");
}

// The text between CONTAINS(System.FileName,' and the literal's closing quote, with doubled quotes undone; and
// whether the rest of the statement is as the template has it.
bool SplitStatement(const std::wstring& statement, std::wstring& literal, std::wstring& rest) {
    const std::wstring open = L"CONTAINS(System.FileName,'";
    const size_t start = statement.find(open);
    if (start == std::wstring::npos) {
        return false;
    }
    size_t at = start + open.size();
    literal.clear();
    for (; at < statement.size(); ++at) {
        if (statement[at] == L'\'') {
            if (at + 1 < statement.size() && statement[at + 1] == L'\'') {
                literal += L'\'';
                ++at;
                continue;
            }
            break;
        }
        literal += statement[at];
    }
    if (at >= statement.size()) {
        return false;
    }
    rest = statement.substr(at);
    return true;
}

TEST(WindowsSearchStatement, QuotesInTheQueryCannotEndTheLiteralOrThePhrase) {
    const std::wstring sqlTemplate = WindowsSearchSqlTemplate();
    EXPECT_EQ(sqlTemplate,
              L"SELECT TOP 20 System.FileName,System.ItemUrl FROM SYSTEMINDEX  where System.Kind<>'email'and ( "
              L"System.FileExtension <> '.lnk') and  CONTAINS(System.FileName,'\"*%key%*\"') order by "
              L"System.FileName,System.DateModified desc ");
    for (const wchar_t* query : {L"report", L"it's", L"a''b", L"say \"hi\"", L"x') or 1=1 --", L"'"}) {
        const std::wstring statement = WindowsSearchStatement(sqlTemplate, query);
        std::wstring literal;
        std::wstring rest;
        ASSERT_TRUE(SplitStatement(statement, literal, rest)) << statement.size();
        EXPECT_EQ(rest, L"') order by System.FileName,System.DateModified desc ");
        // One phrase: a quote at each end and none inside.
        ASSERT_GE(literal.size(), 4u);
        EXPECT_EQ(literal.substr(0, 2), L"\"*");
        EXPECT_EQ(literal.substr(literal.size() - 2), L"*\"");
        EXPECT_EQ(literal.substr(2, literal.size() - 4).find(L'"'), std::wstring::npos);
    }
    std::wstring literal;
    std::wstring rest;
    ASSERT_TRUE(SplitStatement(WindowsSearchStatement(sqlTemplate, L"it's"), literal, rest));
    EXPECT_EQ(literal, L"\"*it's*\"");  // the apostrophe is searched for, not lost
}

TEST(WindowsSearchStatement, ItemUrlsBecomePaths) {
    EXPECT_EQ(ItemUrlToPath(L"file:C:/Users/x/a b.txt"), L"C:\\Users\\x\\a b.txt");
    EXPECT_EQ(ItemUrlToPath(L"file://server/share/f.doc"), L"\\\\server\\share\\f.doc");
    EXPECT_EQ(ItemUrlToPath(L"FILE:C:/x"), L"FILE:C:\\x");  // only the lower-case scheme is removed
}

}  // namespace
}  // namespace tessaline
