// Draws every picture of the programs into the repository: res/ (embedded by resource name, listed in
// res/pictures.txt), data/StartButtonSkin/ and data/Resources/.
//
//   artwork <repository root> [--sheet FILE] [--preview FOLDER]

#include "Output.h"
#include "Pictures.h"
#include "Preview.h"
#include "Sheet.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using namespace artwork;

namespace {

int Usage() {
    std::fprintf(stderr, "usage: artwork <repository root> [--sheet FILE] [--preview FOLDER]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    const fs::path root = argv[1];
    std::string sheet;
    std::string preview;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--sheet" && i + 1 < argc) {
            sheet = argv[++i];
        } else if (arg == "--preview" && i + 1 < argc) {
            preview = argv[++i];
        } else {
            return Usage();
        }
    }
    // Writing into the wrong folder would scatter pictures; the repository has src/ and CMakeLists.txt.
    if (!fs::is_directory(root / "src") || !fs::exists(root / "CMakeLists.txt")) {
        std::fprintf(stderr, "artwork: %s does not look like the repository root\n", root.c_str());
        return 2;
    }

    const TPictureList list = AllPictures();
    const std::vector<std::string> faults = CheckList(list);
    for (const std::string& fault : faults) {
        std::fprintf(stderr, "artwork: %s\n", fault.c_str());
    }
    if (!faults.empty()) {
        return 1;
    }

    const TWriteResult result = WriteAll(root, list);
    if (!result.Ok) {
        std::fprintf(stderr, "artwork: %s\n", result.Error.c_str());
        return 1;
    }
    std::printf("artwork: %d pictures written, %d stale removed\n", result.Written, result.Removed);

    if (!sheet.empty() && !WriteContactSheet(list, sheet)) {
        std::fprintf(stderr, "artwork: cannot write %s\n", sheet.c_str());
        return 1;
    }
    if (!preview.empty() && !WritePreviews(list, preview)) {
        std::fprintf(stderr, "artwork: cannot write previews into %s\n", preview.c_str());
        return 1;
    }
    return 0;
}
