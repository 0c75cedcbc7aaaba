#pragma once
// The catalogue of every picture the programs show: where it goes, its size, and how it is drawn. The generator
// renders this list; the tests check it; the manifest of embedded pictures is written from it.

#include "Art.h"

#include <functional>
#include <string>
#include <vector>

namespace artwork {

enum class TFolder {
    Embedded,   // res/, built into the executables by resource name
    Skins,      // data/StartButtonSkin/, beside the program
    Resources,  // data/Resources/, beside the program
};

struct TPictureDef {
    TFolder Folder = TFolder::Embedded;
    std::string Resource;  // resource name; embedded pictures only
    std::string File;      // path below the folder, forward slashes
    int Width = 0;
    int Height = 0;
    std::function<void(cairo_t*)> Draw;
};

using TPictureList = std::vector<TPictureDef>;

void AddStartButtonPictures(TPictureList& list);
void AddStartMenuPictures(TPictureList& list);
void AddResourcePictures(TPictureList& list);
void AddControlPanelIcons(TPictureList& list);
void AddGuidePictures(TPictureList& list);

TPictureList AllPictures();

// Folder below the repository root, with a trailing slash.
std::string FolderPath(TFolder folder);

TSurface Render(const TPictureDef& picture);

// One line per embedded picture: "NAME path/below/res.png WIDTHxHEIGHT", in list order, after a comment header.
std::string ManifestText(const TPictureList& list);

// Faults that would make the output unusable (duplicate resource names or files, names the resource compiler or a
// case-insensitive file system would trip over, incomplete skins); empty when the list is sound.
std::vector<std::string> CheckList(const TPictureList& list);

}  // namespace artwork
