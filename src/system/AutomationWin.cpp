#include "system/Automation.h"

namespace tessaline {

VARIANT StringArgument(const Bstr& text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = text.s;
    return v;
}

VARIANT IntArgument(int32_t value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

HRESULT CallByName(IDispatch* object,
                   const wchar_t* name,
                   WORD flags,
                   std::vector<VARIANT> arguments,
                   VARIANT* result) {
    if (object == nullptr) {
        return E_POINTER;
    }
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        return hr;
    }
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());  // IDispatch wants them last first
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

}  // namespace tessaline
