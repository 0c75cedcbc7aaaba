# Pure files of the program catalogue (no platform headers), relative to src/.
set(TESSALINE_CATALOGUE_PURE_SOURCES
)
