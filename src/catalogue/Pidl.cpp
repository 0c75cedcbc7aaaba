#include "catalogue/Pidl.h"

namespace tessaline {

uint32_t PidlByteSize(const uint8_t* list) {
    if (list == nullptr) {
        return 0;
    }
    uint32_t size = 0;
    for (;;) {
        const uint32_t cb = static_cast<uint32_t>(list[size]) | (static_cast<uint32_t>(list[size + 1]) << 8);
        if (cb == 0) {
            return size + 2;
        }
        size += cb;
    }
}

}  // namespace tessaline
