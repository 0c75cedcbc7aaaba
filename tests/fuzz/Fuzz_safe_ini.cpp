// Main.ini as the settings writer meets it: any bytes on disk, loaded, rewritten, loaded again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/TextFile.h"
#include "settings/IniImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaline;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TIniImage image;
    image.SetLines(SplitLines(DecodeText(bytes)));
    image.ReadString(L"Main", L"Language", L"English");
    image.ReadBool(L"Main", L"HotCorners", true);
    image.WriteBool(L"Main", L"Startup", false);

    // What is written must read back as the same image: a rewrite never loses or changes a key.
    const std::string written = EncodeUtf16LeLines(image.GetLines());
    TIniImage again;
    again.SetLines(SplitLines(DecodeText(written)));
    if (again.GetLines() != image.GetLines()) {
        std::abort();
    }
    return 0;
}
