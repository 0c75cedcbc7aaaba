# The Windows Search connection over ADO (Win32 only), relative to src/.
set(TESSALINE_SEARCH_ADO_WIN_SOURCES
    search/UnitAdoWin.cpp
    search/WindowsSearchRowsWin.cpp
)
