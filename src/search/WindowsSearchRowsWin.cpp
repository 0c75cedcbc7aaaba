#include "search/WindowsSearchRowsWin.h"

#include <climits>
#include <utility>

#include "base/Trace.h"
#include "system/Automation.h"

namespace tessaline {
namespace {

// NULL is how the index reports a property an item lacks; that reads as no text, not as a failure.
bool VariantText(VARIANT& value, std::wstring& text) {
    if (value.vt == VT_NULL || value.vt == VT_EMPTY) {
        text.clear();
        return true;
    }
    if (value.vt != VT_BSTR && FAILED(VariantChangeType(&value, &value, 0, VT_BSTR))) {
        return false;
    }
    text.assign(value.bstrVal != nullptr ? value.bstrVal : L"", SysStringLen(value.bstrVal));
    return true;
}

bool ReadField(IDispatch* fields, const wchar_t* name, std::wstring& text) {
    Bstr key(name);
    Variant field;
    HRESULT hr = CallByName(fields, L"Item", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {StringArgument(key)}, &field.v);
    Variant value;
    if (SUCCEEDED(hr)) {
        hr = field.Dispatch() != nullptr ? CallByName(field.Dispatch(), L"Value", DISPATCH_PROPERTYGET, {}, &value.v)
                                         : E_NOINTERFACE;
    }
    if (FAILED(hr)) {
        Trace(L"ADO: reading field ", name, L" failed: ", HresultText(hr));
        return false;
    }
    if (!VariantText(value.v, text)) {
        Trace(L"ADO: field ", name, L" is not text, type ", value.v.vt);
        return false;
    }
    return true;
}

}  // namespace

TAdoSearchRows::TAdoSearchRows(AdoObject connection) : connection_(std::move(connection)) {}

TAdoSearchRows::~TAdoSearchRows() {
    int64_t state = 0;
    if (recordset_ && SUCCEEDED(AdoGetNumber(recordset_.Get(), L"State", state)) && state != 0) {
        Variant ignored;
        CallByName(recordset_.Get(), L"Close", DISPATCH_METHOD, {}, &ignored.v);
    }
}

bool TAdoSearchRows::Open(const std::wstring& statement) {
    if (!recordset_) {
        recordset_ = CreateRecordset();
    }
    return OpenQuery(connection_, recordset_, statement);
}

long TAdoSearchRows::RecordCount() {
    if (!recordset_) {
        return -1;
    }
    int64_t count = -1;
    if (HRESULT hr = AdoGetNumber(recordset_.Get(), L"RecordCount", count); FAILED(hr)) {
        Trace(L"ADO: reading Recordset.RecordCount failed: ", HresultText(hr));
        return -1;
    }
    return count > LONG_MAX ? LONG_MAX : static_cast<long>(count < -1 ? -1 : count);
}

bool TAdoSearchRows::ReadRow(std::wstring& fileName, std::wstring& itemUrl) {
    if (!recordset_) {
        return false;
    }
    Variant fields;
    if (HRESULT hr = CallByName(recordset_.Get(), L"Fields", DISPATCH_PROPERTYGET, {}, &fields.v);
        FAILED(hr) || fields.Dispatch() == nullptr) {
        Trace(L"ADO: reading Recordset.Fields failed: ", HresultText(FAILED(hr) ? hr : E_NOINTERFACE));
        return false;
    }
    std::wstring name;
    std::wstring url;
    if (!ReadField(fields.Dispatch(), L"System.FileName", name) ||
        !ReadField(fields.Dispatch(), L"System.ItemUrl", url)) {
        return false;
    }
    fileName = std::move(name);
    itemUrl = std::move(url);
    return true;
}

bool TAdoSearchRows::MoveNext() {
    Variant ignored;
    if (HRESULT hr = CallByName(recordset_.Get(), L"MoveNext", DISPATCH_METHOD, {}, &ignored.v); FAILED(hr)) {
        Trace(L"ADO: Recordset.MoveNext failed: ", HresultText(hr));
        return false;
    }
    return true;
}

}  // namespace tessaline
