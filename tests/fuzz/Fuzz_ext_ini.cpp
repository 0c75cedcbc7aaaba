// Language files: any bytes, then every lookup the language code makes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/ExtIniFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaline;
    TExtIniFile ini;
    ini.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& section : ini.ReadSections()) {
        const auto names = ini.ReadSection(section);
        const auto lines = ini.ReadSectionValues(section);
        if (names.size() != lines.size()) {
            std::abort();
        }
        for (const auto& name : names) {
            // A listed name reads back the value stored after its "=" (unless an earlier line of the name wins).
            (void)ini.ReadString(section, name, L"");
            ini.DeleteKey(section, name);
        }
    }
    if (!ini.ReadSections().empty()) {
        ini.EraseSection(ini.ReadSections().front());
    }
    return 0;
}
