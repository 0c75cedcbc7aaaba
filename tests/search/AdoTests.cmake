# Wine tests of the Windows Search connection, relative to tests/.
set(TESSALINE_SEARCH_ADO_WIN_TESTS
    search/UnitAdoWinTest.cpp
)
