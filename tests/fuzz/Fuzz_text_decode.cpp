// The byte-order-mark reader and the UTF-8 / UTF-16 conversions.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/TextFile.h"
#include "base/WideText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaline;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::wstring text = DecodeText(bytes);
    for (wchar_t c : text) {
        if (static_cast<uint32_t>(c) > 0xFFFF) {
            std::abort();  // text holds UTF-16 code units only
        }
    }
    // UTF-16 round trip is exact; UTF-8 round trip is exact for text without unpaired surrogates.
    if (Utf16LeToWide(WideToUtf16Le(text)) != text) {
        std::abort();
    }
    const std::string utf8 = WideToUtf8(text);
    if (WideToUtf8(Utf8ToWide(utf8)) != utf8) {
        std::abort();
    }
    const auto lines = SplitLines(text);
    (void)EncodeUtf16LeLines(lines);
    return 0;
}
