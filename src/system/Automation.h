#pragma once
// Late-bound calls on automation objects (IDispatch), as the shell and WMI scripting objects are used.

#include <windows.h>

#include <oaidl.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace tessaline {

struct Variant {
    VARIANT v;
    Variant() { VariantInit(&v); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&v); }
    IDispatch* Dispatch() const { return v.vt == VT_DISPATCH ? v.pdispVal : nullptr; }
};

struct Bstr {
    BSTR s;
    explicit Bstr(const std::wstring& text) : s(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(s); }
};

// A string argument borrowing the Bstr's text (the Bstr must outlive the call).
VARIANT StringArgument(const Bstr& text);
VARIANT IntArgument(int32_t value);

// Calls a method or reads a property by name; arguments in natural order.
HRESULT CallByName(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> arguments, VARIANT* result);

}  // namespace tessaline
