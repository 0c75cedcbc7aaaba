#pragma once
// A property of the code under test that an input broke: the fuzzer keeps the input as a crash.

#include <cstdlib>

namespace tessaline::fuzz {

inline void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace tessaline::fuzz
