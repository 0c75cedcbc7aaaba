#pragma once
// Item identifier lists in their published layout: items that each begin with a 16-bit little-endian byte
// count (counting itself), ended by a 16-bit zero.

#include <cstdint>

namespace tessaline {

// The list's size in bytes including the terminator; 0 for a null list, 2 for the empty list.
uint32_t PidlByteSize(const uint8_t* list);

}  // namespace tessaline
