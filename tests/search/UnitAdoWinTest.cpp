// The ADO side of the Windows Search query against the platform's real ADO objects. Under Wine the Search
// provider is absent and every call by name on ADO's objects fails with TYPE_E_LIBNOTREGISTERED (Wine 8's msado15
// does not find its own type library), so a real recordset cannot be filled and read here.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

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

// Runs work on a thread of its own single-threaded apartment while this thread pumps messages, as the window's
// thread does: calls through a proxy are carried out here.
void RunOnOtherApartment(const std::function<void()>& work) {
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(done, nullptr);
    std::thread worker([&] {
        {
            test::ComScope com;
            EXPECT_TRUE(com.Ok());
            work();
        }
        SetEvent(done);
    });
    const ULONGLONG deadline = GetTickCount64() + 30000;
    bool late = false;
    for (;;) {
        const DWORD wait = MsgWaitForMultipleObjects(1, &done, FALSE, 1000, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0) {
            break;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        // Past the deadline keep pumping all the same: the worker may be waiting on this thread.
        if (!late && GetTickCount64() > deadline) {
            late = true;
            ADD_FAILURE() << "the other apartment did not finish in time";
        }
    }
    worker.join();
    CloseHandle(done);
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

TEST_F(UnitAdo, HandOffGivesAnotherApartmentAProxyItCanCall) {
    AdoObject connection = RawAdoObject(L"ADODB.Connection");
    ASSERT_TRUE(connection);
    TConnectionHandOff handOff(connection);
    IDispatch* original = connection.Get();
    bool taken = false;
    bool proxied = false;
    HRESULT called = E_FAIL;
    UINT typeInfoCount = 0;
    bool opened = true;
    bool queried = true;
    RunOnOtherApartment([&] {
        AdoObject there = handOff.Take();
        taken = static_cast<bool>(there);
        if (!there) {
            return;
        }
        // ADO's objects are apartment-threaded: the raw pointer must not cross, a proxy must.
        proxied = there.Get() != original;
        called = there.Get()->GetTypeInfoCount(&typeInfoCount);
        opened = OpenConnection(there);
        TAdoSearchRows rows(std::move(there));
        queried = rows.Open(kStatement);
    });
    EXPECT_TRUE(taken);
    EXPECT_TRUE(proxied);
    EXPECT_EQ(called, S_OK);
    EXPECT_EQ(typeInfoCount, 1u);
    if (!SearchProviderInstalled()) {
        EXPECT_FALSE(opened);
        EXPECT_FALSE(queried);
    }
    // The owner's own pointer still works after the other apartment is gone.
    UINT count = 0;
    EXPECT_EQ(original->GetTypeInfoCount(&count), S_OK);
}

TEST_F(UnitAdo, HandOffOfNoConnectionGivesNone) {
    TConnectionHandOff handOff(AdoObject{});
    EXPECT_FALSE(handOff.Take());
    bool taken = true;
    RunOnOtherApartment([&] { taken = static_cast<bool>(handOff.Take()); });
    EXPECT_FALSE(taken);
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
