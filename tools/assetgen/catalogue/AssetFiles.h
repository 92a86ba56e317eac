#pragma once
// Every file the asset generator writes, by file name, made the same on every run:
//   main.vaf, about.vaf      the two form descriptions
//   iconN.bmp, iconN-mask.bmp the program's icons for the preview (0 the main icon, 1 to 5 the
//                            leaves): the 256-colour picture, black where transparent, and its
//                            monochrome mask, white where transparent
//   main.ico, leafN.ico      the same icons in both forms, for the Windows resource script
// and, under docs/, the PNG pictures of the documentation.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace assetgen {

using AssetFiles = std::map<std::string, std::vector<uint8_t>>;

// The file names of the embedded assets, in the order of ProgramIcons' indices for the icons.
inline constexpr const char* kMainFormFile = "main.vaf";
inline constexpr const char* kAboutFormFile = "about.vaf";
inline constexpr int kIconCount = 6;

std::string IconPictureFile(int index);
std::string IconMaskFile(int index);

// Paints everything and stores it; docs selects the documentation pictures as well.
AssetFiles GenerateAssets(bool docs);

}  // namespace assetgen
