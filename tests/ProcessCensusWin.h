#pragma once
// What this process holds, counted with what Wine answers as well as Windows: its windows (top-level and child),
// its GDI objects, the bytes in use on its heaps and its working set. Wine 8 answers 0 to GetGuiResources, so
// there the GDI objects are counted by asking the type of every handle value of its table (Wine takes a value
// without the generation part as naming the entry's current object); Windows is asked directly. Any thread.

#include <cstddef>
#include <string>

namespace tessaline::test {

struct TProcessCensus {
    size_t Windows = 0;  // but the input method's, which the system makes when it likes
    size_t GdiObjects = 0;
    size_t HeapBytes = 0;  // blocks in use on every heap of the process
    size_t WorkingSetKb = 0;
};

TProcessCensus TakeCensus();
std::string Describe(const TProcessCensus& census);

}  // namespace tessaline::test
