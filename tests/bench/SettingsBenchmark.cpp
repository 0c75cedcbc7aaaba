// Loading a 1 MiB language file, and one Main.ini read cycle and write cycle, each beside SimpleIni doing the
// same on the same file. Run: build/native/tests/bench/settings_benchmark
#include <benchmark/benchmark.h>

// Debian ships SimpleIni without its UTF-8/UTF-16 converter, so it runs on narrow strings (UTF-8 kept as
// bytes): it does less work than our reader, which decodes to UTF-16.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/WideText.h"
#include "settings/ExtIniFiles.h"
#include "settings/MainSettings.h"
#include "settings/UserDataDir.h"

namespace {

namespace fs = std::filesystem;
using namespace tessaline;

const fs::path& Folder() {
    static const fs::path folder = [] {
        fs::path f = fs::temp_directory_path() / ("tessaline-bench-" + std::to_string(::getpid()));
        fs::create_directories(f);
        return f;
    }();
    return folder;
}

// A language file of about 1 MiB: form sections with component keys, and a large message section.
const fs::path& LanguageFile() {
    static const fs::path path = [] {
        fs::path p = Folder() / "Big.lng";
        std::ofstream out(p, std::ios::binary);
        out << "\xEF\xBB\xBF; generated\r\n[Main]\r\nDisplayName=Gro\xC3\x9F\r\n";
        size_t written = 0;
        for (int section = 0; written < (1u << 20); ++section) {
            const std::string header = "[Tessaline_Form" + std::to_string(section) + "]\r\n";
            out << header;
            written += header.size();
            for (int key = 0; key < 200 && written < (1u << 20); ++key) {
                const std::string line = "Component_" + std::to_string(key) + ".Items[" + std::to_string(key % 9) +
                                         "].Caption = Text number " + std::to_string(key) + " of section " +
                                         std::to_string(section) + " \xC3\xA9\xC3\xA0\r\n";
                out << line;
                written += line.size();
            }
        }
        return p;
    }();
    return path;
}

std::wstring WidePath(const fs::path& p) {
    return Utf8ToWide(p.string());
}

void BM_LanguageFile_TExtIniFile(benchmark::State& state) {
    const std::wstring path = WidePath(LanguageFile());
    for (auto _ : state) {
        TExtIniFile ini;
        benchmark::DoNotOptimize(ini.LoadFromFile(path));
        benchmark::DoNotOptimize(ini.ReadString(L"Tessaline_Form3", L"Component_17.Items[8].Caption", L""));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fs::file_size(LanguageFile())));
}

void BM_LanguageFile_SimpleIni(benchmark::State& state) {
    const std::string path = LanguageFile().string();
    for (auto _ : state) {
        CSimpleIniA ini;
        ini.SetUnicode(true);
        ini.SetMultiKey(true);
        benchmark::DoNotOptimize(ini.LoadFile(path.c_str()));
        benchmark::DoNotOptimize(ini.GetValue("Tessaline_Form3", "Component_17.Items[8].Caption", ""));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fs::file_size(LanguageFile())));
}

// Main.ini in a profile of its own, with the keys a running system has.
void PrepareProfile() {
    static bool done = [] {
        const fs::path profile = Folder() / "profile";
        fs::create_directories(profile);
        ::setenv("USERPROFILE", profile.c_str(), 1);
        WriteSkinAndLanguage(L"Classic", L"German");
        WriteStartup(true);
        WriteSkipStartScreen(true);
        WriteHotCorners(true);
        WriteHotSidebar(true);
        WriteHeightWidth(54);
        return true;
    }();
    (void)done;
}

void BM_MainIniReadCycle(benchmark::State& state) {
    PrepareProfile();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadLanguageSetting());
    }
}

void BM_MainIniWriteCycle(benchmark::State& state) {
    PrepareProfile();
    bool value = false;
    for (auto _ : state) {
        WriteStartup(value = !value);
    }
}

// SimpleIni cannot read UTF-16, so its cycles run on a UTF-8 copy of the same keys.
std::string SimpleIniCopy() {
    PrepareProfile();
    static const std::string path = [] {
        const std::string p = (Folder() / "Main-utf8.ini").string();
        CSimpleIniA ini;
        ini.SetUnicode(true);
        for (const auto* key : {"Startup", "SkipStartScreen", "HotCorners", "HotSidebar"}) {
            ini.SetValue("Main", key, "1");
        }
        ini.SetValue("Main", "SkinName", "Classic");
        ini.SetValue("Main", "Language", "German");
        ini.SetValue("Main", "HeightWidth", "54");
        ini.SaveFile(p.c_str(), true);
        return p;
    }();
    return path;
}

void BM_MainIniReadCycle_SimpleIni(benchmark::State& state) {
    const std::string path = SimpleIniCopy();
    for (auto _ : state) {
        CSimpleIniA ini;
        ini.SetUnicode(true);
        ini.LoadFile(path.c_str());
        benchmark::DoNotOptimize(std::string(ini.GetValue("Main", "Language", "English")));
    }
}

void BM_MainIniWriteCycle_SimpleIni(benchmark::State& state) {
    const std::string path = SimpleIniCopy();
    bool value = false;
    for (auto _ : state) {
        CSimpleIniA ini;
        ini.SetUnicode(true);
        ini.LoadFile(path.c_str());
        ini.SetValue("Main", "Startup", (value = !value) ? "1" : "0");
        ini.SaveFile(path.c_str(), true);
    }
}

BENCHMARK(BM_LanguageFile_TExtIniFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LanguageFile_SimpleIni)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainIniReadCycle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MainIniReadCycle_SimpleIni)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MainIniWriteCycle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MainIniWriteCycle_SimpleIni)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(Folder(), ignored);
    return 0;
}
