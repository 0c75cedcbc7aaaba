#include "Output.h"

#include <fstream>
#include <set>

namespace fs = std::filesystem;

namespace artwork {

namespace {

// res/ holds nothing but generated pictures, so a PNG that is no longer drawn would only linger and be embedded by
// a stale resource script. The data folders are left alone: a user may drop a skin of their own there.
int RemoveStalePictures(const fs::path& res, const TPictureList& list) {
    std::set<fs::path> wanted;
    for (const TPictureDef& p : list) {
        if (p.Folder == TFolder::Embedded) {
            wanted.insert((res / p.File).lexically_normal());
        }
    }
    std::vector<fs::path> stale;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(res, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->is_regular_file() && it->path().extension() == ".png" &&
            wanted.count(it->path().lexically_normal()) == 0) {
            stale.push_back(it->path());
        }
    }
    int removed = 0;
    for (const fs::path& path : stale) {
        removed += fs::remove(path, ec) ? 1 : 0;
    }
    return removed;
}

}  // namespace

TWriteResult WriteAll(const fs::path& root, const TPictureList& list) {
    TWriteResult result;
    for (const TPictureDef& p : list) {
        const fs::path target = root / FolderPath(p.Folder) / p.File;
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        const TSurface surface = Render(p);
        if (!surface.Ok() || !surface.WritePng(target.string())) {
            result.Error = "cannot write " + target.string();
            return result;
        }
        ++result.Written;
    }
    result.Removed = RemoveStalePictures(root / "res", list);

    const fs::path manifestPath = root / "res" / "pictures.txt";
    std::ofstream manifest(manifestPath, std::ios::binary | std::ios::trunc);
    manifest << ManifestText(list);
    manifest.flush();
    if (!manifest) {
        result.Error = "cannot write " + manifestPath.string();
        return result;
    }
    result.Ok = true;
    return result;
}

}  // namespace artwork
