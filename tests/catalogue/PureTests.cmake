# Native tests of the catalogue's pure parts, relative to tests/.
set(TESSALINE_CATALOGUE_PURE_TESTS
)
