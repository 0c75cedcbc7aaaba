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
        for (size_t i = 0; i < names.size(); ++i) {
            // A line with "=" reads back as what follows it, unless an earlier line of the same name wins.
            const std::wstring value = ini.ReadString(section, names[i], L"\x1");
            const size_t eq = lines[i].find(L'=');
            if (eq != std::wstring::npos && value == L"\x1") {
                std::abort();
            }
        }
        if (!names.empty()) {
            ini.DeleteKey(section, names.front());
        }
    }
    if (!ini.ReadSections().empty()) {
        ini.EraseSection(ini.ReadSections().front());
    }
    return 0;
}
