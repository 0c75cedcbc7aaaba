#pragma once
// The rows of a Windows Search query read from an ADO recordset over the window's connection.
// Threads: made, used and destroyed on the search thread only, which must be a single-threaded apartment
// (CoInitializeEx with COINIT_APARTMENTTHREADED) so that the recordset lives on that thread; the connection is
// the search thread's own, opened on it.

#include "search/UnitAdo.h"
#include "search/WindowsSearchRows.h"

namespace tessaline {

class TAdoSearchRows : public IWindowsSearchRows {
  public:
    // The recordset is made by CreateRecordset on the first Open.
    explicit TAdoSearchRows(AdoObject connection);
    TAdoSearchRows(const TAdoSearchRows&) = delete;
    TAdoSearchRows& operator=(const TAdoSearchRows&) = delete;
    ~TAdoSearchRows() override;

    bool Open(const std::wstring& statement) override;
    long RecordCount() override;
    bool ReadRow(std::wstring& fileName, std::wstring& itemUrl) override;
    bool MoveNext() override;

  private:
    AdoObject connection_;
    AdoObject recordset_;
};

}  // namespace tessaline
