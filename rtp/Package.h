#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ChipsetPainter.h"
#include "IndexedImage.h"

namespace tarvel::rtp {

// A picture of the package: its material folder, its name (the file name without ".png") and
// whether its kind uses index 0 as the transparent colour.
struct RtpPicture {
    std::string folder;
    std::string name;
    IndexedImage image;
};

// A sound, piece of music or movie: folder, name, extension and the file's bytes.
struct RtpFile {
    std::string folder;
    std::string name;
    std::string extension;
    std::vector<uint8_t> bytes;
};

struct RtpPackage {
    std::vector<RtpPicture> pictures;
    std::vector<RtpFile> files;
};

// The fourteen material folders of a runtime package, in their listing order.
const std::vector<std::string>& MaterialFolderNames();

// Makes the whole package in memory. Everything is drawn, composed and synthesised by code and
// the result is the same on every run.
RtpPackage BuildPackage();

// Writes the package below outDir (creating the fourteen folders, empty ones too) and returns
// the written files as paths relative to outDir.
std::vector<std::string> WritePackage(const RtpPackage& package, const std::string& outDir);

} // namespace tarvel::rtp
