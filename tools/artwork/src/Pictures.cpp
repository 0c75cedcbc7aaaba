#include "Pictures.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

namespace artwork {

TPictureList AllPictures() {
    TPictureList list;
    AddStartButtonPictures(list);
    AddStartMenuPictures(list);
    AddResourcePictures(list);
    AddControlPanelIcons(list);
    AddGuidePictures(list);
    return list;
}

std::string FolderPath(TFolder folder) {
    switch (folder) {
        case TFolder::Embedded:
            return "res/";
        case TFolder::Skins:
            return "data/StartButtonSkin/";
        case TFolder::Resources:
            return "data/Resources/";
    }
    return "";
}

TSurface Render(const TPictureDef& picture) {
    TSurface surface(picture.Width, picture.Height);
    if (surface.Ok() && picture.Draw) {
        TContext cr(surface);
        picture.Draw(cr);
    }
    cairo_surface_flush(surface.Get());
    return surface;
}

std::string ManifestText(const TPictureList& list) {
    std::ostringstream out;
    out << "# Pictures embedded in the executables, written by tools/artwork (scripts/artwork.sh); do not edit.\n"
        << "# resource name, file below res/, pixel size\n";
    for (const TPictureDef& p : list) {
        if (p.Folder == TFolder::Embedded) {
            out << p.Resource << ' ' << p.File << ' ' << p.Width << 'x' << p.Height << '\n';
        }
    }
    return out.str();
}

namespace {

bool IsResourceName(const std::string& name) {
    return !name.empty() && std::isupper(static_cast<unsigned char>(name[0])) &&
           std::all_of(name.begin(), name.end(), [](char c) {
               return std::isupper(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)) ||
                      c == '_';
           });
}

bool IsPlainFileName(const std::string& file, bool lowerCase) {
    if (file.size() < 5 || file.compare(file.size() - 4, 4, ".png") != 0 || file.front() == '/') {
        return false;
    }
    return std::all_of(file.begin(), file.end(), [lowerCase](char c) {
        const auto u = static_cast<unsigned char>(c);
        return std::islower(u) || std::isdigit(u) || c == '_' || c == '.' || c == '/' ||
               (!lowerCase && std::isupper(u));
    });
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

}  // namespace

std::vector<std::string> CheckList(const TPictureList& list) {
    std::vector<std::string> faults;
    std::set<std::string> names;
    std::set<std::string> files;  // lower-cased: the programs run on a case-insensitive file system
    std::map<std::string, std::set<std::string>> skinStates;

    for (const TPictureDef& p : list) {
        const std::string where = FolderPath(p.Folder) + p.File;
        if (p.Width <= 0 || p.Height <= 0) {
            faults.push_back(where + ": empty size");
        }
        if (!p.Draw) {
            faults.push_back(where + ": nothing draws it");
        }
        if (!IsPlainFileName(p.File, p.Folder != TFolder::Skins)) {
            faults.push_back(where + ": file name must be lower-case letters, digits, '_' and end in .png");
        }
        if (!files.insert(Lower(where)).second) {
            faults.push_back(where + ": written twice");
        }
        if (p.Folder == TFolder::Embedded) {
            if (!IsResourceName(p.Resource)) {
                faults.push_back(where + ": resource name '" + p.Resource + "' is not an upper-case identifier");
            } else if (!names.insert(p.Resource).second) {
                faults.push_back(where + ": resource name " + p.Resource + " used twice");
            }
        } else if (!p.Resource.empty()) {
            faults.push_back(where + ": only embedded pictures have a resource name");
        }
        if (p.Folder == TFolder::Skins) {
            // The skin list takes the name before the first underscore, so a skin name cannot hold one.
            const size_t underscore = p.File.find('_');
            const size_t slash = p.File.find('/');
            if (underscore == std::string::npos || underscore == 0 || slash != std::string::npos) {
                faults.push_back(where + ": a skin file is <name>_<state>.png");
            } else {
                skinStates[p.File.substr(0, underscore)].insert(p.File.substr(underscore + 1));
            }
        }
    }
    for (const auto& [skin, states] : skinStates) {
        if (states != std::set<std::string>{"click.png", "hover.png", "normal.png"}) {
            faults.push_back("skin " + skin + ": needs exactly _normal.png, _hover.png and _click.png");
        }
    }
    return faults;
}

}  // namespace artwork
