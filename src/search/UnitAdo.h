#pragma once
// The Windows Search index reached through ADO ("ADODB.Connection", "ADODB.Recordset"), late bound through
// IDispatch. Every failure is traced and ends in an empty object or false; nothing is shown to the user.
// Threads: every call on the thread (apartment) that made or took the object; COM initialised there.

#include <windows.h>

#include <oaidl.h>
#include <objidl.h>

#include <cstdint>
#include <string>
#include <utility>

namespace tessaline {

// Owns one reference to an automation object; empty stands for "no object".
class AdoObject {
  public:
    AdoObject() = default;
    // Takes over the reference the caller holds.
    explicit AdoObject(IDispatch* adopted) : object_(adopted) {}
    AdoObject(const AdoObject&) = delete;
    AdoObject& operator=(const AdoObject&) = delete;
    AdoObject(AdoObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    AdoObject& operator=(AdoObject&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.object_, nullptr));
        }
        return *this;
    }
    ~AdoObject() { Reset(); }

    IDispatch* Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void Reset(IDispatch* adopted = nullptr) {
        if (object_ != nullptr) {
            object_->Release();
        }
        object_ = adopted;
    }

  private:
    IDispatch* object_ = nullptr;
};

// Sets a property by name (Automation's CallByName cannot: a put needs the DISPID_PROPERTYPUT named argument).
HRESULT AdoPutProperty(IDispatch* object, const wchar_t* name, VARIANT value);
// Reads a numeric property by name (ADO gives counts as 32- or 64-bit integers depending on the build).
HRESULT AdoGetNumber(IDispatch* object, const wchar_t* name, int64_t& value);
// "0x8002801D": HRESULTs as the documentation lists them, for traces.
std::wstring HresultText(HRESULT hr);

// A connection with the cursor location, isolation level, mode and provider set; empty on any error.
AdoObject CreateConnection();
// Opens the connection on the Windows Search provider (closing it first if needed); false on any error.
bool OpenConnection(const AdoObject& connection);
// A recordset with cache size, cursor type, cursor location and lock type set; empty on any error.
AdoObject CreateRecordset();
// Runs the statement into the recordset over the open connection (closing the recordset first if needed).
bool OpenQuery(const AdoObject& connection, const AdoObject& recordset, const std::wstring& statement);
// Closes the connection if it is open, then empties it.
void CloseConnection(AdoObject& connection);

}  // namespace tessaline
