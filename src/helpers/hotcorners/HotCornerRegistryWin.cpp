#include "helpers/hotcorners/HotCornerRegistryWin.h"

#include <windows.h>

#include <cstring>

#include "base/HandlesWin.h"
#include "base/Trace.h"

namespace tessaline {
namespace {

bool WriteValue(const TDesiredValue& desired) {
    HKEY raw = nullptr;
    if (LSTATUS rc = RegCreateKeyExW(HKEY_CURRENT_USER, desired.Key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, &raw, nullptr);
        rc != ERROR_SUCCESS) {
        Trace(L"Velmora: RegCreateKeyExW failed: ", desired.Key, L" ", rc);
        return false;
    }
    const TUniqueHkey key(raw);
    LSTATUS rc = ERROR_SUCCESS;
    if (desired.Value.Kind == TRegistryValue::TKind::Dword) {
        const DWORD value = desired.Value.Dword;
        rc = RegSetValueExW(key.get(), desired.Name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof(value));
    } else {
        const std::wstring& text = desired.Value.Text;
        rc = RegSetValueExW(key.get(), desired.Name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    if (rc != ERROR_SUCCESS) {
        Trace(L"Velmora: RegSetValueExW failed: ", desired.Name, L" ", rc);
        return false;
    }
    return true;
}

bool DeleteValue(const TDesiredValue& desired) {
    HKEY raw = nullptr;
    LSTATUS rc = RegOpenKeyExW(HKEY_CURRENT_USER, desired.Key.c_str(), 0, KEY_SET_VALUE, &raw);
    if (rc == ERROR_FILE_NOT_FOUND) {
        return true;
    }
    if (rc != ERROR_SUCCESS) {
        Trace(L"Velmora: RegOpenKeyExW failed: ", desired.Key, L" ", rc);
        return false;
    }
    const TUniqueHkey key(raw);
    rc = RegDeleteValueW(key.get(), desired.Name.c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) {
        Trace(L"Velmora: RegDeleteValueW failed: ", desired.Name, L" ", rc);
        return false;
    }
    return true;
}

}  // namespace

TRegistryValue ReadUserValue(const std::wstring& key, const std::wstring& name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) {
        return TRegistryValue::Absent();
    }
    const TUniqueHkey opened(raw);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(opened.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return TRegistryValue::Absent();
    }
    // Room for a terminator the stored string may lack.
    std::wstring buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(opened.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
        ERROR_SUCCESS) {
        return TRegistryValue{TRegistryValue::TKind::Other, 0, {}};
    }
    if (type == REG_DWORD && bytes == sizeof(DWORD)) {
        DWORD value = 0;
        memcpy(&value, buffer.data(), sizeof(value));
        return TRegistryValue::OfDword(value);
    }
    if (type == REG_SZ) {
        buffer.resize(bytes / sizeof(wchar_t));
        while (!buffer.empty() && buffer.back() == L'\0') {
            buffer.pop_back();
        }
        return TRegistryValue::OfString(buffer);
    }
    return TRegistryValue{TRegistryValue::TKind::Other, 0, {}};
}

TRegistryApplyResult ApplyUserValues(const std::vector<TDesiredValue>& values) {
    TRegistryApplyResult result;
    for (const TDesiredValue& desired : values) {
        if (!NeedsChange(desired, ReadUserValue(desired.Key, desired.Name))) {
            continue;
        }
        const bool ok =
            desired.Value.Kind == TRegistryValue::TKind::Absent ? DeleteValue(desired) : WriteValue(desired);
        if (ok) {
            ++result.Changed;
        } else {
            ++result.Failed;
        }
    }
    return result;
}

}  // namespace tessaline
