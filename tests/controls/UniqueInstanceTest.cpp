#include "controls/UniqueInstance.h"

#include <gtest/gtest.h>

namespace tessaline {
namespace {

TEST(UniqueInstance, NameIsTheExecutablesFileNameWhateverTheDelimiter) {
    struct Case {
        const wchar_t* path;
        const wchar_t* name;
    };
    for (const Case& c :
         {Case{L"C:\\Program Files\\Tessaline\\Tessaline.exe", L"Tessaline.exe"},
          Case{L"Z:/work/bin/Tessaline.exe", L"Tessaline.exe"}, Case{L"C:\\a/b\\Renamed Copy.EXE", L"Renamed Copy.EXE"},
          Case{L"Tessaline.exe", L"Tessaline.exe"}, Case{L"C:\\folder\\", L""}}) {
        EXPECT_EQ(InstanceName(c.path), c.name) << c.path;
    }
}

}  // namespace
}  // namespace tessaline
