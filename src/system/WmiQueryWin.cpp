#include <windows.h>

#include <oaidl.h>
#include <oleauto.h>

#include "base/HandlesWin.h"
#include "base/Trace.h"
#include "system/Automation.h"
#include "system/WmiQuery.h"

namespace tessaline {

std::vector<std::wstring> WmiQueryStrings(const std::wstring& query, const std::wstring& property) {
    std::vector<std::wstring> values;
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(L"WbemScripting.SWbemLocator", &clsid))) {
        Trace(L"WMI: no SWbemLocator");
        return values;
    }
    TComPtr<IDispatch> locator;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(locator.Put())))) {
        Trace(L"WMI: cannot create SWbemLocator");
        return values;
    }
    Bstr server(L".");
    Bstr space(L"root/cimv2");
    Bstr text(query);
    Variant services;
    Variant set;
    Variant enumerator;
    HRESULT hr = CallByName(locator.Get(), L"ConnectServer", DISPATCH_METHOD,
                            {StringArgument(server), StringArgument(space)}, &services.v);
    if (SUCCEEDED(hr) && services.v.vt == VT_DISPATCH && services.v.pdispVal != nullptr) {
        hr = CallByName(services.v.pdispVal, L"ExecQuery", DISPATCH_METHOD, {StringArgument(text)}, &set.v);
    } else if (SUCCEEDED(hr)) {
        hr = E_UNEXPECTED;
    }
    if (SUCCEEDED(hr) && set.v.vt == VT_DISPATCH && set.v.pdispVal != nullptr) {
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        hr = set.v.pdispVal->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                                    DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &enumerator.v, nullptr, nullptr);
    } else if (SUCCEEDED(hr)) {
        hr = E_UNEXPECTED;
    }
    TComPtr<IEnumVARIANT> items;
    if (SUCCEEDED(hr) && (enumerator.v.vt == VT_UNKNOWN || enumerator.v.vt == VT_DISPATCH) &&
        enumerator.v.punkVal != nullptr) {
        hr = enumerator.v.punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(items.Put()));
    } else if (SUCCEEDED(hr)) {
        hr = E_UNEXPECTED;
    }
    if (SUCCEEDED(hr) && items) {
        for (;;) {
            Variant item;
            ULONG fetched = 0;
            if (items->Next(1, &item.v, &fetched) != S_OK || fetched == 0) {
                break;
            }
            Variant value;
            if (item.v.vt == VT_DISPATCH && item.v.pdispVal != nullptr &&
                SUCCEEDED(CallByName(item.v.pdispVal, property.c_str(), DISPATCH_PROPERTYGET, {}, &value.v)) &&
                value.v.vt == VT_BSTR && value.v.bstrVal != nullptr) {
                values.emplace_back(value.v.bstrVal, SysStringLen(value.v.bstrVal));
            } else {
                values.emplace_back();
            }
        }
    }
    if (FAILED(hr)) {
        Trace(L"WMI: query failed: ", static_cast<int64_t>(hr));
    }
    return values;
}

}  // namespace tessaline
