#include "search/UnitAdo.h"

#include <cwchar>
#include <initializer_list>
#include <vector>

#include "base/Trace.h"
#include "system/Automation.h"

namespace tessaline {
namespace {

// ADO's enumeration values, as its type library gives them.
constexpr int32_t kUseServer = 2;           // CursorLocationEnum adUseServer
constexpr int32_t kReadCommitted = 4096;    // IsolationLevelEnum adXactReadCommitted
constexpr int32_t kModeReadWrite = 3;       // ConnectModeEnum adModeReadWrite
constexpr int32_t kOpenStatic = 3;          // CursorTypeEnum adOpenStatic
constexpr int32_t kLockOptimistic = 3;      // LockTypeEnum adLockOptimistic
constexpr int32_t kCommandText = 1;         // CommandTypeEnum adCmdText
constexpr int32_t kOptionUnspecified = -1;  // ConnectOptionEnum adOptionUnspecified
constexpr int64_t kStateClosed = 0;         // ObjectStateEnum adStateClosed
constexpr int64_t kStateOpen = 1;           // ObjectStateEnum adStateOpen

constexpr wchar_t kSearchConnectionString[] =
    L"Provider=Search.CollatorDSO.1;Integrated Security=\"\";Data Source=SystemIndex;";

struct NumberSetting {
    const wchar_t* name;
    int32_t value;
};

// Borrows the object: the VARIANT is never cleared, so it must not outlive the caller's reference.
VARIANT DispatchArgument(IDispatch* object) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    return v;
}

AdoObject CreateAutomationObject(const wchar_t* progId) {
    CLSID clsid{};
    if (HRESULT hr = CLSIDFromProgID(progId, &clsid); FAILED(hr)) {
        Trace(L"ADO: no class ", progId, L": ", HresultText(hr));
        return {};
    }
    IDispatch* object = nullptr;
    if (HRESULT hr =
            CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object));
        FAILED(hr)) {
        Trace(L"ADO: cannot create ", progId, L": ", HresultText(hr));
        return {};
    }
    return AdoObject(object);
}

bool PutNumbers(const AdoObject& object, const wchar_t* kind, std::initializer_list<NumberSetting> settings) {
    for (const NumberSetting& setting : settings) {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I4;
        value.lVal = setting.value;
        if (HRESULT hr = AdoPutProperty(object.Get(), setting.name, value); FAILED(hr)) {
            Trace(L"ADO: setting ", kind, L".", setting.name, L" failed: ", HresultText(hr));
            return false;
        }
    }
    return true;
}

bool ReadState(const AdoObject& object, const wchar_t* kind, int64_t& state) {
    if (HRESULT hr = AdoGetNumber(object.Get(), L"State", state); FAILED(hr)) {
        Trace(L"ADO: reading ", kind, L".State failed: ", HresultText(hr));
        return false;
    }
    return true;
}

bool CallMethod(const AdoObject& object, const wchar_t* kind, const wchar_t* method, std::vector<VARIANT> arguments) {
    Variant ignored;
    if (HRESULT hr = CallByName(object.Get(), method, DISPATCH_METHOD, std::move(arguments), &ignored.v); FAILED(hr)) {
        Trace(L"ADO: ", kind, L".", method, L" failed: ", HresultText(hr));
        return false;
    }
    return true;
}

}  // namespace

HRESULT AdoPutProperty(IDispatch* object, const wchar_t* name, VARIANT value) {
    if (object == nullptr) {
        return E_POINTER;
    }
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id); FAILED(hr)) {
        return hr;
    }
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &putId, 1, 1};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

HRESULT AdoGetNumber(IDispatch* object, const wchar_t* name, int64_t& value) {
    Variant result;
    if (HRESULT hr = CallByName(object, name, DISPATCH_PROPERTYGET, {}, &result.v); FAILED(hr)) {
        return hr;
    }
    if (HRESULT hr = VariantChangeType(&result.v, &result.v, 0, VT_I8); FAILED(hr)) {
        return hr;
    }
    value = result.v.llVal;
    return S_OK;
}

std::wstring HresultText(HRESULT hr) {
    wchar_t text[16];
    swprintf(text, sizeof text / sizeof text[0], L"0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

AdoObject CreateConnection() {
    AdoObject connection = CreateAutomationObject(L"ADODB.Connection");
    if (!connection) {
        return {};
    }
    if (!PutNumbers(
            connection, L"Connection",
            {{L"CursorLocation", kUseServer}, {L"IsolationLevel", kReadCommitted}, {L"Mode", kModeReadWrite}})) {
        return {};
    }
    Bstr provider(L"SQLOLEDB.1");
    if (HRESULT hr = AdoPutProperty(connection.Get(), L"Provider", StringArgument(provider)); FAILED(hr)) {
        Trace(L"ADO: setting Connection.Provider failed: ", HresultText(hr));
        return {};
    }
    return connection;
}

bool OpenConnection(const AdoObject& connection) {
    if (!connection) {
        return false;
    }
    int64_t state = kStateClosed;
    if (!ReadState(connection, L"Connection", state)) {
        return false;
    }
    if (state != kStateClosed && !CallMethod(connection, L"Connection", L"Close", {})) {
        return false;
    }
    Bstr text(kSearchConnectionString);
    if (HRESULT hr = AdoPutProperty(connection.Get(), L"ConnectionString", StringArgument(text)); FAILED(hr)) {
        Trace(L"ADO: setting Connection.ConnectionString failed: ", HresultText(hr));
        return false;
    }
    Bstr empty(L"");
    return CallMethod(
        connection, L"Connection", L"Open",
        {StringArgument(text), StringArgument(empty), StringArgument(empty), IntArgument(kOptionUnspecified)});
}

AdoObject CreateRecordset() {
    AdoObject recordset = CreateAutomationObject(L"ADODB.Recordset");
    if (!recordset) {
        return {};
    }
    if (!PutNumbers(recordset, L"Recordset",
                    {{L"CacheSize", 1000},
                     {L"CursorType", kOpenStatic},
                     {L"CursorLocation", kUseServer},
                     {L"LockType", kLockOptimistic}})) {
        return {};
    }
    return recordset;
}

bool OpenQuery(const AdoObject& connection, const AdoObject& recordset, const std::wstring& statement) {
    if (!connection || !recordset) {
        return false;
    }
    int64_t state = kStateClosed;
    if (!ReadState(connection, L"Connection", state) || state != kStateOpen) {
        return false;
    }
    if (!ReadState(recordset, L"Recordset", state)) {
        return false;
    }
    if (state != kStateClosed && !CallMethod(recordset, L"Recordset", L"Close", {})) {
        return false;
    }
    Bstr text(statement);
    return CallMethod(recordset, L"Recordset", L"Open",
                      {StringArgument(text), DispatchArgument(connection.Get()), IntArgument(kOpenStatic),
                       IntArgument(kLockOptimistic), IntArgument(kCommandText)});
}

void CloseConnection(AdoObject& connection) {
    int64_t state = kStateClosed;
    if (connection && ReadState(connection, L"Connection", state) && state != kStateClosed) {
        CallMethod(connection, L"Connection", L"Close", {});
    }
    connection.Reset();
}

}  // namespace tessaline
