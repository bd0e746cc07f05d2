// tarvel-cli image convert IN OUT: reads a BMP, PNG or XYZ picture (the first bytes decide) and
// writes it in the format OUT's extension names, as the material manager imports and exports.
#include <exception>

#include "CliCommon.h"
#include "graphics/PictureFile.h"

namespace tarvel::cli {

namespace {

const char* const kUsage = "image convert IN OUT   (BMP, PNG or XYZ in; OUT's extension .png, .xyz or .bmp)";

int RunImage(Arguments& args) {
    const auto words = args.positional(3);
    if (words[0] != "convert") throw UsageError(kUsage);
    TBitmap picture;
    try {
        LoadPictureFile(picture, words[1]);
    } catch (const std::exception& e) {
        throw CommandError("image", words[1] + ": " + e.what());
    }
    try {
        SavePictureFile(picture, words[2]);
    } catch (const std::exception& e) {
        throw CommandError("image", words[2] + ": " + e.what());
    }
    return 0;
}

const Command kImageCommand{"image", kUsage, RunImage};
const RegisterCommand kRegistered{kImageCommand};

} // namespace

} // namespace tarvel::cli
