#pragma once
// The rows of one Windows Search query, as the search pass reads them. The Win32 glue drives an ADO recordset
// over the system's index; tests hand out rows from a table. Used on the search thread only.

#include <string>

namespace tessaline {

class IWindowsSearchRows {
  public:
    virtual ~IWindowsSearchRows() = default;

    // Runs the statement, replacing the rows of the previous one; false when it cannot be run.
    virtual bool Open(const std::wstring& statement) = 0;
    // How many rows the open statement has; negative when it cannot be told.
    virtual long RecordCount() = 0;
    // The current row's "System.FileName" and "System.ItemUrl"; false when they cannot be read.
    virtual bool ReadRow(std::wstring& fileName, std::wstring& itemUrl) = 0;
    // To the next row; false when that fails.
    virtual bool MoveNext() = 0;
};

}  // namespace tessaline
