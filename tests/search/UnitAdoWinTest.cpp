// The ADO side of the Windows Search query against the platform's real ADO objects. Under Wine the Search
// provider is absent and every call by name on ADO's objects fails with TYPE_E_LIBNOTREGISTERED (Wine 8's msado15
// does not find its own type library), so a real recordset cannot be filled and read here.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "WinTestSupport.h"
#include "search/UnitAdo.h"
#include "search/WindowsSearchRowsWin.h"

namespace tessaline {
namespace {

constexpr wchar_t kStatement[] =
    L"SELECT TOP 20 System.FileName,System.ItemUrl FROM SYSTEMINDEX  where System.Kind<>'email'and ( "
    L"System.FileExtension <> '.lnk') and  CONTAINS(System.FileName,'\"*note*\"') order by "
    L"System.FileName,System.DateModified desc ";

// An ADO object as the platform makes it, with none of our settings.
AdoObject RawAdoObject(const wchar_t* progId) {
    CLSID clsid{};
    IDispatch* object = nullptr;
    if (SUCCEEDED(CLSIDFromProgID(progId, &clsid))) {
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object));
    }
    return AdoObject(object);
}

bool SearchProviderInstalled() {
    CLSID clsid{};
    return SUCCEEDED(CLSIDFromProgID(L"Search.CollatorDSO.1", &clsid));
}

class UnitAdo : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(com.Ok()); }
    test::ComScope com;
};

TEST_F(UnitAdo, OpeningWithoutTheSearchProviderFails) {
    if (SearchProviderInstalled()) {
        GTEST_SKIP() << "the Windows Search provider is installed here";
    }
    AdoObject created = CreateConnection();
    AdoObject raw = RawAdoObject(L"ADODB.Connection");
    ASSERT_TRUE(raw) << "ADODB.Connection is not registered";
    EXPECT_FALSE(OpenConnection(created));
    EXPECT_FALSE(OpenConnection(raw));
    EXPECT_FALSE(OpenConnection(AdoObject{}));
}

TEST_F(UnitAdo, QueriesNeedBothObjectsAndAnOpenConnection) {
    struct Case {
        const char* what;
        std::function<AdoObject()> connection;
        std::function<AdoObject()> recordset;
    };
    const auto none = [] { return AdoObject{}; };
    const auto rawConnection = [] { return RawAdoObject(L"ADODB.Connection"); };
    const auto rawRecordset = [] { return RawAdoObject(L"ADODB.Recordset"); };
    for (const Case& c :
         {Case{"no objects", none, none}, Case{"no connection", none, rawRecordset},
          Case{"no recordset", rawConnection, none}, Case{"unopened connection", rawConnection, rawRecordset},
          Case{"created objects, never opened", CreateConnection, CreateRecordset}}) {
        AdoObject connection = c.connection();
        AdoObject recordset = c.recordset();
        EXPECT_FALSE(OpenQuery(connection, recordset, kStatement)) << c.what;
    }
}

TEST_F(UnitAdo, ClosingEmptiesTheConnectionAndLetsItGo) {
    AdoObject none;
    CloseConnection(none);
    EXPECT_FALSE(none);

    AdoObject created = CreateConnection();
    CloseConnection(created);
    EXPECT_FALSE(created);

    AdoObject raw = RawAdoObject(L"ADODB.Connection");
    ASSERT_TRUE(raw);
    IDispatch* watched = raw.Get();
    watched->AddRef();
    CloseConnection(raw);
    EXPECT_FALSE(raw);
    EXPECT_EQ(watched->Release(), 0u) << "the closed connection kept a reference";
}

class AdoSearchRows : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(com.Ok()); }
    test::ComScope com;
};

TEST_F(AdoSearchRows, WithoutAnOpenConnectionNothingIsRead) {
    struct Case {
        const char* what;
        std::function<AdoObject()> connection;
    };
    for (const Case& c : {Case{"no connection", [] { return AdoObject{}; }},
                          Case{"unopened connection", [] { return RawAdoObject(L"ADODB.Connection"); }}}) {
        TAdoSearchRows rows(c.connection());
        EXPECT_FALSE(rows.Open(kStatement)) << c.what;
        EXPECT_LT(rows.RecordCount(), 0) << c.what;
        std::wstring name = L"kept";
        std::wstring url = L"kept";
        EXPECT_FALSE(rows.ReadRow(name, url)) << c.what;
        EXPECT_EQ(name, L"kept") << c.what;
        EXPECT_EQ(url, L"kept") << c.what;
        EXPECT_FALSE(rows.MoveNext()) << c.what;
    }
}

}  // namespace
}  // namespace tessaline
